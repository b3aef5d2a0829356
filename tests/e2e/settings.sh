#!/usr/bin/env bash
# End-to-end check of the settings: the real program under Xvfb. Change the
# symmetry, quit with Yes, check korvel.prm (20 CR LF lines), edit it by
# hand, start again, quit again: the stored values came back and the hand's
# extra line survived.
#   tests/e2e/settings.sh [path/to/korvel]
set -euo pipefail

source "$(dirname "$0")/session.sh"

program=${1:-build/korvel}
width=1920 height=1080
[[ -x $program ]] || fail "no program at $program"

e2e_start_x "$width" "$height"

prm=$work/korvel.prm
e2e_panel_on "$width" "$height"

# Started as at every launch (with the shared retries), then on until its
# tool panel shows, in its stored colour or the default one.
start() {
  e2e_start_korvel "$program"
  korvel_pid=$e2e_korvel_pid
  wait_for_panel "$korvel_pid" "$work/start.png" 40 $((height - 66)) 255,128,64
}

# Escape, then Yes (the default button) in "Quitter ?".
quit_yes() {
  xdotool key Escape
  local box=''
  for _ in $(seq 50); do
    box=$(xdotool search --name '^Confirmation$' 2>/dev/null | head -1) && [[ -n $box ]] && break
    sleep 0.1
  done
  [[ -n $box ]] || fail "no \"Quitter ?\" box after Escape"
  sleep 0.3
  xdotool key Return
  for _ in $(seq 50); do kill -0 "$korvel_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$korvel_pid" 2>/dev/null && fail "korvel still running after Yes"
  wait "$korvel_pid" || fail "korvel exited with status $?"
  korvel_pid='' e2e_korvel_pid=''
}

# Line n of the parameter file, without its CR.
line() { sed -n "${1}p" "$prm" | tr -d '\r'; }

check_shape() {
  [[ -f $prm ]] || fail "no korvel.prm beside the program"
  [[ $(wc -l <"$prm") -eq 20 ]] || fail "korvel.prm has $(wc -l <"$prm") lines, not 20"
  [[ $(grep -c $'\r$' "$prm") -eq 20 ]] || fail "korvel.prm lines do not all end with CR LF"
}

# First run: no file yet; "miroir vertical", the third item of "Symétrie"
# (design box 572, 8, 97 x 111).
start
[[ -e $prm ]] && fail "korvel.prm exists before the first quit"
xdotool mousemove $((572 + shift_x + 20)) $((panel_top + 8 + 63)) click 1
sleep 0.3
quit_yes
check_shape
[[ $(line 3) == 2 ]] || fail "line 3 (symmetry) is '$(line 3)', not 2"
[[ $(line 1) == 10 && $(line 2) == 0 && $(line 4) == false && $(line 5) == 4227327 ]] ||
  fail "unexpected settings: $(tr '\r\n' '| ' <"$prm")"
[[ $(line 6) == "$work" && $(line 7) == image.bmp ]] || fail "directory or name wrong: $(line 6) $(line 7)"

# By hand: another pen width and a line of another program's.
sed -i '1s/.*/37\r/; 9s/.*/garde-moi\r/' "$prm"

# Second run: read at activation, written back unchanged on Yes.
start
quit_yes
check_shape
[[ $(line 3) == 2 ]] || fail "the symmetry was not restored: line 3 is '$(line 3)'"
[[ $(line 1) == 37 ]] || fail "the pen width was not restored: line 1 is '$(line 1)'"
[[ $(line 9) == garde-moi ]] || fail "line 9 was not kept: '$(line 9)'"
echo "settings: ok"
