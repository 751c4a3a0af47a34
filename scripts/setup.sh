#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the tool need.
# Safe to run again: packages already present are skipped, and apt is not touched
# at all when nothing is missing.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools
  # the dfu-util (and its libusb) that the tool embeds, and the DfuSe packer
  dfu-util libusb-1.0-0 patchelf
  # build-time generators: firmware image and the branded fonts
  python3 python3-fonttools fonts-inter
  # running the window without a desktop, driving it and looking at it
  xvfb xauth imagemagick fontconfig xdotool libx11-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
