#!/usr/bin/env bash
# Builds Tidelight.scr and starts it in saver mode under Wine on a virtual
# screen (or on your own X display with --own-display). The saver ends on a
# click or a key; here it is dismissed after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64 libgtest-dev
          wine64 xvfb xauth xdotool python3)
scripts/install-packages.sh "${PACKAGES[@]}"
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 --target Tidelight
export WINEPREFIX="$PWD/build/wineprefix" WINEDEBUG=-all
if [[ "${1:-}" != "--own-display" ]]; then
  Xvfb :77 -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:77
  sleep 1
fi
/usr/lib/wine/wine64 build/mingw-x86_64/Tidelight.scr /s &
saver=$!
for _ in $(seq 1 60); do
  xdotool search --name '^Tidelight_Main$' >/dev/null 2>&1 && break
  sleep 0.5
done
echo "saver window: $(xdotool search --name '^Tidelight_Main$' | head -1)"
sleep 3
xdotool click 1
wait $saver && echo "the saver ended on a click"
