#!/usr/bin/env bash
# The pen-mode keys of the top row on a French (AZERTY) and a US (QWERTY)
# layout, through the real X keyboard: with the tool panel hidden, each key
# of the top row is typed under each layout (setxkbmap), the panel is shown
# and the pen-mode box looked at. The same physical key must select the same
# row on both layouts, with or without Shift on the French one, and the ten
# keys ten different rows; "²" goes back to the first row.
#   tests/e2e/keyboard_layouts.sh [path/to/korvel]     (prints "keyboard_layouts: ok")
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"
command -v setxkbmap >/dev/null || fail "setxkbmap is not installed"

program=${1:-build/korvel}
[[ -x $program ]] || fail "no program at $program"
cp "$program" "$work/korvel"
start_xvfb 1920 1080
setxkbmap -layout us || fail "setxkbmap cannot set a layout"

QT_QPA_PLATFORM=xcb "$work/korvel" >"$work/korvel.log" 2>&1 &
korvel_pid=$!
on_exit 'kill $korvel_pid 2>/dev/null'
panel_colour=255,128,64
wait_for_panel "$korvel_pid" "$work/start.png" 40 1014 "$panel_colour"

# The pen-mode box: design 677, 55, 684 x 21 in the 1377-pixel block
# centred on the screen, in the panel docked at the bottom.
box=684x21+$((677 + (1920 - 1377) / 2))+$((1080 - 132 + 55))
margin_shown() { [[ $(import -window root -crop 1x1+40+1014 txt:- | grep -o 'srgb([0-9,]*)' | tr -d 'srgb()') == "$panel_colour" ]]; }
until_panel() {
  for _ in $(seq 50); do
    if [[ $1 == shown ]] && margin_shown; then return 0; fi
    if [[ $1 == hidden ]] && ! margin_shown; then return 0; fi
    sleep 0.1
  done
  fail "the panel is not $1"
}
# The pixels of the box, as one digest.
box_digest() { import -window root -crop "$box" rgb:- | md5sum | cut -d' ' -f1; }

xdotool key space
until_panel hidden
# typed LAYOUT KEYSYM: the box's digest after KEYSYM is typed on LAYOUT with
# the panel hidden (xdotool presses the key that types KEYSYM there).
typed() {
  # The program must have taken each new layout before a key comes.
  setxkbmap -layout "$1"
  sleep 0.2
  xdotool key "$2"
  sleep 0.2
  setxkbmap -layout us
  sleep 0.2
  xdotool key space
  until_panel shown
  sleep 0.2
  box_digest
  xdotool key space
  until_panel hidden
}

us_keys=(1 2 3 4 5 6 7 8 9 0)
fr_keys=(ampersand eacute quotedbl apostrophe parenleft minus egrave underscore ccedilla agrave)
declare -A seen=()
for i in "${!us_keys[@]}"; do
  us=$(typed us "${us_keys[i]}")
  fr=$(typed fr "${fr_keys[i]}")
  fr_shift=$(typed fr "${us_keys[i]}")
  [[ $fr == "$us" ]] || fail "key $((i + 1)) of the top row: French ${fr_keys[i]} and US ${us_keys[i]} select different rows"
  [[ $fr_shift == "$us" ]] || fail "key $((i + 1)) of the top row: French Shift+${fr_keys[i]} selects another row"
  [[ -z ${seen[$us]:-} ]] || fail "keys ${seen[$us]} and $((i + 1)) select the same row"
  seen[$us]=$((i + 1))
  kill -0 "$korvel_pid" 2>/dev/null || fail "korvel ended"
done
[[ $(typed fr twosuperior) == "$(typed us 1)" ]] || fail "\"²\" does not go back to the first row"
grep -q . "$work/korvel.log" && echo "keyboard_layouts: program said: $(head -3 "$work/korvel.log")"
echo "keyboard_layouts: ok"
