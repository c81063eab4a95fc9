#!/usr/bin/env bash
# Installs what the tests need, then builds and runs every test suite.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
          wine64 xvfb xauth file python3 xdotool imagemagick procps
          sox libsox-fmt-mp3 lame gstreamer1.0-plugins-base gstreamer1.0-plugins-good locales
          libpng-dev libjpeg62-turbo-dev libgif-dev libcli11-dev)
scripts/install-packages.sh "${PACKAGES[@]}"
# A Japanese locale, so that Wine can run with the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  SUDO=""; [[ $(id -u) -ne 0 ]] && SUDO=sudo
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

echo "== native tests"
cmake --workflow --preset native
echo "== native tests with AddressSanitizer and UBSan"
cmake --workflow --preset native-asan

echo "== Windows builds (i686 is built and inspected; this kernel runs no 32-bit code)"
for preset in mingw-i686 mingw-x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  scripts/check-scr.sh "build/$preset/Tidelight.scr"
done

echo "== the same tests against the win32 back end, under Wine"
export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
# Windows need a screen: a virtual one for the whole Wine run.
Xvfb :91 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:91
if [[ ! -d "$WINEPREFIX" ]]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver64 -w || true
fi
ctest --test-dir build/mingw-x86_64 --output-on-failure
echo "== the profile round trips again on a Japanese system (ANSI code page 932)"
LC_ALL=ja_JP.UTF-8 TIDELIGHT_EXPECT_ACP932=1 /usr/lib/wine/wine64 \
  build/mingw-x86_64/tests/tidelight_tests.exe --gtest_filter='Win32Profile*' --gtest_brief=1
echo "== music under Wine: real playback into an ALSA file sink"
scripts/music-wine-test.sh build/mingw-x86_64
scripts/smoke-wine.sh build/mingw-x86_64/Tidelight.scr

echo "== tidelight-fx: every effect into one contact sheet"
scripts/fx-gallery.sh build/fx-gallery.png

echo "== end to end: the real Tidelight.scr under Wine on a virtual screen"
python3 tests/e2e/e2e.py --scr build/mingw-x86_64/Tidelight.scr \
  --host build/mingw-x86_64/tests/preview_host.exe --work build/e2e
