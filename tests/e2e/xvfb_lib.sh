# Shared by the end-to-end checks: a private X server on a free display, a
# fresh home, and looks at the screen. Source it, then call start_xvfb.
#   work         a temporary directory removed at exit (KORVEL_E2E_KEEP keeps it)
#   fail TEXT    prints "<name>: FAIL: TEXT" and exits 1
#   on_exit CMD  runs CMD at exit, before the server stops
e2e_name=$(basename "$0" .sh)
fail() { echo "$e2e_name: FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool import convert identify; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

work=$(mktemp -d)
chmod 755 "$work"
xvfb_pid=''
exit_commands=()
on_exit() { exit_commands+=("$1"); }
e2e_cleanup() {
  local c
  for c in "${exit_commands[@]}"; do eval "$c" || true; done
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  if [[ -n ${KORVEL_E2E_KEEP:-} ]]; then echo "$e2e_name: files kept in $work"; else rm -rf "$work"; fi
}
trap e2e_cleanup EXIT

export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config \
  XDG_STATE_HOME=$work/home/.local/state XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# start_xvfb WIDTH HEIGHT: a server on the first free display, as DISPLAY.
# Another server may take the display between its choice and its start: a
# few attempts.
start_xvfb() {
  xvfb_width=$1 xvfb_height=$2
  for _ in 1 2 3; do
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    if [[ -s $work/display ]]; then
      export DISPLAY=:$(cat "$work/display")
      for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.1; done
    fi
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=''
  done
  fail "Xvfb did not start: $(cat "$work/xvfb.log")"
}

# "r,g,b" of the screenshot's pixel at x, y.
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info: | sed 's/srgba\?(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/'; }
shoot() { import -window root "$1"; }

# wait_for_panel PID SHOT X Y COLOUR: until the screen shows COLOUR at X, Y
# (the tool panel is up), while the program PID runs.
wait_for_panel() {
  for _ in $(seq 150); do
    kill -0 "$1" 2>/dev/null || fail "the program exited at start"
    shoot "$2"
    [[ $(pixel "$2" "$3" "$4") == "$5" ]] && return 0
    sleep 0.2
  done
  fail "no tool panel at $3,$4 (found $(pixel "$2" "$3" "$4"))"
}

# wait_for_file PATH: until PATH exists and is not empty (10 s at most).
wait_for_file() {
  for _ in $(seq 100); do [[ -s $1 ]] && return 0; sleep 0.1; done
  return 1
}
