#!/usr/bin/env bash
# The manual page of horomira, written by help2man from the program's own
# --version and help: the fixed sections of packaging/horomira.h2m, and
# every command's help (`horomira COMMAND --help`) as the section COMMANDS,
# line for line as the program prints it.
#
#   make_manpage.sh HOROMIRA OUT.1
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$1 out=$2
export LC_ALL=C.UTF-8

# Text as roff: backslashes kept, hyphens as minus signs (options are
# copied from the page), no line taken for a request.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^[.']/\\\\\\&&/"; }

include=$(mktemp)
trap 'rm -f "$include"' EXIT
cat "$root/packaging/horomira.h2m" >"$include"
{
  echo
  echo '[COMMANDS]'
  # Left-aligned and unhyphenated, so that the help's columns keep their blanks.
  echo '.ad l'
  echo '.nh'
  for name in $("$cli" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p'); do
    help=$("$cli" "$name" --help)
    echo '.PP'
    printf '.B %s\n' "$(printf '%s\n' "$help" | head -n 1 | sed 's/^usage: //' | roff)"
    # The help as the program prints it, line for line: its columns stay
    # aligned (its longest lines reach past an 80-column page by the indent).
    echo '.nf'
    printf '%s\n' "$help" | tail -n +3 | roff
    echo '.fi'
  done
} >>"$include"
help2man --no-info --locale=C.UTF-8 --section 1 --manual 'User Commands' --include "$include" \
  --output "$out" "$cli"
