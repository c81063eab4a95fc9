#!/usr/bin/env bash
# Installs and prepares what the build and the tests need on a Debian
# machine: the packages (through apt-get) and a Japanese locale.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
          wine64 xvfb xauth file python3 xdotool imagemagick procps util-linux
          sox libsox-fmt-mp3 lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good locales
          clang-14 libclang-rt-14-dev fonts-ipafont-gothic fonts-liberation fonts-wine
          libpng-dev libjpeg62-turbo-dev libgif-dev libdeflate-dev fonts-dejavu-core
          xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
          wixl msitools faketime
          pkg-config libx11-dev libxext-dev libxrandr-dev libxtst-dev libgstreamer1.0-dev
          gstreamer1.0-alsa dpkg-dev xscreensaver xscreensaver-data xscreensaver-data-extra
          help2man lintian rpm man-db)
scripts/install-packages.sh "${PACKAGES[@]}"

# A Japanese locale, so that Wine can run with the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  SUDO=""; [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# xscreensaver launches no hack as root: the end-to-end case with its daemon
# runs it as this ordinary user when the tests run as root.
if [[ $(id -u) -eq 0 ]] && ! id tidelight-saver >/dev/null 2>&1; then
  useradd --create-home --shell /usr/sbin/nologin tidelight-saver
fi
