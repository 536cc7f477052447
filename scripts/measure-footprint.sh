#!/usr/bin/env bash
# Measures Tevanor.exe under Wine on a virtual desktop: its memory after the start and after
# 100 blocks, and the processor time it takes in one idle minute with 30 more windows open
# (read from the system, since Wine reports no times for another process). Prints numbers,
# asserts nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh win >/dev/null
state=build/win/measure-session
scripts/wine-session start "$state"
trap 'scripts/wine-session stop "$state"' EXIT
log="$state/footprint.log"
: >"$log"
scripts/wine-session run "$state" explorer /desktop=tevanor-e2e,1024x768 \
  "Z:$PWD/build/win/bin/e2e_footprint.exe" >"$log" 2>&1 &
runner=$!

wait_for() {
  until grep -q "$1" "$log"; do
    kill -0 "$runner" 2>/dev/null || { cat "$log"; exit 1; }
    sleep 0.5
  done
}
ticks() {
  local pid
  pid=$(pgrep -f 'e2e-tevanor.Tevanor\.exe' | head -1)
  awk '{print $14 + $15}' "/proc/$pid/stat"
}
wait_for '^idle: begin'
start=$(ticks)
wait_for '^idle: end'
end=$(ticks)
wait "$runner" || true
grep -v '^idle:' "$log"
echo "processor time of Tevanor.exe in the idle minute: $(( (end - start) * 1000 / $(getconf CLK_TCK) )) ms"
