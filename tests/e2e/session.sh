# Shared by the end-to-end scripts (sourced): the program copied into the
# private directory of xvfb_lib.sh, so that its snapshots land there, and
# the moves of a person: strokes, windows, quitting.
#   e2e_start_x WIDTH HEIGHT; e2e_start_korvel PROGRAM [wrapper...]
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_lib.sh"
e2e_work=$work
e2e_korvel_pid=''
on_exit '[[ -n $e2e_korvel_pid ]] && kill "$e2e_korvel_pid" 2>/dev/null'

e2e_fail() { fail "$@"; }
e2e_start_x() { start_xvfb "$1" "$2"; }

# Starts the program (optionally through a wrapper command) and waits for
# its window. A server whose socket vanished (another job cleaning /tmp) is
# replaced by a new one, twice at most.
e2e_start_korvel() {
  local program=$1
  shift
  cp "$program" "$e2e_work/korvel"
  for attempt in 1 2 3; do
    QT_QPA_PLATFORM=xcb "$@" "$e2e_work/korvel" >"$e2e_work/korvel.log" 2>&1 &
    e2e_korvel_pid=$!
    for _ in $(seq 100); do
      kill -0 "$e2e_korvel_pid" 2>/dev/null || break
      xdotool search --name '^Korvel$' >/dev/null 2>&1 && { sleep 0.5; return 0; }
      sleep 0.1
    done
    kill -0 "$e2e_korvel_pid" 2>/dev/null && e2e_fail "no window named Korvel"
    e2e_korvel_pid=''
    grep -q "could not connect to display" "$e2e_work/korvel.log" && ((attempt < 3)) || break
    kill "$xvfb_pid" 2>/dev/null
    start_xvfb "$xvfb_width" "$xvfb_height"
  done
  e2e_fail "korvel exited at start on $DISPLAY: $(cat "$e2e_work/korvel.log")"
}

# The tool panel's place on a WIDTH x HEIGHT screen: docked at the bottom,
# 132 high, its controls laid out over 1377 pixels in the middle. Sets
# panel_top and shift_x; `at X Y` then gives a point of the layout on screen.
e2e_panel_on() {
  panel_top=$(($2 - 132)) shift_x=$((($1 - 1377) / 2))
}
at() { echo $((shift_x + $1)) $((panel_top + $2)); }

# The number of windows named Korvel: the main window, plus one for a
# message box of the program.
e2e_korvel_windows() { xdotool search --onlyvisible --name '^Korvel$' 2>/dev/null | wc -l; }

# A stroke from x1 to x2 along row y with the real pointer.
e2e_stroke() {
  local x1=$1 x2=$2 y=$3 steps=${4:-5}
  xdotool mousemove "$x1" "$y" mousedown 1
  for i in $(seq 1 "$steps"); do xdotool mousemove $((x1 + (x2 - x1) * i / steps)) "$y"; done
  xdotool mouseup 1
}

# Quits with the F12 key, "Quitter ?" answered Yes (Escape first hides the
# help panel, which keeps F12 from quitting); waits at most 10 s for the
# program's end and returns its exit status (124 if it is still running).
e2e_quit() {
  local box='' status=0
  for key in F12 Escape F12; do
    xdotool key "$key"
    for _ in $(seq 20); do
      box=$(xdotool search --onlyvisible --name '^Confirmation$' 2>/dev/null | head -1) && [[ -n $box ]] && break
      sleep 0.1
    done
    [[ -n $box ]] && break
  done
  [[ -n $box ]] || return 124
  sleep 0.2
  xdotool key Return
  for _ in $(seq 100); do kill -0 "$e2e_korvel_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$e2e_korvel_pid" 2>/dev/null && return 124
  wait "$e2e_korvel_pid" || status=$?
  e2e_korvel_pid=''
  return "$status"
}
