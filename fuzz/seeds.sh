#!/usr/bin/env bash
# Writes the seed corpus of each fuzz target into $2/<target>/: the embedded
# scenario's source files (written by scenc sources), the scenario in
# examples/, both compiled by scenc for the decoders.
#   fuzz/seeds.sh BUILD_DIR SEED_DIR
set -euo pipefail

build=$1
seed=$2
root=$(cd "$(dirname "$0")/.." && pwd)
scenc=$build/bin/scenc
sep=$'\n=====\n'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rm -rf "$seed"
mkdir -p "$seed"/{linea,linea_lunga,treno,compilazione,immagini,lsp,http,uri}

"$scenc" sources --out "$work" >/dev/null
emb_line=$work/Valcerra_Mosina_linea.txt
emb_train=$work/Valcerra_Mosina_IR20588-.txt
ex_line=$root/examples/Esempio_linea.txt
ex_train=$root/examples/Esempio_E1-.txt

cp "$emb_line" "$seed/linea/embedded"
cp "$ex_line" "$seed/linea/example"
cp "$seed/linea/"* "$seed/linea_lunga/"
cp "$emb_train" "$seed/treno/embedded"
cp "$ex_train" "$seed/treno/example"
{ cat "$emb_line"; printf '%s' "$sep"; cat "$emb_train"; } >"$seed/compilazione/embedded"
{ cat "$ex_line"; printf '%s' "$sep"; cat "$ex_train"; } >"$seed/compilazione/example"

# Compiled images: the example, and the embedded scenario's grid and records
# (its 3 MB track plan is too long for a seed; the example's plan is cut to
# its first rows).
mkdir -p "$work/out"
compila() {
  "$scenc" compile "$@" --out "$work/out" >/dev/null 2>"$work/scenc.log" || { cat "$work/scenc.log"; exit 1; }
}
compila --route Esempio --train E1 --line "$ex_line" --train-file "$ex_train"
compila --route Valcerra_Mosina --train IR20588 --line "$emb_line" --train-file "$emb_train" --no-track-plan
cp "$work/out/Esempio_E1.dat" "$seed/immagini/example.dat"
cp "$work/out/Esempio_E1.sim" "$seed/immagini/example.sim"
cp "$work/out/Valcerra_Mosina_IR20588.dat" "$seed/immagini/embedded.dat"
cp "$work/out/Valcerra_Mosina_IR20588.sim" "$seed/immagini/embedded.sim"
head -c 4096 "$work/out/Esempio_linea.dat" >"$seed/immagini/example_linea.dat"

# The language server: a session on the example's train file, framed as an
# editor sends it (lengths in bytes).
frame() { local LC_ALL=C; printf 'Content-Length: %d\r\n\r\n%s' "${#1}" "$1"; }
uri="file://$work/Esempio_E1-.txt"
cp "$ex_line" "$work/Esempio_linea.txt"
text=$(sed 's/\r$//' "$ex_train" | iconv -f CP1252 -t UTF-8 | sed 's/\\/\\\\/g; s/"/\\"/g' | awk '{printf "%s\\n", $0}')
{
  frame '{"jsonrpc":"2.0","method":"initialized","params":{}}'
  frame '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'"$uri"'","version":1,"text":"'"$text"'"}}}'
  frame '{"jsonrpc":"2.0","id":1,"method":"textDocument/hover","params":{"textDocument":{"uri":"'"$uri"'"},"position":{"line":13,"character":14}}}'
  frame '{"jsonrpc":"2.0","id":2,"method":"textDocument/completion","params":{"textDocument":{"uri":"'"$uri"'"},"position":{"line":18,"character":0}}}'
  frame '{"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"'"$uri"'","version":2},"contentChanges":[{"range":{"start":{"line":13,"character":15},"end":{"line":13,"character":17}},"text":"10"}]}}'
  frame '{"jsonrpc":"2.0","id":3,"method":"textDocument/semanticTokens/full","params":{"textDocument":{"uri":"'"$uri"'"}}}'
  frame '{"jsonrpc":"2.0","id":4,"method":"shutdown"}'
} >"$seed/lsp/session"
# Both files of the example open, in a folder that is not on disk, so that
# the scenario compiles from the editor's texts alone.
line_text=$(sed 's/\r$//' "$ex_line" | iconv -f CP1252 -t UTF-8 | sed 's/\\/\\\\/g; s/"/\\"/g' | awk '{printf "%s\\n", $0}')
open_uri=file:///scen_fuzz/Esempio_E1-.txt
{
  frame '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"file:///scen_fuzz/Esempio_linea.txt","version":1,"text":"'"$line_text"'"}}}'
  frame '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":"'"$open_uri"'","version":1,"text":"'"$text"'"}}}'
  frame '{"jsonrpc":"2.0","id":1,"method":"textDocument/inlayHint","params":{"textDocument":{"uri":"'"$open_uri"'"},"range":{"start":{"line":0,"character":0},"end":{"line":40,"character":0}}}}'
  frame '{"jsonrpc":"2.0","id":2,"method":"textDocument/documentSymbol","params":{"textDocument":{"uri":"file:///scen_fuzz/Esempio_linea.txt"}}}'
  frame '{"jsonrpc":"2.0","id":3,"method":"textDocument/signatureHelp","params":{"textDocument":{"uri":"'"$open_uri"'"},"position":{"line":14,"character":12}}}'
  frame '{"jsonrpc":"2.0","id":4,"method":"textDocument/definition","params":{"textDocument":{"uri":"'"$open_uri"'"},"position":{"line":14,"character":3}}}'
} >"$seed/lsp/both_open"
# Requests a browser sends `scenc serve`, and a few it should refuse.
printf 'GET / HTTP/1.1\r\nHost: 127.0.0.1:8080\r\nAccept: text/html\r\n\r\n' >"$seed/http/page"
printf 'GET /events?since=3 HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: text/event-stream\r\n\r\n' >"$seed/http/events"
printf 'HEAD / HTTP/1.0\r\n\r\n' >"$seed/http/head"
printf 'POST /%%2e%%2e/x HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n' >"$seed/http/chunked"
# The file: URIs editors send, on Linux and on Windows.
printf 'file:///home/ana/scenari/Magr%%C3%%A8_linea.txt' >"$seed/uri/linux"
printf 'file:///c%%3A/Users/Ana/Scenari/Magr%%C3%%A8_IR1-.txt' >"$seed/uri/windows"
printf 'file:///C:/Users\\Ana\\x.txt' >"$seed/uri/backslashes"
printf 'file://localhost/z%%3A/tmp/x.txt' >"$seed/uri/localhost"
