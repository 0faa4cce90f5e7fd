#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillet need.
# Does nothing when all of them are already present.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools libqt6webenginecore6-bin
  qt6-translations-l10n libqt6svg6
  libcurl4-openssl-dev libxml2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  ca-certificates fonts-noto-cjk libgl1-mesa-dri libegl1 libglx-mesa0
  xvfb xauth x11-utils imagemagick
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
