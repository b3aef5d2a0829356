#!/usr/bin/env bash
# The program as a screen reader sees it: starts a private session bus and
# the AT-SPI bus on it, the program under Xvfb with Qt's accessibility on,
# and reads its tree through AT-SPI. Fails on any unnamed object, whatever
# its role, or a button without its press action; presses "Aide" through
# AT-SPI and reads the help.
#   tests/e2e/accessibility.sh path/to/korvel       (prints "accessibility: ok")
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/atspi_lib.sh"
program=$(realpath "${1:?usage: accessibility.sh PROGRAM}")

e2e_start_x 1920 1080
start_atspi_bus

e2e_start_korvel "$program"
# The tool panel, then the same with the help shown by the press action of
# "Aide".
read_tree() {
  /usr/bin/python3 -W ignore::DeprecationWarning "$(dirname "$0")/atspi_tree.py" korvel "${@:2}" >"$work/$1.txt" 2>&1 || {
    cat "$work/$1.txt" >&2
    fail "$1: $(tail -1 "$work/$1.txt")"
  }
  echo "$1: $(tail -1 "$work/$1.txt")"
}
read_tree panel Aide
sleep 0.5
read_tree help
grep -q "^text *'aide'" "$work/help.txt" || fail "no help text in the tree: $(cat "$work/help.txt")"
echo "accessibility: ok"
