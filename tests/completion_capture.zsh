#!/usr/bin/env zsh
# Prints what zsh completes for a command line, one candidate a line:
#   zsh -f completion_capture.zsh FPATH_DIR 'scenc dump --kind '
# An interactive zsh runs in a pseudo-terminal with the completion system
# loaded from FPATH_DIR and compadd wrapped to print its matches between two
# lines holding a NUL (and then adds them as usual); the line is typed, then
# a tab.
zmodload zsh/zpty || exit 2
local dir=$1 typed=$2 line setup=$(mktemp)
trap 'rm -f $setup' EXIT
cat >$setup <<SETUP
PROMPT=''
fpath=(${(q)dir} \$fpath)
autoload -U compinit && compinit -u -D
zstyle ':completion:*' list-grouped false
zstyle ':completion:*' insert-tab false
null-line() { echo -E - \$'\0' }
compprefuncs=(null-line)
comppostfuncs=(null-line exit)
compadd() {
  if [[ \${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then builtin compadd "\$@"; return \$?; fi
  local -a hits
  builtin compadd -A hits "\$@"
  local h; for h in \$hits; do echo -E - "\$h"; done
  builtin compadd "\$@"  # really added: zsh then tries no fallback tag
}
bindkey '^I' complete-word
echo ready
SETUP
zpty z zsh -f -i
zpty -w z "source ${(q)setup}"
repeat 50; do
  zpty -r -t z line || { sleep 0.1; continue; }
  [[ $line == ready* ]] && break
done
zpty -w -n z "$typed"$'\t'
integer marks=0
while zpty -r z line; do
  line=${line%$'\n'}; line=${line%$'\r'}
  if [[ $line == *$'\0'* ]]; then
    (( marks++ )) && break || continue
  fi
  (( marks )) && echo -E - $line
done
zpty -d z 2>/dev/null
exit 0
