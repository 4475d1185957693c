#!/usr/bin/env bash
# The completion scripts scenc's build writes, asked by each shell what it
# completes for a few partial command lines, as a user's tab would ask:
# bash through its completion function, zsh in a pseudo-terminal, fish with
# `complete -C`.
#   completion_test.sh DIR_OF_THE_SCRIPTS
set -u
scripts=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir cartella && touch file.dat

complete_bash() {
  bash --norc -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    line=$2
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line COMP_POINT=${#line}
    _scenc scenc "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$scripts/scenc" "$1"
}
complete_zsh() { timeout 20 zsh -f "$here/completion_capture.zsh" "$scripts" "$1"; }
complete_fish() {
  fish --no-config -c 'source $argv[1]; complete -C $argv[2]' "$scripts/scenc.fish" "$1" | cut -f1
}

# line | words that must be offered | words that must not
cases=(
  "scenc d|dump|sources"
  "scenc |check compile dump plot view serve lsp sources help|__completions"
  "scenc dump --|--json --kind --rows --help|--route"
  "scenc dump --kind |grid records plan|file.dat"
  "scenc compile --diagnostics-format |text json|"
  "scenc check --input-encoding |cp1252 utf-8|"
  "scenc compile --out |cartella|file.dat"
  "scenc dump |file.dat|--json"
  "scenc plot --format |png svg pdf|"
  "scenc help |dump compile|file.dat"
)

failed=0
for shell in bash zsh fish; do
  for c in "${cases[@]}"; do
    IFS='|' read -r line want unwanted <<<"$c"
    got=$(complete_$shell "$line" | sed 's#/$##' | sort -u)
    for w in $want; do
      grep -qxF -- "$w" <<<"$got" || { echo "$shell: '$line' does not offer $w; it offers: $(echo $got)"; failed=1; }
    done
    for w in $unwanted; do
      grep -qxF -- "$w" <<<"$got" && { echo "$shell: '$line' offers $w"; failed=1; }
    done
  done
done
exit $failed
