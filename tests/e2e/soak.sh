#!/usr/bin/env bash
# Soak test: the real program under Xvfb driven for MINUTES by random strokes,
# panel clicks and keys (quitting answered No). After every action a probe
# stroke must produce a new snapshot within 5 s, else the program hangs.
# Records the resident memory once a minute. Fails on a crash, a hang, or
# memory grown more than 5 % after the first ten minutes.
#   tests/e2e/soak.sh path/to/korvel MINUTES [OUTPUT_DIR]
# Writes OUTPUT_DIR/memory.csv (minute, actions, strokes, rss_kb) and
# OUTPUT_DIR/soak.log.
set -uo pipefail
program=${1:?path to korvel}
minutes=${2:?minutes}
out=${3:-$PWD/soak-results}
mkdir -p "$out"
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || { echo "$tool missing" >&2; exit 1; }; done
source "$(dirname "$0")/session.sh"
width=1920 height=1080
panel_top=$((height - 132))
seed=${KORVEL_SOAK_SEED:-$RANDOM}
RANDOM=$seed
log() { echo "$(date -u +%H:%M:%S) $*" | tee -a "$out/soak.log"; }
: >"$out/soak.log"
echo "minute,actions,strokes,rss_kb" >"$out/memory.csv"

e2e_start_x "$width" "$height"
e2e_start_korvel "$program"
log "soak: $minutes min, seed $seed, pid $e2e_korvel_pid"

alive() { kill -0 "$e2e_korvel_pid" 2>/dev/null; }
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$e2e_korvel_pid/status" 2>/dev/null; }
newest_snapshot() { stat -c '%Y.%y' "$e2e_work"/~1*.bmp 2>/dev/null | sort | tail -1; }
# Answers every box and dialog the program opened: No, or Cancel.
close_boxes() {
  local tries=0 others
  while ((tries++ < 10)); do
    others=$(xdotool search --onlyvisible --pid "$e2e_korvel_pid" 2>/dev/null | wc -l)
    ((others > 1)) || return 0
    xdotool key Escape
    sleep 0.2
  done
}

strokes=0 actions=0
# Every action, for reading back what led to a failure.
act() { echo "$*" >>"$out/actions.log"; }
: >"$out/actions.log"
random_stroke() {
  local x=$((RANDOM % width)) y=$((RANDOM % panel_top)) n=$((2 + RANDOM % 8))
  xdotool mousemove "$x" "$y" mousedown 1
  for _ in $(seq "$n"); do
    x=$((x + RANDOM % 161 - 80)) y=$((y + RANDOM % 161 - 80))
    ((x < 0)) && x=0; ((y < 0)) && y=0; ((x >= width)) && x=$((width - 1)); ((y >= panel_top)) && y=$((panel_top - 1))
    xdotool mousemove "$x" "$y"
  done
  xdotool mouseup 1
  strokes=$((strokes + 1))
  act "stroke to $x,$y"
}
# A click or a key may open a box (Quit, the colour dialog...): it is given
# time to appear, then answered No before anything else is typed into it.
panel_click() {
  local x=$((RANDOM % width)) y=$((panel_top + RANDOM % 132))
  xdotool mousemove "$x" "$y" click 1
  act "click $x,$y"
  sleep 0.15
  close_boxes
}
keys=(F8 F9 Left Right w x W X e p c space F1 Escape F12 1 2 3)
random_key() {
  local key=${keys[RANDOM % ${#keys[@]}]}
  xdotool key "$key"
  act "key $key"
  [[ $key == Escape || $key == F12 ]] && sleep 0.3
  close_boxes
}

# A stroke on the picture must be written within 5 s. When a state the
# random input left (a popup list holding the mouse, a focused memo...)
# swallows the probe, boxes are answered, Escape is pressed and the probe
# tried once more; if that too writes nothing the program hangs unless its
# interface thread is found idle in its event loop (counted as a missed probe).
probe_once() {
  local before
  before=$(newest_snapshot)
  # A right-button release writes a snapshot whatever the trace type (the
  # elliptical stroke included, which it ends).
  xdotool mousemove 300 300 mousedown 1 mousemove 320 310 mouseup 1 click 3
  strokes=$((strokes + 1))
  act "probe"
  for _ in $(seq 50); do
    [[ $(newest_snapshot) != "$before" ]] && return 0
    alive || return 1
    sleep 0.1
  done
  return 1
}
missed=0
probe() {
  close_boxes
  probe_once && return 0
  alive || return 1
  close_boxes
  xdotool key Escape
  sleep 0.3
  close_boxes
  probe_once && return 0
  alive || return 1
  # Sampled ten times over a second: a thread busy drawing may be caught
  # outside its wait once; a hung one never waits for events.
  local wchan=''
  for _ in $(seq 10); do
    wchan=$(cat "/proc/$e2e_korvel_pid/task/$e2e_korvel_pid/wchan" 2>/dev/null)
    [[ $wchan == *poll* ]] && break
    sleep 0.1
  done
  if [[ $wchan == *poll* ]]; then
    missed=$((missed + 1))
    log "probe missed (interface thread idle in its event loop, $wchan)"
    act "MISSED"
    import -window root "$out/missed-$missed.png" 2>/dev/null || true
    return 0
  fi
  return 1
}

status=0
start=$(date +%s)
next_minute=1
first_rss=$(rss_kb)
log "rss at start ${first_rss} kB"
while :; do
  now=$(date +%s)
  if ((now - start >= next_minute * 60)); then
    rss=$(rss_kb)
    echo "$next_minute,$actions,$strokes,$rss" >>"$out/memory.csv"
    log "minute $next_minute: $actions actions, $strokes strokes, rss $rss kB"
    next_minute=$((next_minute + 1))
  fi
  ((now - start >= minutes * 60)) && break
  for _ in $(seq 5); do
    case $((RANDOM % 10)) in
      0 | 1 | 2 | 3 | 4 | 5) random_stroke ;;
      6 | 7) panel_click ;;
      *) random_key ;;
    esac
    actions=$((actions + 1))
  done
  if ! alive; then
    wait "$e2e_korvel_pid"
    log "CRASH: korvel ended with status $? after $actions actions"
    e2e_korvel_pid='' status=1
    break
  fi
  if ! probe; then
    if alive; then
      log "HANG: no snapshot within 5 s after $actions actions (screen in hang.png)"
      import -window root "$out/hang.png" 2>/dev/null || true
      command -v gdb >/dev/null &&
        gdb -p "$e2e_korvel_pid" -batch -ex 'thread apply all bt 25' >"$out/hang-stack.txt" 2>&1 || true
      cp "$e2e_work/korvel.log" "$out/" 2>/dev/null || true
    else
      log "CRASH during the probe"
    fi
    status=1
    break
  fi
done

# Resident memory saws up and down by a snapshot's buffers (8 MB at full
# HD) with the moment of the sample: the highest sample after minute 10 is
# compared with the highest of the first ten minutes.
if ((status == 0 && minutes > 10)); then
  first_peak=$(awk -F, 'NR > 1 && $1 <= 10 && $4 > m {m = $4} END {print m}' "$out/memory.csv")
  later_peak=$(awk -F, 'NR > 1 && $1 > 10 && $4 > m {m = $4} END {print m}' "$out/memory.csv")
  log "memory: highest $first_peak kB in the first ten minutes, $later_peak kB after"
  if [[ -n $first_peak && -n $later_peak ]] && ((later_peak * 100 > first_peak * 105)); then
    log "MEMORY: grew more than 5 % after the first ten minutes"
    status=1
  fi
fi
if ((status == 0)); then
  close_boxes
  e2e_quit || { log "korvel exited with status $?"; status=1; }
fi
log "soak: $( ((status == 0)) && echo ok || echo FAIL ), $actions actions, $strokes strokes, $missed missed probes"
exit "$status"
