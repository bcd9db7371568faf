#!/usr/bin/env bash
# Fails when the manual page misses a command, an option or an exit status that the program's
# own help names. Usage: check-manpage.sh QUILLFEN MANPAGE
set -euo pipefail
quillfen=$1
page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$2")

missing=()
usage=$("$quillfen" --help)
# Commands: the usage lines "  quillfen NAME ..." whose NAME is a word, not an option or COMMAND.
commands=$(printf '%s\n' "$usage" | sed -n 's/^  quillfen \([a-z][a-z-]*\).*/\1/p' | sort -u)
[ -n "$commands" ] || { echo "no commands found in 'quillfen --help'"; exit 1; }
helps="$usage"
for c in $commands; do
  grep -q -E "^\.(B|TP|SS) *$c\b|^\.B quillfen $c\b|^\.SS .*\b$c\b" <<<"$page" ||
    grep -q -E "^\.B $c$" <<<"$page" || missing+=("command $c")
  helps+=$'\n'"$("$quillfen" "$c" --help)"
done

# Options: every --long (and -x short) option any help text names, as a whole name (--expanded
# is not found in --expanded-text).
for o in $(printf '%s\n' "$helps" | grep -o -E '(^|[ [,|(])--?[a-z][a-z0-9-]*' | sed 's/^[ [,|(]//' | sort -u); do
  grep -q -E -e "(^|[^a-z0-9-])$o([^a-z0-9-]|$)" <<<"$page" || missing+=("option $o")
done

# Exit statuses: every row "  N  meaning" of the help texts' exit-status tables, and every
# "exit status N" a help text mentions, as an item of the EXIT STATUS section.
statuses=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$2")
for s in $( { printf '%s\n' "$helps" | sed -n 's/^  \([0-9][0-9]*\)  .*/\1/p'
              printf '%s\n' "$helps" | tr '\n' ' ' | grep -o -E 'exit status [0-9]+' | grep -o -E '[0-9]+'; } | sort -u); do
  grep -q -E "^\.B $s$" <<<"$statuses" || missing+=("exit status $s")
done

if [ ${#missing[@]} -gt 0 ]; then
  printf 'the manual page does not list: %s\n' "${missing[@]}"
  exit 1
fi
echo "manual page lists $(wc -w <<<"$commands") commands and every option and exit status"
