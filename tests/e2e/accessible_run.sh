#!/usr/bin/env bash
# A screen reader during a random-colouring grid run, through the AT-SPI bus:
# "Quit" and "K" pressed and a spin box's value set while the run goes on
# do nothing, neither during the run nor after it.
#   tests/e2e/accessible_run.sh path/to/korvel     (prints "accessible_run: ok")
set -euo pipefail
source "$(dirname "$0")/session.sh"
source "$(dirname "$0")/atspi_lib.sh"
program=$(realpath "${1:?usage: accessible_run.sh PROGRAM}")
act() { /usr/bin/python3 -W ignore::DeprecationWarning "$(dirname "$0")/atspi_act.py" korvel "$@"; }
no_box() { [[ -z $(xdotool search --onlyvisible --name '^Confirmation$' 2>/dev/null) ]]; }

e2e_start_x 4000 3000
start_atspi_bus
e2e_start_korvel "$program"
act press:unique  # the grid run
width_before=$(act value:épaisseur)
xdotool key e sleep 0.3
# Each action comes from a reader of its own, which waits for the answer to
# its call; each finds its control before the run starts, and acts 0.5 s
# into it.
readers=()
for action in press:Quit "set:épaisseur=$((width_before + 3))" press:K; do
  name=${action%%:*}${action//[^A-Z]/}
  act "touch:$work/ready.$name" "wait:$work/go" sleep:0.5 "$action" >"$work/reader.$name.log" 2>&1 &
  readers+=($!)
done
for _ in $(seq 600); do [[ $(find "$work" -name 'ready.*' | wc -l) == 3 ]] && break; sleep 0.1; done
xdotool key k
touch "$work/go"
for _ in $(seq 600); do
  [[ -s $e2e_work/~100.bmp ]] && break
  no_box || e2e_fail "Quit asked during the run"
  sleep 0.1
done
[[ -s $e2e_work/~100.bmp ]] || e2e_fail "the run did not end"
sleep 1
no_box || e2e_fail "Quit asked at the end of the run"
for reader in "${readers[@]}"; do
  wait "$reader" || e2e_fail "a screen reader's action failed: $(tail -qn1 "$work"/reader.*.log)"
done
[[ ! -e $e2e_work/~101.bmp ]] || e2e_fail "K pressed during the run started another one"
[[ $(act value:épaisseur) == "$width_before" ]] || e2e_fail "the value set during the run was taken"

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "accessible_run: ok"
