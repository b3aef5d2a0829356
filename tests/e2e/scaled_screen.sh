#!/usr/bin/env bash
# A screen scaled by two (QT_SCALE_FACTOR=2 on a 3840 x 2160 screen): the
# picture has one pixel per logical pixel, so it is 1920 x 1080 and each of
# its pixels covers two by two device pixels; the tool panel is twice as
# tall; a stroke starts exactly under the pointer, also when the pointer is
# half way between two logical pixels.
#   tests/e2e/scaled_screen.sh [path/to/korvel]     (prints "scaled_screen: ok")
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"

program=${1:-build/korvel}
[[ -x $program ]] || fail "no program at $program"
cp "$program" "$work/korvel"
# A pen one pixel wide: the settings file's default would be ten.
printf '1\r\n' >"$work/korvel.prm"
start_xvfb 3840 2160

QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=xcb "$work/korvel" >"$work/korvel.log" 2>&1 &
korvel_pid=$!
on_exit 'kill $korvel_pid 2>/dev/null'
panel_colour=255,128,64
# The panel: 132 logical pixels, 264 device pixels, at the bottom.
wait_for_panel "$korvel_pid" "$work/start.png" 80 $((2160 - 264 + 2)) "$panel_colour"
[[ $(pixel "$work/start.png" 80 $((2160 - 264 - 2))) == 0,0,0 ]] || fail "the panel is not 264 device pixels tall"

# A horizontal stroke pressed on the odd device pixel (2121, 1081), half way
# between two logical pixels.
xdotool mousemove 2121 1081 mousedown 1
for x in 2161 2201 2241 2281; do xdotool mousemove "$x" 1081; sleep 0.05; done
xdotool mouseup 1
snapshot=$work/~100.bmp
wait_for_file "$snapshot" || fail "no snapshot after the stroke"
[[ $(identify -format '%w %h' "$snapshot") == "1920 1080" ]] ||
  fail "the picture is $(identify -format '%w x %h' "$snapshot"), not one pixel per logical pixel"
sleep 0.3
shoot "$work/stroke.png"

# The picture pixel the stroke starts at: the first painted one of its row.
row=$(convert "$snapshot" -crop 40x1+1040+541 txt:- | grep -v '#000000' | sed -n 2p | cut -d: -f1)
[[ -n $row ]] || fail "no stroke on picture row 541 near the pointer"
x0=$((1040 + ${row%,*})) y0=541
stroke=$(pixel "$snapshot" "$x0" "$y0")
# On screen, the stroke's first device pixel is the one under the pointer:
# painted there, black just left of it and just above it.
[[ $(pixel "$work/stroke.png" 2121 1081) == "$stroke" ]] || fail "nothing painted under the pointer"
[[ $(pixel "$work/stroke.png" 2120 1081) == 0,0,0 ]] || fail "the stroke starts left of the pointer"
[[ $(pixel "$work/stroke.png" 2121 1080) == 0,0,0 ]] || fail "the stroke starts above the pointer"
# Each picture pixel is two by two device pixels of its own colour, the
# ones whose pointer positions reach it.
for x in $((x0 - 1)) "$x0" $((x0 + 20)) $((x0 + 40)) $((x0 + 79)); do
  want=$(pixel "$snapshot" "$x" "$y0")
  for d in "-1 -1" "0 -1" "-1 0" "0 0"; do
    read -r dx dy <<<"$d"
    got=$(pixel "$work/stroke.png" $((2 * x + dx)) $((2 * y0 + dy)))
    [[ $got == "$want" ]] || fail "device pixel $((2 * x + dx)), $((2 * y0 + dy)) is $got, picture pixel $x, $y0 is $want"
  done
done
echo "scaled_screen: ok"
