#!/usr/bin/env bash
# Installs the Debian 12 packages Brannock needs. Does nothing when everything is present.
#   scripts/setup.sh          what building, playing and the test command need
#   scripts/setup.sh --play   only what building and playing need
# Installing needs administrator rights: run as root, or as a user who may use sudo.
set -euo pipefail
play=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev fonts-ipafont-gothic
  libimgui-dev libfreetype-dev libglm-dev nlohmann-json3-dev libstb-dev
  file  # cpack -G DEB reads the binaries with it
  gettext  # xgettext and msgfmt: the English texts are compiled by the build
)
# the tests also read mesh files written by other programs (assimp-testmodels)
# clang builds the sanitizer and fuzzing suites; appstream and desktop-file-utils check the
# desktop entry and the AppStream metainfo, lintian the Debian package; weston in Xvfb is the
# Wayland desktop the game is tried on
tests=(clang-format libassimp-dev libgtest-dev libgmock-dev libbenchmark-dev assimp-testmodels
  clang libclang-rt-14-dev appstream desktop-file-utils lintian weston xvfb)

case "${1:-}" in
  "") packages=("${play[@]}" "${tests[@]}") ;;
  --play) packages=("${play[@]}") ;;
  *) echo "usage: scripts/setup.sh [--play]" >&2; exit 2 ;;
esac

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "setup: this script installs Debian 12 packages with apt-get, which this system lacks." >&2
  echo "setup: install these packages (or your system's equivalents) by hand: ${packages[*]}" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "setup: missing packages: ${missing[*]}" >&2
    echo "setup: installing them needs administrator rights, and sudo is not installed." >&2
    echo "setup: run this script as root, or have an administrator run:" >&2
    echo "  apt-get update && apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
echo "setup: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
