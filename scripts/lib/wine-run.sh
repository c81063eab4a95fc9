#!/usr/bin/env bash
# Runs one Windows program under Wine on a virtual screen of its own, then
# ends the screen and the Wine server with it. The Windows build's
# cross-compiling emulator, so `ctest --preset mingw-x86_64` needs no set-up.
# WINEPREFIX, when set, chooses the prefix (default build/wineprefix).
#   scripts/lib/wine-run.sh program.exe [args...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
wine_start_screen 1024x768
wine_use_prefix "${WINEPREFIX:-$here/../../build/wineprefix}"
"$WINE" "$@"
