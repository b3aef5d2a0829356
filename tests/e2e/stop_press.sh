#!/usr/bin/env bash
# A press on "stop" belongs to the run it was made in. "stop" is pressed
# during a random-colouring grid run and kept down until the run has ended
# by itself (or, in the second case, clicked twice, the second press kept
# down until the stopped run has ended); the button comes up after the run.
# In the next run a click on the picture waits for the end of the run,
# press and release together: moving the pointer over the picture afterwards,
# with no button down, draws nothing.
#   tests/e2e/stop_press.sh path/to/korvel
set -euo pipefail
program=${1:?path to korvel}
source "$(dirname "$0")/session.sh"
width=4000 height=3000
e2e_panel_on "$width" "$height"
runs=0
# Waits for the snapshot that ends the next run.
run_ended() {
  local snapshot=$e2e_work/~10$((runs++)).bmp
  for _ in $(seq 300); do [[ -s $snapshot ]] && return 0; sleep 0.1; done
  e2e_fail "$1: run $runs did not end"
}

e2e_start_x "$width" "$height"
e2e_start_korvel "$program"
xdotool mousemove $(at 592 105) click 1  # "unique": the grid run
for case in held double; do
  xdotool key e sleep 0.3
  # A run started with the K button, "stop" pressed in it.
  xdotool mousemove $(at 941 36) click 1 mousemove $(at 995 36) sleep 0.3
  if [[ $case == held ]]; then xdotool mousedown 1; else xdotool click 1 mousedown 1; fi
  run_ended "$case"
  sleep 0.3
  xdotool mouseup 1 sleep 0.3
  # The next run, started with the K key; a click on the picture in it.
  xdotool mousemove 1000 1000 key k sleep 0.3 click 1
  run_ended "$case"
  sleep 1
  shoot "$e2e_work/before.png"
  xdotool mousemove 1500 1200 sleep 0.2 mousemove 2500 1800 sleep 0.2 mousemove 3000 600 sleep 0.5
  shoot "$e2e_work/after.png"
  for shot in before after; do
    convert "$e2e_work/$shot.png" -crop "${width}x${panel_top}+0+0" +repage "$e2e_work/$shot-picture.png"
  done
  changed=$(compare -metric AE "$e2e_work/before-picture.png" "$e2e_work/after-picture.png" null: 2>&1 || true)
  [[ $changed == 0 ]] || e2e_fail "$case: the pointer moved with no button down drew $changed pixels"
done

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "stop_press: ok"
