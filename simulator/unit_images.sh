# shellcheck shell=bash
# The bytes of a simulated unit's memories, written to standard output with printf and
# coreutils; sourced by dfu-util_simulator.sh.

# One byte of value `1` (0 to 255).
byte() {
  local escape
  printf -v escape '\\0%03o' "$1"
  printf '%b' "$escape"
}

erased_bytes() {
  head -c "$1" /dev/zero | tr '\0' '\377'
}

zero_bytes() {
  head -c "$1" /dev/zero
}

# A 32-byte text field of a firmware information block: the text, then zeros.
text_field() {
  printf '%s' "$1"
  zero_bytes $((32 - ${#1}))
}

# The 512-byte one-time-programmable area: erased, with one product record of type `1`
# at offset 32 (marker 11 47 23 01, type, three unused product bytes, eight tail bytes).
otp_area() {
  erased_bytes 32
  printf '\021\107\043\001'
  byte "$1"
  printf '\377\377\377'
  printf '\062\166\070\176\060\066\000\000'
  erased_bytes $((512 - 32 - 16))
}

# A small firmware image: the start of a vector table, erased flash up to offset 428,
# where an image's information block begins, and the block for product type `1`, name
# `2` and revision `3`. Flash after it reads as erased.
small_firmware_image() {
  printf '\000\000\002\040\255\001\000\010'
  erased_bytes $((428 - 8))
  printf '\022\107\043\001'
  byte "$1"
  printf '\377\377\377'
  text_field "$2"
  text_field "$3"
  text_field "Build time"
  text_field "2024-05-14 09:12:33"
  text_field "RMI rev"
  text_field "7"
  text_field "GIT rev"
  text_field "4f2c9e1"
  printf '\023\107\043\001'
}

# The product type an image's information block names, when the block is where images
# carry it (offset 428); 30 otherwise.
product_type_of_image() {
  local head_bytes
  read -r -a head_bytes <<<"$(od -An -tu1 -v -j 428 -N 5 "$1")"
  if [ "${head_bytes[*]:0:4}" = "18 71 35 1" ] && [ -n "${head_bytes[4]:-}" ]; then
    printf '%d' "${head_bytes[4]}"
  else
    printf '30'
  fi
}

# `3` bytes of the memory file `1` from offset `2`, as the unit reads them: what was
# never written reads as erased.
memory_bytes() {
  local file=$1 offset=$2 length=$3 stored
  stored=$(wc -c <"$file")
  stored=$((stored - offset))
  ((stored < 0)) && stored=0
  ((stored > length)) && stored=$length
  tail -c +$((offset + 1)) "$file" | head -c "$stored"
  erased_bytes $((length - stored))
}

# The file `1` of `2` bytes with its last byte stored wrong, as a flaw in flash would.
with_last_byte_flipped() {
  local file=$1 size=$2 last
  ((size > 0)) || return 0
  head -c $((size - 1)) "$file"
  last=$(tail -c 1 "$file" | od -An -tu1)
  byte $((last ^ 1))
}
