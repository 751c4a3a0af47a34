#!/usr/bin/env bash
# Stands in for dfu-util 0.9 in the upgrade tool's simulator mode: a Strobix unit in its
# STM32F4 DFU bootloader, whose product record, flash and plug state live in a state
# directory, so that every run sees what the runs before it did.
#
#   dfu-util_simulator.sh --dfu-util-command WORD [--fast-progress] DFU-UTIL-ARGUMENTS...
#   dfu-util_simulator.sh [--help]
#
# WORD is the dfu-util operation the tool means (version, list, upload_OTP, upload_FW,
# download_FW) or setup_prepared_config with a configuration name. Needs bash and
# coreutils only. Every file of the state directory is replaced by write-and-rename, so
# that a run never sees half of another run's write.

set -u
export LC_ALL=C

readonly script_name=${0##*/}
script_dir=$(cd "$(dirname "$0")" && pwd)
readonly script_dir

# dfu-util's exit codes (sysexits.h), and the script's own for a wrong call.
readonly EX_USAGE=64 EX_IOERR=74 EX_SCRIPT=2

readonly first_serial=3276387E3036
readonly second_serial=2F5A38613436

# The bootloader's alternate settings as dfu-util names them, by number.
readonly alt_names=(
  "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"
  "@Option Bytes  /0x1FFFC000/01*016 e"
  "@OTP Memory /0x1FFF7800/01*512 e,01*016 e"
  "@Device Feature/0xFFFF0000/01*004 e"
)
# The memories the simulated unit keeps: the flash of alternate setting 0, and the OTP
# memory of alternate setting 2 (the 512-byte area and its 16 lock bytes).
readonly flash_start=$((0x08000000)) flash_size=$((1024 * 1024))
readonly otp_start=$((0x1FFF7800)) otp_size=528

# shellcheck source-path=SCRIPTDIR source=unit_images.sh
source "$script_dir/unit_images.sh" || exit "$EX_SCRIPT"

# --- output as dfu-util writes it ----------------------------------------------------------

banner() {
  printf 'dfu-util 0.9\n\n'
  printf 'Copyright 2005-2009 Weston Schmidt, Harald Welte and OpenMoko Inc.\n'
  printf 'Copyright 2010-2016 Tormod Volden and Stefan Schmidt\n'
  printf 'This program is Free Software and has ABSOLUTELY NO WARRANTY\n'
  printf 'Please report bugs to http://sourceforge.net/p/dfu-util/tickets/\n\n'
}

# dfu-util's errx(): the message on standard error, then the exit.
dfu_fail() {
  printf 'dfu-util: %s\n' "$2" >&2
  exit "$1"
}

script_fail() {
  printf '%s: %s\n' "$script_name" "$1" >&2
  exit "$EX_SCRIPT"
}

# dfu-util's progress bar: redrawn in place, 25 characters wide.
progress_line() {
  local what=$1 done=$2 total=$3 filled bar
  [ "$total" -gt 0 ] || total=1
  filled=$((25 * done / total))
  printf -v bar '%*s' "$filled" ''
  printf -v bar '%-25s' "${bar// /=}"
  printf '\r%s\t[%s] %3d%% %12d bytes' "$what" "$bar" $((100 * done / total)) "$done"
}

# --- time ------------------------------------------------------------------------------------

# Milliseconds since the epoch, into `now_ms`.
read_clock() {
  if [ -n "${EPOCHREALTIME:-}" ]; then
    local micro=${EPOCHREALTIME/[.,]/}
    now_ms=$((10#$micro / 1000))
  else
    local nano
    nano=$(date +%s%N)
    case "$nano" in
      *N) now_ms=$(($(date +%s) * 1000)) ;;
      *) now_ms=$((nano / 1000000)) ;;
    esac
  fi
}

# Sleeps in the background and waits for it, so that a run ended by SIGTERM (the tool
# ends a run it no longer needs) takes its sleep along instead of leaving it behind.
sleep_s() {
  sleep "$1" &
  sleeper=$!
  trap 'kill "$sleeper" 2>/dev/null; exit 143' TERM
  wait "$sleeper"
  trap - TERM
}

pause_ms() {
  [ "$1" -gt 0 ] || return 0
  local seconds
  printf -v seconds '%d.%03d' $(($1 / 1000)) $(($1 % 1000))
  sleep_s "$seconds"
}

clamp() {
  local value=$1 low=$2 high=$3
  ((value < low)) && value=$low
  ((value > high)) && value=$high
  printf '%d' "$value"
}

# Simulated durations. A real 700 KB download takes 20 to 30 s; this one stays well under
# the tool's 30-second wait. --fast-progress makes all of them short.
download_ms() { if [ "$fast" = 1 ]; then echo 100; else clamp $(($1 / 64)) 1000 12000; fi; }
upload_ms() { if [ "$fast" = 1 ]; then echo 0; else clamp $(($1 / 512)) 0 3000; fi; }
# How long the unit is away after "leave" before it is back in its bootloader.
away_ms() { if [ "$fast" = 1 ]; then echo 500; else echo 3000; fi; }

# A transfer of `total` bytes over `ms` milliseconds, drawn as dfu-util draws it: one
# redraw per 2048-byte block, at most 25. With a fourth argument the transfer breaks off
# at that percentage: returns 1.
transfer() {
  local what=$1 total=$2 ms=$3 break_at=${4:-}
  local steps step
  steps=$(clamp $(((total + 2047) / 2048)) 1 25)
  for step in $(seq 0 "$steps"); do
    if [ -n "$break_at" ] && ((100 * step >= break_at * steps)); then
      return 1
    fi
    progress_line "$what" $((total * step / steps)) "$total"
    ((step < steps)) && pause_ms $((ms / steps))
  done
  printf '\n%s done.\n' "$what"
}

# --- state -------------------------------------------------------------------------------------

# The state directory: DFU_UTIL_SIMULATOR_STATE, or one per user in the temporary
# directory, which must be the user's own and no link.
open_state_dir() {
  if [ -n "${DFU_UTIL_SIMULATOR_STATE:-}" ]; then
    state_dir=$DFU_UTIL_SIMULATOR_STATE
    mkdir -p "$state_dir" 2>/dev/null || script_fail "cannot create state directory $state_dir"
  else
    state_dir=${TMPDIR:-/tmp}/dfu-util-simulator-$(id -u)
    mkdir -m 700 "$state_dir" 2>/dev/null
    if [ -L "$state_dir" ] || [ ! -d "$state_dir" ] || [ ! -O "$state_dir" ]; then
      script_fail "state directory $state_dir is not a directory of this user"
    fi
  fi
}

# Standard input becomes the state file `name`, in one rename.
write_state_file() {
  local temporary
  temporary=$(mktemp "$state_dir/.$1.XXXXXX") || script_fail "cannot write into $state_dir"
  if cat >"$temporary" && mv -f "$temporary" "$state_dir/$1"; then
    return 0
  fi
  rm -f "$temporary"
  script_fail "cannot write $state_dir/$1"
}

set_key() {
  printf '%s\n' "$2" | write_state_file "$1"
}

# The value of key `1` into the variable `1`, or `2` when the key was never written.
get_key() {
  local value=$2
  [ -f "$state_dir/$1" ] && IFS= read -r value <"$state_dir/$1"
  printf -v "$1" '%s' "$value"
}

load_state() {
  [ -f "$state_dir/config" ] || prepare_config default
  get_key attached 1
  get_key serials "$first_serial"
  get_key otp_readout works
  get_key download stores
  get_key returns yes
  get_key run_delay_s 0
  get_key back_in_dfu_at_ms 0
  [[ "$run_delay_s" =~ ^[0-9]{1,3}$ ]] || run_delay_s=0
  [[ "$back_in_dfu_at_ms" =~ ^-?[0-9]{1,16}$ ]] || back_in_dfu_at_ms=0
}

# Attached and in its bootloader. After a download with "leave" the unit runs its
# firmware until the time in back_in_dfu_at_ms (for ever when that is -1).
unit_in_dfu_mode() {
  [ "$attached" = 1 ] || return 1
  ((back_in_dfu_at_ms == 0)) && return 0
  ((back_in_dfu_at_ms < 0)) && return 1
  read_clock
  ((now_ms >= back_in_dfu_at_ms))
}

# --- prepared configurations ------------------------------------------------------------------

readonly configurations=(
  "default:a Strobix M30 (type 30) with firmware revision C1: the upgrade is offered"
  "current_fw:an M30 that already runs the firmware the tool carries"
  "blank_otp:a unit whose one-time-programmable area is blank (all 0xFF)"
  "other_product:a Q7 (type 43) with its own firmware, revision B7"
  "another_unit:a second unit, a Q7 with its own serial number, in place of the first"
  "fw_mismatch:an M30 whose flash holds Q7 firmware"
  "unknown_type:a unit whose product record names type 0x63, which no product has"
  "unreadable:reading the product record fails as a broken USB transfer does"
  "no_unit:no unit attached"
  "two_units:two M30 units attached"
  "bad_serial:an M30 whose serial number dfu-util cannot read (serial=\"UNKNOWN\")"
  "corrupt_write:an M30 whose flash stores one byte of a download wrong"
  "failing_download:an M30 whose download fails; it stays in its bootloader"
  "no_return:an M30 that does not come back to its bootloader after a download"
  "slow:an M30 where every dfu-util run takes 32 s, longer than the tool waits"
  "plug:attach the unit of the present configuration"
  "unplug:remove the unit of the present configuration"
)

# The firmware the tool carries, for current_fw.
carried_firmware() {
  printf '%s' "${DFU_UTIL_SIMULATOR_FIRMWARE:-$script_dir/../build/software/resources/resources/firmware.bin}"
}

prepare_config() {
  local name=$1
  local otp_type=30 fw_type=30 fw_name=Wren fw_rev=C1 flash_image=""
  local attached=1 serials=$first_serial otp_readout=works download=stores returns=yes run_delay_s=0
  case "$name" in
    default) ;;
    current_fw)
      flash_image=$(carried_firmware)
      [ -r "$flash_image" ] || script_fail "current_fw: no firmware image at $flash_image (set DFU_UTIL_SIMULATOR_FIRMWARE)"
      otp_type=$(product_type_of_image "$flash_image") ;;
    blank_otp) otp_type=blank ;;
    other_product) otp_type=43 fw_type=43 fw_name=Okapi fw_rev=B7 ;;
    another_unit) otp_type=43 fw_type=43 fw_name=Okapi fw_rev=B7 serials=$second_serial ;;
    fw_mismatch) fw_type=43 fw_name=Okapi fw_rev=B7 ;;
    unknown_type) otp_type=99 ;;
    unreadable) otp_readout=fails ;;
    no_unit) attached=0 ;;
    two_units) serials="$first_serial $second_serial" ;;
    bad_serial) serials=UNKNOWN ;;
    corrupt_write) download=corrupts ;;
    failing_download) download=fails ;;
    no_return) returns=no ;;
    slow) run_delay_s=32 ;;
    *) return 1 ;;
  esac
  if [ "$otp_type" = blank ]; then
    erased_bytes 512 | write_state_file otp.bin
  else
    otp_area "$otp_type" | write_state_file otp.bin
  fi
  if [ -n "$flash_image" ]; then
    write_state_file flash.bin <"$flash_image"
  else
    small_firmware_image "$fw_type" "$fw_name" "$fw_rev" | write_state_file flash.bin
  fi
  set_key attached "$attached"
  set_key serials "$serials"
  set_key otp_readout "$otp_readout"
  set_key download "$download"
  set_key returns "$returns"
  set_key run_delay_s "$run_delay_s"
  set_key back_in_dfu_at_ms 0
  # Written last: a state directory with this file holds a whole configuration.
  set_key config "$name"
}

# --- dfu-util's command line ------------------------------------------------------------------

parse_dfu_util_arguments() {
  opt_device="" opt_alt=0 opt_region="" opt_upload="" opt_download=""
  while [ $# -gt 0 ]; do
    case "$1" in
      -V | --version | -l | --list) ;;
      -d | --device | -a | --alt | -s | --dfuse-address | -U | --upload | -D | --download)
        [ $# -ge 2 ] || dfu_fail "$EX_USAGE" "option requires an argument -- '${1##*-}'"
        case "$1" in
          -d | --device) opt_device=$2 ;;
          -a | --alt) opt_alt=$2 ;;
          -s | --dfuse-address) opt_region=$2 ;;
          -U | --upload) opt_upload=$2 ;;
          -D | --download) opt_download=$2 ;;
        esac
        shift ;;
      *) dfu_fail "$EX_USAGE" "invalid option -- '${1#-}'" ;;
    esac
    shift
  done
  [[ "$opt_alt" =~ ^[0-9]{1,3}$ ]] || dfu_fail "$EX_USAGE" "No digits were found from the argument of --alt"
  opt_alt=$((10#$opt_alt))
}

# "-d 0483" or "-d 0483:df11" picks the bootloader; any other vendor or product does not.
device_filter_matches() {
  local vendor=${opt_device%%:*} product=""
  [ "$vendor" = "$opt_device" ] || product=${opt_device#*:}
  [ -z "$vendor" ] || [ "${vendor,,}" = 0483 ] || return 1
  [ -z "$product" ] || [ "${product,,}" = df11 ]
}

# The region of -s: `region_address`, and `region_length` (empty if none) or `region_leave`.
parse_region() {
  local modifier
  region_length="" region_leave=0
  IFS=: read -r -a parts <<<"$opt_region"
  [[ "${parts[0]:-}" =~ ^0[xX][0-9a-fA-F]{1,8}$ ]] || dfu_fail "$EX_USAGE" "Invalid dfuse address: $opt_region"
  region_address=$((parts[0]))
  for modifier in "${parts[@]:1}"; do
    if [ "$modifier" = leave ]; then
      region_leave=1
    elif [[ "$modifier" =~ ^[0-9]{1,10}$ ]]; then
      region_length=$((10#$modifier))
    else
      dfu_fail "$EX_USAGE" "Invalid dfuse modifier: $modifier"
    fi
  done
}

# What every transfer does first: find exactly one unit and claim its alternate setting.
open_unit() {
  local found=0
  if unit_in_dfu_mode && device_filter_matches && ((opt_alt < ${#alt_names[@]})); then
    read -r -a found_serials <<<"$serials"
    found=${#found_serials[@]}
  fi
  ((found > 0)) || dfu_fail "$EX_IOERR" "No DFU capable USB device available"
  ((found == 1)) || dfu_fail "$EX_IOERR" "More than one DFU capable USB device found! Try \`--list' and specify the serial number or disconnect all but one device"
  local interface_name=${alt_names[opt_alt]#@}
  printf 'Opening DFU capable USB device...\n'
  printf 'ID 0483:df11\n'
  printf 'Run-time device DFU version 011a\n'
  printf 'Claiming USB DFU Interface...\n'
  printf 'Setting Alternate Setting #%d ...\n' "$opt_alt"
  printf 'Determining device status: state = dfuIDLE, status = 0\n'
  printf 'dfuIDLE, continuing\n'
  printf 'DFU mode device DFU version 011a\n'
  printf 'Device returned transfer size 2048\n'
  printf 'DfuSe interface name: "%s"\n' "${interface_name%%/*}"
}

# Every run of the slow unit outlasts the tool's wait; the banner is out before the wait.
slow_unit_delay() {
  ((run_delay_s > 0)) && sleep_s "$run_delay_s"
  return 0
}

# --- the operations -----------------------------------------------------------------------------

run_version() {
  banner
  slow_unit_delay
}

run_list() {
  banner
  slow_unit_delay
  unit_in_dfu_mode && device_filter_matches || return 0
  local serial alt unit=0
  for serial in $serials; do
    unit=$((unit + 1))
    for alt in 3 2 1 0; do
      printf 'Found DFU: [0483:df11] ver=2200, devnum=%u, cfg=1, intf=0, path="1-%u", alt=%u, name="%s", serial="%s"\n' \
        $((6 + unit)) "$unit" "$alt" "${alt_names[alt]}" "$serial"
    done
  done
}

# Creates `file` for an upload as dfu-util does, refusing to overwrite anything.
create_upload_file() {
  local file=$1 reason
  (set -C && : >"$file") 2>/dev/null && return 0
  if [ -e "$file" ]; then
    reason="File exists"
  elif [ ! -d "$(dirname "$file")" ]; then
    reason="No such file or directory"
  else
    reason="Permission denied"
  fi
  dfu_fail "$EX_IOERR" "Cannot open file $file for writing: $reason"
}

run_upload() {
  banner
  slow_unit_delay
  [ -n "$opt_upload" ] || dfu_fail "$EX_USAGE" "You need to specify one of -D or -U"
  parse_region
  [ -n "$region_length" ] || dfu_fail "$EX_USAGE" "Unbound upload not supported on DfuSe devices"
  open_unit
  local start size memory
  case "$opt_alt" in
    0) start=$flash_start size=$flash_size memory=flash.bin ;;
    2) start=$otp_start size=$otp_size memory=otp.bin ;;
    *) script_fail "the simulated unit does not simulate alternate setting $opt_alt" ;;
  esac
  local offset=$((region_address - start))
  ((offset >= 0 && offset < size)) || dfu_fail "$EX_IOERR" "$(printf 'Page at 0x%08x can not be read' "$region_address")"
  create_upload_file "$opt_upload"
  if [ "$memory" = otp.bin ] && [ "$otp_readout" = fails ]; then
    progress_line Upload 0 "$region_length"
    dfu_fail "$EX_IOERR" "dfuse_upload: libusb_control_msg returned -9"
  fi
  local readable=$((size - offset))
  ((readable > region_length)) && readable=$region_length
  memory_bytes "$state_dir/$memory" "$offset" "$readable" >>"$opt_upload"
  if ((readable < region_length)); then
    progress_line Upload "$readable" "$region_length"
    dfu_fail "$EX_IOERR" "dfuse_upload: libusb_control_msg returned -9"
  fi
  transfer Upload "$region_length" "$(upload_ms "$region_length")"
}

# A raw image has no DFU suffix (its last 16 bytes would end in "UFD", 16 and a CRC):
# dfu-util warns and goes on. A DfuSe file (suffix with DFU version 1.1a) it refuses.
check_dfu_suffix() {
  local file=$1 size=$2 tail_bytes
  if ((size >= 16)); then
    read -r -a tail_bytes <<<"$(tail -c 16 "$file" | od -An -tx1 -v)"
    if [ "${tail_bytes[*]:8:4}" = "55 46 44 10" ]; then
      [ "${tail_bytes[7]}${tail_bytes[6]}" = 011a ] && dfu_fail "$EX_USAGE" "This is a DfuSe file, not meant for raw download"
      return 0
    fi
  fi
  printf 'dfu-util: Invalid DFU suffix signature\n' >&2
  printf 'dfu-util: A valid DFU suffix will be required in a future dfu-util release!!!\n' >&2
}

run_download() {
  banner
  [ -n "$opt_download" ] || dfu_fail "$EX_USAGE" "You need to specify one of -D or -U"
  if [ ! -f "$opt_download" ] || [ ! -r "$opt_download" ]; then
    dfu_fail "$EX_IOERR" "Could not open file $opt_download for reading: No such file or directory"
  fi
  local size
  size=$(wc -c <"$opt_download")
  size=$((size))
  check_dfu_suffix "$opt_download" "$size"
  slow_unit_delay
  parse_region
  open_unit
  ((opt_alt == 0 && region_address == flash_start)) \
    || script_fail "the simulated unit takes downloads at 0x08000000 of alternate setting 0 only"
  ((size <= flash_size)) \
    || dfu_fail "$EX_IOERR" "$(printf 'Last page at 0x%08x is not writeable' $((flash_start + size - 1)))"
  printf 'Downloading to address = 0x%08x, size = %d\n' "$region_address" "$size"
  if [ "$download" = fails ]; then
    transfer Download "$size" "$(download_ms "$size")" 40
    dfu_fail "$EX_IOERR" "Error during download get_status"
  fi
  transfer Download "$size" "$(download_ms "$size")"
  if [ "$download" = corrupts ]; then
    with_last_byte_flipped "$opt_download" "$size" | write_state_file flash.bin
  else
    write_state_file flash.bin <"$opt_download"
  fi
  printf 'File downloaded successfully\n'
  ((region_leave)) || return 0
  printf 'Transitioning to dfuMANIFEST state\n'
  if [ "$returns" = yes ]; then
    read_clock
    set_key back_in_dfu_at_ms $((now_ms + $(away_ms)))
  else
    set_key back_in_dfu_at_ms -1
  fi
}

run_setup() {
  [ $# -eq 1 ] || script_fail "setup_prepared_config needs one configuration name (see --help)"
  case "$1" in
    plug) set_key attached 1 ;;
    unplug) set_key attached 0 ;;
    *) prepare_config "$1" || script_fail "unknown configuration '$1' (see --help)" ;;
  esac
  printf '%s: configuration %s set up in %s\n' "$script_name" "$1" "$state_dir"
}

print_help() {
  cat <<EOF
Usage: $script_name --dfu-util-command WORD [--fast-progress] DFU-UTIL-ARGUMENTS...

Stands in for dfu-util 0.9 in the Strobix upgrade tool's simulator mode (strobix-upgrade -s).
WORD is one of version, list, upload_OTP, upload_FW, download_FW, setup_prepared_config.
--fast-progress (or DFU_UTIL_SIMULATOR_FAST=1) makes every simulated delay short.

The simulated unit lives in \$DFU_UTIL_SIMULATOR_STATE if set, else in
\${TMPDIR:-/tmp}/dfu-util-simulator-<user id>. To prepare it:

  $script_name --dfu-util-command setup_prepared_config NAME

Configurations:
EOF
  local entry
  for entry in "${configurations[@]}"; do
    printf '  %-18s %s\n' "${entry%%:*}" "${entry#*:}"
  done
}

main() {
  if [ $# -eq 0 ] || { [ $# -eq 1 ] && [ "$1" = --help ]; }; then
    print_help
    exit 0
  fi
  if [ "$1" != --dfu-util-command ] || [ $# -lt 2 ]; then
    script_fail "usage: $script_name --dfu-util-command WORD ... (see --help)"
  fi
  local word=$2
  shift 2
  # DFU_UTIL_SIMULATOR_FAST=1 does what --fast-progress does, for runs whose command
  # line a test cannot choose (the tool's own start-up asks for normal progress).
  fast=0
  [ "${DFU_UTIL_SIMULATOR_FAST:-}" = 1 ] && fast=1
  if [ "${1:-}" = --fast-progress ]; then
    fast=1
    shift
  fi
  open_state_dir
  if [ "$word" = setup_prepared_config ]; then
    run_setup "$@"
    exit 0
  fi
  load_state
  parse_dfu_util_arguments "$@"
  case "$word" in
    version) run_version ;;
    list) run_list ;;
    upload_OTP | upload_FW) run_upload ;;
    download_FW) run_download ;;
    *) script_fail "unknown dfu-util command word '$word'" ;;
  esac
  exit 0
}

main "$@"
