#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building, running and
# testing Quillmote needs. Packages already present are skipped, so this is
# quick on a machine that has them.
#   install-deps.sh          build and run
#   install-deps.sh --test   also what the tests and CI need (fonts, clang for the fuzz targets)
#   install-deps.sh --bench  also what the benchmark comparison needs
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config ccache qt6-base-dev libpcre3-dev googletest libgtest-dev
          fontconfig fonts-dejavu-core fonts-dejavu-extra xdg-utils)
for arg in "$@"; do
  case "$arg" in
    --test) packages+=(clang libclang-rt-14-dev) ;;
    --bench) packages+=(ripgrep grep pcregrep python3) ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
