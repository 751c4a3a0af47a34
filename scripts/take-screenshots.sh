#!/usr/bin/env bash
# Takes the README's pictures: the built tool under Xvfb against the simulated unit, one
# picture per situation, into docs/. Needs Xvfb, xdotool and imagemagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$PWD/build/bin/strobix-upgrade
simulator=$PWD/simulator/dfu-util_simulator.sh
title="Strobix Firmware Upgrade Tool"
out=${1:-docs}
mkdir -p "$out"
[ -x "$tool" ] || { echo "screenshots: build first (bash scripts/build.sh)" >&2; exit 1; }

# shot NAME CONFIGURATION SECONDS_BEFORE [click SECONDS_AFTER] [log]
shot() {
  local name=$1 configuration=$2 wait_s=$3 action=${4:-} after_s=${5:-0}
  local state tmp
  state=$(mktemp -d) tmp=$(mktemp -d)
  DFU_UTIL_SIMULATOR_STATE=$state "$simulator" --dfu-util-command setup_prepared_config "$configuration" >/dev/null
  DFU_UTIL_SIMULATOR_STATE=$state TMPDIR=$tmp xvfb-run -a -s '-screen 0 1920x1080x24 -dpi 96' bash -c '
    "$0" -s -l 2>/dev/null &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name "^$1\$" | head -n1)
    sleep "$2"
    case "$3" in
      click) xdotool mousemove --window "$window" 332 437 click 1; sleep "$4" ;;
      log)   xdotool windowfocus --sync "$window" key ctrl+l; sleep 1 ;;
    esac
    if [ "$3" = log ]; then import -window root "$5"; else import -window "$window" "$5"; fi
    kill "$pid"; wait "$pid" 2>/dev/null || true' \
    "$tool" "$title" "$wait_s" "$action" "$after_s" "$out/$name.png"
  # The desktop is black and empty: keep only the windows on it.
  [ "$action" = log ] && convert "$out/$name.png" -trim +repage "$out/$name.png"
  rm -rf "$state" "$tmp"
  echo "screenshots: $out/$name.png"
}

shot no-unit no_unit 3
shot upgrade-offered default 4
shot upgrading default 4 click 3
shot verified current_fw 6
shot differs corrupt_write 4 click 19
shot other-product other_product 4
shot log-window default 4 log
