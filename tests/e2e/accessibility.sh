#!/usr/bin/env bash
# The program as a screen reader sees it: starts a private session bus and
# the AT-SPI bus on it, the program under Xvfb with Qt's accessibility on,
# and reads its tree through AT-SPI. Fails on any unnamed object, whatever
# its role, or a button without its press action; presses "Aide" through
# AT-SPI and reads the help.
#   tests/e2e/accessibility.sh path/to/korvel       (prints "accessibility: ok")
set -euo pipefail
source "$(dirname "$0")/session.sh"
program=$(realpath "${1:?usage: accessibility.sh PROGRAM}")
for tool in dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

e2e_start_x 1920 1080
# A session bus of our own, and the accessibility bus beside it.
dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid" ||
  fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
on_exit 'kill "$(cat "$work/bus.pid")" 2>/dev/null'
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
launcher_pid=$!
on_exit "kill $launcher_pid 2>/dev/null"
# Assistive technologies are on, as a screen reader turns them on.
for _ in $(seq 50); do
  dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1 && break
  sleep 0.1
done

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
