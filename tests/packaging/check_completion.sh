#!/usr/bin/env bash
# The bash completion offers vornik-cli's commands and each command's options,
# as the program's --help names them:  check_completion.sh COMPLETION VORNIK_CLI
set -uo pipefail
completion=$1 cli=$2
bash -n "$completion" || { echo "FAIL: syntax"; exit 1; }
# shellcheck disable=SC1090
source "$completion"
PATH="$(dirname "$cli"):$PATH"
failures=0
complete_words() {  # the words of the line up to the cursor, the last one being completed
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vornik_cli
  echo "${COMPREPLY[*]}"
}
expect() {
  if [ "$1" != "$2" ]; then echo "FAIL: $3: got '$1', expected '$2'"; failures=$((failures + 1)); fi
}
commands=$(vornik-cli --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort -u | tr '\n' ' ')
expect "$(complete_words vornik-cli '')" "${commands}--help --version" "commands"
expect "$(complete_words vornik-cli ex)" "export extract" "commands beginning ex"
expect "$(complete_words vornik-cli list --t)" "--tsv" "list's options"
expect "$(complete_words vornik-cli extract a.ico --ov)" "--overwrite" "extract's options"
# Every option a command's help names is offered.
for c in $commands; do
  want=$(vornik-cli "$c" --help | grep -o -- '--[a-z][a-z-]*' | sort -u | tr '\n' ' ')
  got=" $(complete_words vornik-cli "$c" --) "
  for o in $want; do
    case $got in *" $o "*) ;; *) echo "FAIL: $c does not offer $o"; failures=$((failures + 1)) ;; esac
  done
done
[ "$failures" -eq 0 ] && echo "completion as expected"
exit $((failures > 0))
