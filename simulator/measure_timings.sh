#!/usr/bin/env bash
# Prints how long a simulated upgrade takes, in normal mode and with --fast-progress:
# the download of an image, the time until the unit is listed again, and the read-back.
# The download must stay well under the tool's 30-second wait for one dfu-util run.
#
#   simulator/measure_timings.sh [IMAGE]   (default: the build's firmware.bin)

set -eu
script_dir=$(cd "$(dirname "$0")" && pwd)
simulator=$script_dir/dfu-util_simulator.sh
image=${1:-$script_dir/../build/software/resources/resources/firmware.bin}
[ -r "$image" ] || { echo "no image at $image (build first, or name one)" >&2; exit 1; }

DFU_UTIL_SIMULATOR_STATE=$(mktemp -d)
export DFU_UTIL_SIMULATOR_STATE
trap 'rm -rf "$DFU_UTIL_SIMULATOR_STATE"' EXIT

now_ms() { local micro=${EPOCHREALTIME/[.,]/}; echo $((10#$micro / 1000)); }
seconds_since() { local ms=$(($(now_ms) - $1)); printf '%d.%03d' $((ms / 1000)) $((ms % 1000)); }

measure() {
  local label=$1 start download back upload verdict=differs
  local fast=("${@:2}")
  "$simulator" --dfu-util-command setup_prepared_config default >/dev/null
  start=$(now_ms)
  "$simulator" --dfu-util-command download_FW "${fast[@]}" -d 0483 -a 0 -s 0x08000000:leave -D "$image" >/dev/null 2>&1
  download=$(seconds_since "$start")
  start=$(now_ms)
  until "$simulator" --dfu-util-command list "${fast[@]}" -d 0483 -l | grep -q '^Found DFU'; do sleep 0.05; done
  back=$(seconds_since "$start")
  start=$(now_ms)
  "$simulator" --dfu-util-command upload_FW "${fast[@]}" -d 0483 -a 0 -s "0x08000000:$(wc -c <"$image")" \
    -U "$DFU_UTIL_SIMULATOR_STATE/read_back.bin" >/dev/null
  upload=$(seconds_since "$start")
  cmp -s "$image" "$DFU_UTIL_SIMULATOR_STATE/read_back.bin" && verdict=matches
  rm -f "$DFU_UTIL_SIMULATOR_STATE/read_back.bin"
  printf '%-8s download %7s s   back in bootloader after %6s s   read-back %6s s   (%s)\n' \
    "$label" "$download" "$back" "$upload" "$verdict"
}

printf 'image: %s (%d bytes)\n' "$image" "$(wc -c <"$image")"
measure normal
measure fast --fast-progress
