#!/usr/bin/env bash
# CPU time of the program on a virtual display: at rest (past the splash, the
# start-up steps and the settling of the point preview) and, when xdotool is
# there, with the transformation editor open at rest ("Editors",
# "Transformations", "Edit" on), once more after "Edit" is switched off
# (with the seconds the window took to rest again); with a resolution preset
# picked and not applied ("Camera", "Resolution presets", "512 x 512"), on
# "Camera", where the reminder around "Change" pulses, and on "Fractals",
# where it is not drawn; at rest once more after "Change"; and while a
# (512 x 512) render runs after a press on "Render". Prints the share of one
# core over the whole process (all its threads, the GL driver's too) and over
# its window thread alone, and the resident memory.
#
#   scripts/idle-cpu.sh [talvoran] [seconds measured, 10] [seconds to settle, 30]
set -euo pipefail

bin=${1:-build/talvoran}
seconds=${2:-10}
settle=${3:-30}

if ! command -v Xvfb > /dev/null; then
  echo "idle-cpu: needs Xvfb (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

display=
for d in $(seq 91 140); do
  if [ ! -e "/tmp/.X11-unix/X$d" ] && [ ! -e "/tmp/.X$d-lock" ]; then display=$d; break; fi
done
[ -n "$display" ] || { echo "idle-cpu: no free display number" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  # The program would ask "Do you want to Quit?": it is ended outright.
  [ -n "$program_pid" ] && kill -KILL "$program_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
sleep 1

export DISPLAY=":$display"
export TALVORAN_SETTINGS_FILE="$work/settings.ini"
export XDG_DATA_HOME="$work/data"
"$bin" > "$work/program.log" 2>&1 &
program_pid=$!
sleep "$settle"
kill -0 "$program_pid" 2> /dev/null || { echo "idle-cpu: the program ended:" >&2; cat "$work/program.log" >&2; exit 1; }

hz=$(getconf CLK_TCK)
# utime + stime of the process, and of its first (window) thread.
ticks() { awk '{print $14 + $15}' "/proc/$program_pid/stat"; }
window_ticks() { awk '{print $14 + $15}' "/proc/$program_pid/task/$program_pid/stat"; }

measure() {
  local what=$1 a aw b bw
  a=$(ticks); aw=$(window_ticks)
  sleep "$seconds"
  b=$(ticks); bw=$(window_ticks)
  rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$program_pid/status")
  awk -v w="$what" -v t=$((b - a)) -v tw=$((bw - aw)) -v s="$seconds" -v hz="$hz" -v rss="$rss" \
    'BEGIN { printf "%s: %.1f %% of a core (window thread %.1f %%) over %d s, resident %.0f MB\n", w, 100 * t / (s * hz), 100 * tw / (s * hz), s, rss / 1024 }'
}

measure "at rest"

# Seconds until a second passes with the process under 5 % of a core, at most 60.
rested_after() {
  local a b n
  for n in $(seq 1 60); do
    a=$(ticks); sleep 1; b=$(ticks)
    if [ $((100 * (b - a))) -lt $((5 * hz)) ]; then echo "$n"; return; fi
  done
  echo "more than 60"
}

if command -v xdotool > /dev/null; then
  window=$(xdotool search --sync --name "Talvoran Vane" | head -1)
  # Places of the 1600 x 1000 virtual screen, y up: the tab "Editors" at
  # (352, 956), the page "Transformations" at (352, 924), "Edit" at (44, 888).
  click() { xdotool mousemove --window "$window" "$1" $((1000 - $2)) click 1; sleep 0.3; }
  click 352 956
  click 352 924
  click 44 888
  xdotool mousemove --window "$window" 1100 600  # over the preview, still
  sleep 15
  measure "transformation editor at rest"
  click 44 888
  xdotool mousemove --window "$window" 1100 600
  echo "after \"Edit\" off: at rest after $(rested_after) s"
  measure "editor closed, at rest"
  # The tabs "Fractals" at (64, 956) and "Camera" at (256, 956); on
  # "Camera" the rows "832 x 832" at (128, 710) and "512 x 512" at (128, 734)
  # of "Resolution presets" (the second pressed after the first, so that it
  # counts whatever row was picked before) and "Change" at (317, 812).
  click 256 956
  click 128 710
  click 128 734
  xdotool mousemove --window "$window" 1100 600
  sleep 5
  measure "\"Camera\", preset pending"
  click 64 956
  xdotool mousemove --window "$window" 1100 600
  sleep 5
  measure "\"Fractals\", preset pending"
  # "Change" holds the window thread 2 s, then the preview starts afresh.
  click 256 956
  click 317 812
  xdotool mousemove --window "$window" 1100 600
  sleep 15
  measure "preset applied, at rest"
  # "Render" at (740, 112) of the 1600 x 1000 virtual screen, y up.
  xdotool mousemove --window "$window" 740 888 click 1
  sleep 3
  measure "rendering"
else
  echo "rendering: not measured (no xdotool)"
fi
