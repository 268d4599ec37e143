#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, and nothing
# when they are all present already.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libgtk-3-dev libpng-dev libjpeg62-turbo-dev zlib1g-dev
  libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  xdg-utils xfonts-base xxd
  admesh assimp-utils pngcheck python3-pil  # the readers the tests open our STL, OBJ, PNG and BMP files with
  clang libclang-rt-14-dev  # the fuzz targets of tests/fuzz (libFuzzer)
  locales  # a German locale: text files must read the same under it
  xvfb xdotool  # scripts/idle-cpu.sh: the program on a virtual display, a press on Render
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# The locale the script-file tests read numbers under (a ',' decimal mark).
add_test_locale() {
  if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  add_test_locale
  exit 0
fi

echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
add_test_locale
