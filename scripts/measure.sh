#!/usr/bin/env bash
# Prints figures of the built tool (build first: bash scripts/build.sh):
#   - time from start to the window shown,
#   - CPU share of the tool and its dfu-util children while it scans with no unit,
#   - peak memory,
#   - one simulated upgrade in fast mode from the click to the verdict, against the sum
#     of the same dfu-util runs made directly.
# Runs the tool under its own Xvfb; needs Xvfb and xdotool (scripts/setup.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$PWD/build/bin/strobix-upgrade
simulator=$PWD/simulator/dfu-util_simulator.sh
title="Strobix Firmware Upgrade Tool"
scan_seconds=${SCAN_SECONDS:-20}
[ -x "$tool" ] || { echo "measure: no $tool; build first (bash scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid="" tool_pid=""
cleanup() {
  [ -n "$tool_pid" ] && kill "$tool_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

now_ms() { local micro=${EPOCHREALTIME/[.,]/}; echo $((10#$micro / 1000)); }
ms_between() { echo $(($2 - $1)); }
# Seconds since the tool's start at the first log line that contains $1.
log_time() { grep -m1 -F -- "$1" "$work/log" | awk '{print $1}'; }
wait_for_log() {
  for _ in $(seq 600); do grep -q -F -- "$1" "$work/log" 2>/dev/null && return 0; sleep 0.05; done
  echo "measure: the tool never logged '$1'" >&2; exit 1
}
cpu_ticks() { awk '{print $14 + $15 + $16 + $17}' "/proc/$1/stat"; }
peak_kib() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }

start_tool() {
  mkdir -p "$work/tmp"
  : >"$work/log"
  env TMPDIR="$work/tmp" QT_MESSAGE_PATTERN='%{time process} %{message}' "$@" "$tool" "${tool_args[@]}" \
    2>"$work/log" >/dev/null &
  tool_pid=$!
}
stop_tool() {
  kill "$tool_pid" 2>/dev/null || true
  wait "$tool_pid" 2>/dev/null || true
  tool_pid=""
  rm -rf "$work/tmp"
}

echo "== start-up and scanning with no unit (real dfu-util, ${scan_seconds} s)"
tool_args=()
launched=$(now_ms)
start_tool
until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.01; done
shown=$(now_ms)
wait_for_log "Starting sm_A"
echo "window shown after        $(ms_between "$launched" "$shown") ms (from the launch, as xdotool sees it)"
sleep 2
ticks0=$(cpu_ticks "$tool_pid") t0=$(now_ms)
sleep "$scan_seconds"
ticks1=$(cpu_ticks "$tool_pid") t1=$(now_ms)
hz=$(getconf CLK_TCK)
awk -v d=$((ticks1 - ticks0)) -v hz="$hz" -v ms=$((t1 - t0)) \
  'BEGIN { printf "CPU while scanning        %.1f %% of one core (tool and its dfu-util runs)\n", 100 * d / hz / (ms / 1000) }'
echo "peak memory (VmHWM)       $(($(peak_kib "$tool_pid") / 1024)) MiB"
stop_tool

echo "== one simulated upgrade, fast mode"
export DFU_UTIL_SIMULATOR_STATE="$work/unit"
"$simulator" --dfu-util-command setup_prepared_config default >/dev/null
tool_args=(-s)
start_tool DFU_UTIL_SIMULATOR_FAST=1
wait_for_log "SM_B: entered B2"
window=$(xdotool search --sync --name "^$title\$" | head -n1)
# The install button's middle, in window coordinates.
xdotool mousemove --window "$window" 332 437 click 1
wait_for_log "SM_B: /sig_FwMatches"
clicked=$(log_time "Install clicked") verdict=$(log_time "SM_B: /sig_FwMatches")
awk -v a="$clicked" -v b="$verdict" 'BEGIN { printf "tool: click to verdict    %.2f s\n", b - a }'
echo "peak memory (VmHWM)       $(($(peak_kib "$tool_pid") / 1024)) MiB"
image=$(find "$work/tmp" -name firmware.bin | head -n1)
cp "$image" "$work/firmware.bin"
stop_tool

# The same dfu-util runs, made directly one after the other.
"$simulator" --dfu-util-command setup_prepared_config default >/dev/null
run() { "$simulator" --dfu-util-command "$1" --fast-progress "${@:2}" >/dev/null 2>&1; }
rm -f "$work"/*.out
t0=$(now_ms)
run download_FW -d 0483 -a 0 -s 0x08000000:leave -D "$work/firmware.bin"
t1=$(now_ms)
until "$simulator" --dfu-util-command list --fast-progress -d 0483 -l | grep -q '^Found DFU'; do sleep 0.02; done
t2=$(now_ms)
run list -d 0483 -l
run upload_OTP -d 0483 -a 2 -s 0x1FFF7800:512 -U "$work/otp.out"
run upload_FW -d 0483 -a 0 -s 0x08000000:2048 -U "$work/info.out"
run upload_FW -d 0483 -a 0 -s "0x08000000:$(stat -c %s "$work/firmware.bin")" -U "$work/flash.out"
t3=$(now_ms)
runs=$(( (t1 - t0) + (t3 - t2) )) away=$((t2 - t1))
awk -v r="$runs" -v a="$away" 'BEGIN {
  printf "direct: dfu-util runs     %.2f s (download, list, three read-outs)\n", r / 1000
  printf "        unit away         %.2f s (after leave, until listed again)\n", a / 1000
  printf "        together          %.2f s\n", (r + a) / 1000 }'
echo "The rest of the tool's time is its rhythm: a scan every 0.5 s while no unit is there,"
echo "a poll every 1 s while one is served, and the command taken at the next poll."
