#!/usr/bin/env bash
# The program on a Wayland desktop: a headless weston (desktop shell, no
# window manager's full-screen rule), the program started with Qt's Wayland
# platform. Its own protocol traffic shows the window asked for full
# screen, configured at the output's size and drawn at that size; it says
# nothing about the pointer, which Wayland lets no program move; then it is
# ended.
#   tests/e2e/wayland.sh path/to/korvel         (prints "wayland: ok")
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"
program=$(realpath "${1:?usage: wayland.sh PROGRAM}")
command -v weston >/dev/null || fail "weston is not installed"
width=1920 height=1080

socket=korvel-wayland-$$
weston --backend=headless-backend.so --width=$width --height=$height --socket="$socket" --no-config \
  --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
on_exit "kill $weston_pid 2>/dev/null"
for _ in $(seq 100); do [[ -S $XDG_RUNTIME_DIR/$socket ]] && break; sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/$socket ]] || fail "weston did not start: $(tail -5 "$work/weston.log")"

cp "$program" "$work/korvel"
WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$work/korvel" >"$work/korvel.log" 2>&1 &
korvel_pid=$!
on_exit "kill $korvel_pid 2>/dev/null"

# After its request for full screen, the window's toplevel is configured at
# the output's size with one state: on a compositor without keyboard, so
# never "activated", that state is full screen.
configured="xdg_toplevel@[0-9]*\.configure($width, $height, array\[4\])"
drawn="wl_shm_pool@[0-9]*\.create_buffer(new id wl_buffer@[0-9]*, [0-9]*, $width, $height,"
for _ in $(seq 150); do
  kill -0 "$korvel_pid" 2>/dev/null || fail "the program ended: $(grep -v '^\[' "$work/korvel.log" | tail -5)"
  [[ $(sed -n "/set_fullscreen/,\$p" "$work/korvel.log" | grep -c -e "$configured" -e "$drawn") -ge 2 ]] && break
  sleep 0.1
done
after_request=$(sed -n "/set_fullscreen/,\$p" "$work/korvel.log")
[[ -n $after_request ]] || fail "no full-screen request"
grep -q "$configured" <<<"$after_request" || fail "not configured full-screen at ${width}x$height"
grep -q "$drawn" <<<"$after_request" || fail "no ${width}x$height picture drawn"
sleep 1
kill -0 "$korvel_pid" 2>/dev/null || fail "the program ended after mapping"
# Only protocol lines: any other line is a message of the program or Qt.
messages=$(grep -v '^\[' "$work/korvel.log" | grep -v '^ *$' || true)
[[ -z $messages ]] || fail "the program said: $messages"
kill "$korvel_pid"
wait "$korvel_pid" 2>/dev/null || true
echo "wayland: ok"
