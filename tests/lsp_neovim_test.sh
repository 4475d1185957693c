#!/usr/bin/env bash
# End to end with a real editor: headless Neovim opens a copy of the
# embedded scenario's train file with `scenc lsp` as its language server
# (the set-up docs/editors.md gives authors) and runs lsp_neovim_test.lua.
# Usage: lsp_neovim_test.sh SCENC
set -euo pipefail
scenc=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$scenc" sources --out "$dir" >/dev/null

# The file types by name, and the server started for them (Neovim 0.7
# has neither vim.filetype.add nor vim.lsp.start).
cat >"$dir/init.lua" <<LUA
vim.o.fileencodings = 'ucs-bom,utf-8,cp1252'
vim.api.nvim_create_autocmd({ 'BufRead', 'BufNewFile' }, {
  pattern = { '*_linea.txt', '*-.txt' },
  callback = function(args)
    local client = vim.lsp.start_client({ name = 'scenc', cmd = { '$scenc', 'lsp' }, root_dir = '$dir' })
    vim.lsp.buf_attach_client(args.buf, client)
  end,
})
LUA

export SCEN_LSP_REPORT="$dir/report.txt"
status=0
(cd "$dir" && timeout 60 nvim --headless --clean -u "$dir/init.lua" \
  -c "luafile $here/lsp_neovim_test.lua" Valcerra_Mosina_IR20588-.txt) </dev/null >"$dir/nvim.out" 2>&1 || status=$?
cat "$dir/report.txt" 2>/dev/null || true
if [[ $status -ne 0 ]] || ! grep -q '^fixed' "$dir/report.txt"; then
  echo "nvim exited with $status"; cat "$dir/nvim.out"
  exit 1
fi
