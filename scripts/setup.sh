#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, only what is missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ clang-format googletest libgtest-dev nlohmann-json3-dev
      libfreetype-dev libpng-dev fonts-liberation2 clang-14 libclang-rt-14-dev
      mingw-w64 wine wine64 xvfb xdotool imagemagick x11-utils python3 nsis zip)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
