#!/usr/bin/env bash
# A screen reader during a random-colouring grid run, through the AT-SPI bus:
# "stop" pressed ends the run early, as a click does; "Quit" and "K" pressed
# and a spin box's value set do nothing, neither during the run nor after it.
#   tests/e2e/accessible_run.sh path/to/korvel     (prints "accessible_run: ok")
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/atspi_lib.sh"
program=$(realpath "${1:?usage: accessible_run.sh PROGRAM}")
width=4000 height=3000
panel_top=$((height - 132)) shift_x=$(((width - 1377) / 2))
act() { /usr/bin/python3 -W ignore::DeprecationWarning "$(dirname "$0")/atspi_act.py" korvel "$@"; }
runs=0
# Waits for the snapshot that ends the next run, and looks at its row label.
run_ended() {
  local snapshot=$e2e_work/~10$((runs++)).bmp
  for _ in $(seq 300); do
    [[ -s $snapshot ]] && break
    [[ -z $(xdotool search --onlyvisible --name '^Confirmation$' 2>/dev/null) ]] ||
      e2e_fail "$1: a box opened during the run"
    sleep 0.1
  done
  [[ -s $snapshot ]] || e2e_fail "$1: the run did not end"
  sleep 0.5
  shoot "$e2e_work/screen.png"
  convert "$e2e_work/screen.png" -crop "40x18+$((shift_x + 1066))+$((panel_top + 29))" +repage "$e2e_work/$1.png"
}

e2e_start_x "$width" "$height"
start_atspi_bus
e2e_start_korvel "$program"
act press:unique  # the grid run
width_before=$(act value:épaisseur)
xdotool key e sleep 0.3
act key:k sleep:0.3 press:Quit set:épaisseur=$((width_before + 3)) press:K >"$work/act.log" 2>&1 &
run_ended held
wait $! || e2e_fail "the screen reader's actions failed: $(cat "$work/act.log")"
sleep 1
[[ -z $(xdotool search --onlyvisible --name '^Confirmation$' 2>/dev/null) ]] || e2e_fail "Quit asked after the run"
[[ ! -e $e2e_work/~101.bmp ]] || e2e_fail "K pressed during the run started another one"
[[ $(act value:épaisseur) == "$width_before" ]] || e2e_fail "the value set during the run was taken"

xdotool key e sleep 0.3
act key:k sleep:0.3 press:stop
run_ended stopped
[[ $(compare -metric AE "$e2e_work/held.png" "$e2e_work/stopped.png" null: 2>&1) != 0 ]] ||
  e2e_fail "the run went on to 100 % after stop was pressed"

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "accessible_run: ok"
