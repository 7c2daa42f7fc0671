#!/usr/bin/env bash
# Installs the Debian 12 packages Brannock needs to build, run and test (clang for the
# sanitizer and fuzzing builds).
# Does nothing when everything is present; uses sudo when not run as root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev fonts-ipafont-gothic
  libimgui-dev libfreetype-dev libassimp-dev libglm-dev libsimpleini-dev
  nlohmann-json3-dev libstb-dev libgtest-dev libgmock-dev libbenchmark-dev
  # tests only: mesh files written by other programs, read by the .x corpus test
  assimp-testmodels
  # tests only: the desktop entry and AppStream metainfo checkers
  appstream desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "setup: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
