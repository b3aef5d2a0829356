#!/usr/bin/env bash
# The command line of the real program. Without a display: --help and -h
# print the usage and exit 0, --version prints the project's version, an
# unknown option or two files print one line on standard error and exit 2.
# Under Xvfb: a picture named by a relative path, then by a file:// URI, is
# drawn once the window is up; a damaged one leaves the new picture and
# says why, and the program goes on. Prints the time from the start to the
# picture drawn.
#   tests/e2e/command_line.sh path/to/korvel
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"

program=$(realpath "${1:?usage: command_line.sh path/to/korvel}")
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(korvel .*VERSION \([0-9.]*\)).*/\1/p' "$root/CMakeLists.txt")
[[ -n $version ]] || fail "no project version in CMakeLists.txt"

# run ARGS...: status, standard output and standard error, with no display
# at all.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$program" "$@" >"$work/out" 2>"$work/err" || status=$?
}
for option in --help -h; do
  run "$option"
  [[ $status -eq 0 && $(head -1 "$work/out") == "Utilisation : korvel [FICHIER]" && ! -s $work/err ]] ||
    fail "$option: status $status, $(head -3 "$work/out") $(cat "$work/err")"
done
run --version
[[ $status -eq 0 && $(cat "$work/out") == "korvel $version" ]] || fail "--version: status $status, $(cat "$work/out" "$work/err")"
for arguments in "--bogus" "-platform xcb" "a.png b.png"; do
  # shellcheck disable=SC2086
  run $arguments
  [[ $status -eq 2 && ! -s $work/out && $(wc -l <"$work/err") -eq 1 && $(cat "$work/err") == "korvel : "* ]] ||
    fail "$arguments: status $status, $(cat "$work/out" "$work/err")"
done

start_xvfb 1920 1080
cp "$program" "$work/korvel"
mkdir -p "$work/pictures"
convert -size 960x1080 xc:'rgb(20,200,40)' -size 960x1080 xc:'rgb(200,40,20)' +append "$work/pictures/deux côtés.png"
# Cut in its middle: refused, with the reason.
head -c $(($(stat -c %s "$work/pictures/deux côtés.png") / 2)) "$work/pictures/deux côtés.png" >"$work/pictures/coupée.png"

korvel_pid=''
on_exit '[[ -n $korvel_pid ]] && kill $korvel_pid 2>/dev/null'
# start DIRECTORY ARGUMENT: the program started from DIRECTORY.
start() {
  (cd "$1" && QT_QPA_PLATFORM=xcb exec "$work/korvel" "$2") >"$work/korvel.log" 2>&1 &
  korvel_pid=$!
}
stop() { kill "$korvel_pid"; wait "$korvel_pid" 2>/dev/null || true; korvel_pid=''; }
# Until the picture's two halves show above the panel, 20 s at most.
picture_drawn() {
  for _ in $(seq 200); do
    kill -0 "$korvel_pid" 2>/dev/null || fail "korvel exited: $(cat "$work/korvel.log")"
    shoot "$work/shown.png"
    [[ $(pixel "$work/shown.png" 100 100) == 20,200,40 && $(pixel "$work/shown.png" 1800 800) == 200,40,20 ]] && return 0
    sleep 0.1
  done
  return 1
}

begin=$(date +%s%N)
start "$work" "pictures/deux côtés.png"
picture_drawn || fail "the picture named by a relative path is not drawn"
echo "command_line: $(( ($(date +%s%N) - begin) / 1000000 )) ms from the start to the 1920x1080 PNG drawn"
stop

start / "file://$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$work/pictures/deux côtés.png")"
picture_drawn || fail "the picture named by a file:// URI is not drawn"
stop

start "$work/pictures" coupée.png
box=''
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Korvel$' 2>/dev/null | sed -n 2p) && [[ -n $box ]] && break
  sleep 0.1
done
[[ -n $box ]] || fail "no message for a damaged picture"
sleep 0.3
shoot "$work/refused.png"
[[ $(pixel "$work/refused.png" 100 100) == 0,0,0 && $(pixel "$work/refused.png" 1800 800) == 0,0,0 ]] ||
  fail "the new picture did not stay black behind the message"
xdotool key Return
sleep 0.5
kill -0 "$korvel_pid" 2>/dev/null || fail "korvel ended after the message"
[[ $(xdotool search --onlyvisible --name '^Korvel$' 2>/dev/null | wc -l) -eq 1 ]] || fail "the message is still shown"
stop
echo "command_line: ok"
