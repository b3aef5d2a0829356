# Shared by the end-to-end scripts (sourced): a private Xvfb on a free
# display, a private HOME, and the program copied into a directory of its
# own so that its snapshots land there.
#   e2e_start_x WIDTH HEIGHT; e2e_start_korvel PROGRAM [wrapper...]; e2e_cleanup
e2e_work=$(mktemp -d)
e2e_xvfb_pid='' e2e_korvel_pid=''

e2e_fail() { echo "${E2E_NAME:-e2e}: FAIL: $*" >&2; exit 1; }

e2e_cleanup() {
  [[ -n $e2e_korvel_pid ]] && kill "$e2e_korvel_pid" 2>/dev/null || true
  [[ -n $e2e_xvfb_pid ]] && kill "$e2e_xvfb_pid" 2>/dev/null || true
  if [[ -n ${KORVEL_E2E_KEEP:-} ]]; then echo "files kept in $e2e_work"; else rm -rf "$e2e_work"; fi
}

e2e_start_x() {
  local width=$1 height=$2
  e2e_width=$width e2e_height=$height
  export HOME=$e2e_work/home XDG_DATA_HOME=$e2e_work/home/.local/share XDG_RUNTIME_DIR=$e2e_work/run
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  # Another server may take the display between its choice and its start:
  # a few attempts.
  for _ in 1 2 3; do
    : >"$e2e_work/display"
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$e2e_work/display" >"$e2e_work/xvfb.log" 2>&1 &
    e2e_xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $e2e_work/display ]] && break; sleep 0.1; done
    if [[ -s $e2e_work/display ]]; then
      export DISPLAY=:$(cat "$e2e_work/display")
      for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.1; done
    fi
    kill "$e2e_xvfb_pid" 2>/dev/null
    e2e_xvfb_pid=''
  done
  e2e_fail "Xvfb did not start: $(cat "$e2e_work/xvfb.log")"
}

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
    kill "$e2e_xvfb_pid" 2>/dev/null
    e2e_start_x "$e2e_width" "$e2e_height"
  done
  e2e_fail "korvel exited at start on $DISPLAY: $(cat "$e2e_work/korvel.log")"
}

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
