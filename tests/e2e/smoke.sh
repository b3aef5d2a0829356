#!/usr/bin/env bash
# End-to-end smoke check: the real program in a real X server (Xvfb), driven
# like a person with xdotool and looked at with ImageMagick.
#   tests/e2e/smoke.sh [path/to/korvel]     (/usr/bin/korvel: the installed one)
# Starts on :99 at 1920x1080, checks the first screen, draws a stroke, checks
# its snapshot file, quits through "Quit" and "Quitter ?". Prints
# "smoke: ok" and exits 0 on success.
set -euo pipefail

program=${1:-build/korvel}
display=${KORVEL_SMOKE_DISPLAY:-:99}
width=1920 height=1080

fail() { echo "smoke: FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool import convert identify; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[[ -x $program ]] || fail "no program at $program"

work=$(mktemp -d)
xvfb_pid='' korvel_pid=''
cleanup() {
  [[ -n $korvel_pid ]] && kill "$korvel_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  if [[ -n ${KORVEL_SMOKE_KEEP:-} ]]; then echo "smoke: files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# The program in a directory of its own: its snapshots and settings land
# there, and the user's data directory is a fresh one too. An installed
# program runs where it is, its files in the fresh home.
if [[ $program == /usr/* ]]; then
  run=$program
else
  cp "$program" "$work/korvel"
  run=$work/korvel
fi
export HOME=$work/home XDG_STATE_HOME=$work/home/.local/state XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# :99 unless another server holds it; then the first free display.
if [[ -e /tmp/.X${display#:}-lock && -z ${KORVEL_SMOKE_DISPLAY:-} ]]; then
  Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
  display=:$(cat "$work/display")
else
  Xvfb "$display" -screen 0 "${width}x${height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
fi
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start on $display"

QT_QPA_PLATFORM=xcb "$run" >"$work/korvel.log" 2>&1 &
korvel_pid=$!

# "srgb(r,g,b)" of the screenshot's pixel at x, y.
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info: | sed 's/srgba\?(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/'; }
shoot() { import -window root "$1"; }

# The tool panel: 132 pixels docked at the bottom, its design block of
# 1377 pixels centred, the margins outside it in the panel's own colour.
panel_top=$((height - 132))
shift_x=$(((width - 1377) / 2))
panel_colour=255,128,64

for _ in $(seq 100); do
  kill -0 "$korvel_pid" 2>/dev/null || fail "korvel exited at start: $(cat "$work/korvel.log")"
  shoot "$work/start.png"
  [[ $(pixel "$work/start.png" 40 $((panel_top + 66))) == "$panel_colour" ]] && break
  sleep 0.2
done
xdotool search --name '^Korvel$' >/dev/null || fail "no window named Korvel"

for point in "40 $((panel_top + 66))" "$((shift_x - 40)) $((panel_top + 10))" \
             "$((width - 40)) $((panel_top + 120))" "$((width - shift_x + 40)) $((panel_top + 66))"; do
  read -r x y <<<"$point"
  [[ $(pixel "$work/start.png" "$x" "$y") == "$panel_colour" ]] ||
    fail "panel margin at $x,$y is $(pixel "$work/start.png" "$x" "$y"), not $panel_colour"
done
for point in "5 5" "$((width / 2)) $((height / 2))" "$((width - 5)) $((panel_top - 5))" "300 700"; do
  read -r x y <<<"$point"
  [[ $(pixel "$work/start.png" "$x" "$y") == "0,0,0" ]] ||
    fail "picture at $x,$y is $(pixel "$work/start.png" "$x" "$y"), not black"
done

# A horizontal stroke right of the centre, with the real pointer.
cx=$((width / 2)) cy=$((height / 2))
xdotool mousemove $((cx + 100)) "$cy" mousedown 1
for x in 120 140 160 180 200; do xdotool mousemove $((cx + x)) "$cy"; sleep 0.02; done
xdotool mouseup 1

snapshot=''
for _ in $(seq 50); do
  for candidate in "$work/~100.bmp" "$XDG_STATE_HOME/korvel/~100.bmp"; do
    [[ -s $candidate ]] && snapshot=$candidate
  done
  [[ -n $snapshot ]] && break
  sleep 0.1
done
[[ -n $snapshot ]] || fail "no snapshot ~100.bmp after the stroke"
[[ $(head -c 2 "$snapshot") == BM ]] || fail "$snapshot is not a BMP file"
[[ $(identify -format '%w %h' "$snapshot") == "$width $height" ]] || fail "$snapshot is not ${width}x${height}"

sleep 0.3
shoot "$work/stroke.png"
# The stroke and its copy turned half a turn about the centre (24 petals).
for x in $((cx + 150)) $((cx - 150)); do
  [[ $(pixel "$work/stroke.png" "$x" "$cy") != "0,0,0" ]] || fail "no stroke on screen at $x,$cy"
done
[[ $(pixel "$work/stroke.png" "$cx" $((cy - 60))) == "0,0,0" ]] || fail "paint where no copy goes"

# "Quit" (design left 1156, top 22, 48 x 29), then "Quitter ?" answered Yes.
quit_x=$((1156 + shift_x + 24)) quit_y=$((panel_top + 22 + 14))
[[ $(pixel "$work/stroke.png" "$quit_x" "$quit_y") == "150,228,190" ]] ||
  fail "no Quit button at $quit_x,$quit_y ($(pixel "$work/stroke.png" "$quit_x" "$quit_y"))"
xdotool mousemove "$quit_x" "$quit_y" click 1
box=''
for _ in $(seq 50); do
  box=$(xdotool search --name '^Confirmation$' 2>/dev/null | head -1) && [[ -n $box ]] && break
  sleep 0.1
done
[[ -n $box ]] || fail "no \"Quitter ?\" box after Quit"
sleep 0.3
shoot "$work/quit.png"
kill -0 "$korvel_pid" 2>/dev/null || fail "korvel ended before the answer"
xdotool key Return

for _ in $(seq 50); do kill -0 "$korvel_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$korvel_pid" 2>/dev/null; then fail "korvel still running after Yes"; fi
wait "$korvel_pid" || fail "korvel exited with status $?"
korvel_pid=''
echo "smoke: ok"
