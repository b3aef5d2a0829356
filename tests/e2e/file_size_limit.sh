#!/usr/bin/env bash
# Under a file-size limit (ulimit -f) too small for a snapshot, a stroke's
# write fails: the program must report it in a box and go on, not die of
# SIGXFSZ, and leave no partial file behind.
#   tests/e2e/file_size_limit.sh path/to/korvel
set -euo pipefail
program=${1:?path to korvel}
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 1; }; done
source "$(dirname "$0")/session.sh"
width=1024 height=768

e2e_start_x "$width" "$height"
# 1000 blocks of 1024 bytes: far below the 3 MB of a 1024x768 snapshot.
e2e_start_korvel "$program" bash -c 'ulimit -f 1000 && exec "$0"'
e2e_stroke 600 700 300

for _ in $(seq 100); do [[ $(e2e_korvel_windows) -ge 2 ]] && break; sleep 0.1; done
kill -0 "$e2e_korvel_pid" 2>/dev/null || { wait "$e2e_korvel_pid" || e2e_fail "korvel died writing the snapshot (status $?)"; }
[[ $(e2e_korvel_windows) -ge 2 ]] || e2e_fail "no error box after the failed snapshot"
ls "$e2e_work" | grep -q '^~10' && e2e_fail "a snapshot file was left: $(ls "$e2e_work")"
xdotool key Return
for _ in $(seq 50); do [[ $(e2e_korvel_windows) -eq 1 ]] && break; sleep 0.1; done
[[ $(e2e_korvel_windows) -eq 1 ]] || e2e_fail "the error box did not close"

status=0
e2e_quit || status=$?
[[ $status -eq 0 ]] || e2e_fail "korvel exited with status $status"
echo "file_size_limit: ok"
