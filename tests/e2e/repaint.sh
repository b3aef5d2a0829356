#!/usr/bin/env bash
# What strokes leave on the screen, repainted place by place as they move,
# is what a repaint of the whole window shows: the picture, the guides over
# it, and the tool panel over both, which copies drawn under it must not
# reach. Checked with the guides shown and hidden, with the real pointer.
#   tests/e2e/repaint.sh path/to/korvel [WIDTHxHEIGHT]   (1920x1080)
set -euo pipefail
program=${1:?path to korvel}
source "$(dirname "$0")/session.sh"
size=${2:-1920x1080}
width=${size%x*} height=${size#*x}
# The focus trap's text cursor blinks: left out of the comparison.
e2e_panel_on "$width" "$height"
cursor_box="rectangle $((shift_x + 1052)),$((panel_top + 104)) $((shift_x + 1129)),$((panel_top + 125))"

e2e_start_x "$width" "$height"
e2e_start_korvel "$program"
# A rosette's copies of strokes near the top fall under the panel too.
draw() {
  e2e_stroke 900 1100 120 8
  e2e_stroke 1300 1500 300 8
  e2e_stroke 700 760 520 4
  xdotool mousemove 960 1060 mousedown 1 mousemove 1000 700 mousemove 1100 400 mouseup 1  # from under the panel
  xdotool mousemove 300 300 sleep 1
}
same_as_whole() {
  shoot "$e2e_work/moved-$1.png"
  # F2 twice: each shows or hides the guides over the whole window.
  xdotool key F2 sleep 0.5 key F2 sleep 1
  shoot "$e2e_work/whole-$1.png"
  for shot in moved whole; do convert "$e2e_work/$shot-$1.png" -fill black -draw "$cursor_box" "$e2e_work/$shot-$1.png"; done
  differing=$(compare -metric AE "$e2e_work/moved-$1.png" "$e2e_work/whole-$1.png" null: 2>&1 || true)
  [[ $differing == 0 ]] || e2e_fail "guides $1: $differing pixels differ from a whole repaint"
}

xdotool key F2 sleep 0.5
draw
same_as_whole shown
xdotool key F2 sleep 0.5
draw
same_as_whole hidden

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "repaint: ok"
