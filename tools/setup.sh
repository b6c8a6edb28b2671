#!/usr/bin/env bash
# Sets up, builds and then plays or tests Quillmoor on Debian.
#   tools/setup.sh play   install what is missing, build the game, start it
#   tools/setup.sh test   install what is missing, build everything, run every test
#   tools/setup.sh build  install what is missing, build everything
# Run it as root (or through sudo) the first time, so that missing Debian
# packages can be installed; later runs install nothing and rebuild only what
# changed.
set -euo pipefail

mode=${1:-}
case "$mode" in
  play|test|build) ;;
  *) echo "usage: $0 play|test|build" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-mixer-dev libx11-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic
  libjpeg62-turbo-dev zlib1g-dev
)
# The tests also check the sources' formatting, and run the real program on an
# X server of their own (Xvfb), clicked by xdotool, read back by ImageMagick and
# looked at by xprop, with fonts for the window system's message box, and
# measure a play's peak memory with GNU time. CI also packs the game (cpack's
# Debian package reads its library dependencies with dpkg-dev's
# dpkg-shlibdeps, after telling programs from data with file), validates
# its desktop entry and metainfo, and checks the package with lintian.
if [ "$mode" = test ]; then
  packages+=(clang-format xvfb xdotool imagemagick x11-utils python3 time xfonts-base)
  packages+=(dpkg-dev file desktop-file-utils appstream lintian)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# The tests' build treats every warning as an error, as CI's does.
if [ "$mode" = test ]; then cmake -S . -B build -DQUILLMOOR_WERROR=ON; fi
# Playing needs only the game; building and testing build everything (the lab,
# the asset tool, the tests and the benchmarks).
if [ "$mode" = play ]; then
  cmake --build build --target quillmoor
else
  cmake --build build
fi

case "$mode" in
  play)
    exec ./build/quillmoor
    ;;
  test)
    # The tests drive the game headless: SDL's dummy video and audio drivers.
    export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
    cd build
    ctest --output-on-failure -j"$(nproc)"
    ;;
esac
