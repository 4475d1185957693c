-- Run inside a headless Neovim by lsp_neovim_test.sh, with the train file
-- of the embedded scenario open and `scenc lsp` configured as its server:
-- breaks a station's position, reads the error back through the editor's
-- own diagnostics, then asks for a hover on it. Prints what it saw to the
-- file named by $SCEN_LSP_REPORT; exits 0 when all is as expected.
local report = assert(io.open(os.getenv('SCEN_LSP_REPORT'), 'w'))
local function say(s) report:write(s .. '\n'); report:flush() end
local function fail(s) say('FAIL ' .. s); report:close(); vim.cmd('cquit 1') end

local buf = vim.api.nvim_get_current_buf()
if not vim.wait(10000, function() return #vim.lsp.buf_get_clients(buf) > 0 end, 50) then
  fail('no client attached')
end
say('attached')

-- The scenario as written compiles without an error.
local function errors()
  return vim.diagnostic.get(buf, { severity = vim.diagnostic.severity.ERROR })
end

-- Line 36 holds the station Lavis at 46400 m.
local lnum = 35
local line = vim.api.nvim_buf_get_lines(buf, lnum, lnum + 1, false)[1]
if not line or not line:find('46400, 12') then fail('line 36 is not Lavis: ' .. tostring(line)) end
vim.api.nvim_buf_set_lines(buf, lnum, lnum + 1, false, { (line:gsub('46400, 12', '46430, 12')) })

local found
if not vim.wait(10000, function()
  for _, d in ipairs(errors()) do
    if d.code == 8 then found = d; return true end
  end
  return false
end, 50) then
  fail('no error 8 after the change; diagnostics: ' .. vim.inspect(vim.diagnostic.get(buf)))
end
say(string.format('diagnostic %d:%d-%d code %s: %s', found.lnum, found.col, found.end_col, tostring(found.code),
                  found.message))
if found.lnum ~= lnum or found.col ~= 12 or found.end_col ~= 17 then fail('error 8 at the wrong place') end

local replies = vim.lsp.buf_request_sync(buf, 'textDocument/hover', {
  textDocument = vim.lsp.util.make_text_document_params(buf),
  position = { line = lnum, character = 14 },
}, 10000)
local value
for _, r in pairs(replies or {}) do
  if r.result and r.result.contents then value = r.result.contents.value end
end
if not value then fail('no hover: ' .. vim.inspect(replies)) end
say('hover: ' .. value:gsub('\n', ' | '))
if not value:find('**pos** (m)', 1, true) or not value:find('multiple of 50', 1, true) then fail('hover without the field') end

-- Put it back: the error goes.
vim.api.nvim_buf_set_lines(buf, lnum, lnum + 1, false, { line })
if not vim.wait(10000, function() return #errors() == 0 end, 50) then fail('error 8 stayed after the fix') end
say('fixed: no error left')
report:close()
vim.cmd('qall!')
