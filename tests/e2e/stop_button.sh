#!/usr/bin/env bash
# "stop" clicked with the real pointer ends a random-colouring grid run: 0.3 s
# and 0.8 s into a run started with the K button, and 0.3 s into one started
# with the K key while the pointer already rests on "stop". A stopped run
# leaves its row progress label short of the "100 %" of a whole run. The
# screen is 4000x3000 and every run starts on a new picture (E): a run's
# length goes with the grid spacing drawn at random, by more than two to one,
# and on a 3000x2000 screen the shortest runs end close to 0.8 s.
#   tests/e2e/stop_button.sh path/to/korvel
set -euo pipefail
program=${1:?path to korvel}
source "$(dirname "$0")/session.sh"
width=4000 height=3000
e2e_panel_on "$width" "$height"

e2e_start_x "$width" "$height"
e2e_start_korvel "$program"
xdotool mousemove $(at 592 105) click 1  # "unique": the grid run
runs=0
for case in "button none" "button 0.3" "button 0.8" "key 0.3"; do
  read -r start delay <<<"$case"
  xdotool key e sleep 0.3
  if [[ $start == button ]]; then
    xdotool mousemove $(at 941 36) click 1 mousemove $(at 995 36)
  else
    xdotool mousemove $(at 995 36) sleep 0.2 key k
  fi
  [[ $delay == none ]] || { sleep "$delay" && xdotool click 1; }
  # The run ends with its snapshot; then its row label is looked at.
  snapshot=$e2e_work/~10$((runs++)).bmp
  for _ in $(seq 300); do [[ -s $snapshot ]] && break; sleep 0.1; done
  [[ -s $snapshot ]] || e2e_fail "run $runs did not end"
  sleep 0.3
  shoot "$e2e_work/screen.png"
  convert "$e2e_work/screen.png" -crop "40x18+$((shift_x + 1066))+$((panel_top + 29))" +repage "$e2e_work/$delay.png"
  [[ $delay == none ]] || [[ $(compare -metric AE "$e2e_work/none.png" "$e2e_work/$delay.png" null: 2>&1) != 0 ]] ||
    e2e_fail "the run started by $start went on to 100 % after a click on stop at $delay s"
done

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "stop_button: ok"
