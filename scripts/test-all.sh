#!/usr/bin/env bash
# Builds and runs every test suite, once scripts/setup.sh has installed and
# prepared what they need. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Each stage says when it began, so a slow one shows in the log.
stage() { echo "== $* (at ${SECONDS} s)"; }

stage "the documentation's links: every relative link in README.md and docs/ finds its target"
python3 scripts/check-links.py

stage "native tests"
cmake --workflow --preset native
stage "native tests with AddressSanitizer and UBSan"
cmake --workflow --preset native-asan
stage "fuzzing: every parser and the engine, a bounded number of runs each"
scripts/fuzz.sh
stage "an hour of the saver on the virtual clock, memory sampled every minute"
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target tidelight_soak tidelight
build/native-release/tests/tidelight_soak --minutes 60 --music mp3 | tail -n 1
build/native-release/tests/tidelight_soak --minutes 30 --music cd | tail -n 1

stage "end to end: the Linux program tidelight natively on a virtual screen (no Wine)"
python3 tests/e2e/x11_e2e.py --program build/native-release/tidelight --work build/x11-e2e
stage "the Linux packages: the .deb (lintian, installed with apt, added to xscreensaver, run by its daemon) and the .rpm"
scripts/check-deb.sh

stage "Windows builds (i686 is built and inspected; this kernel runs no 32-bit code)"
cmake --workflow --preset mingw-i686
scripts/check-scr.sh build/mingw-i686/Tidelight.scr
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64
scripts/check-scr.sh build/mingw-x86_64/Tidelight.scr
stage "the release archive and installers, made twice, from these builds and from nothing"
scripts/check-release.sh

stage "the same tests against the win32 back end, under Wine on a virtual screen"
ctest --preset mingw-x86_64
stage "the profile round trips again on a Japanese system (ANSI code page 932)"
LC_ALL=ja_JP.UTF-8 TIDELIGHT_EXPECT_ACP932=1 scripts/lib/wine-run.sh \
  build/mingw-x86_64/tests/tidelight_tests.exe --gtest_filter='Win32Profile*' --gtest_brief=1
stage "music under Wine: real playback into an ALSA file sink"
scripts/music-wine-test.sh build/mingw-x86_64
scripts/smoke-wine.sh build/mingw-x86_64/Tidelight.scr

stage "tidelight-fx: every effect into one contact sheet"
scripts/fx-gallery.sh build/fx-gallery.png

stage "end to end: the real Tidelight.scr under Wine on a virtual screen"
python3 tests/e2e/e2e.py --scr build/mingw-x86_64/Tidelight.scr \
  --host build/mingw-x86_64/tests/preview_host.exe --work build/e2e

stage "end to end: the x64 installer under Wine: install, run, repair, upgrade, uninstall"
python3 tests/e2e/installer_e2e.py --msi out/Tidelight-1.00-x64.msi --work build/e2e

stage "end to end: the settings dialog under Wine (Japanese and English, 96 and 144 DPI)"
python3 tests/e2e/dialog_e2e.py --scr build/mingw-x86_64/Tidelight.scr --work build/e2e-dialog

stage "running long under Wine: five minutes of the real saver watched from outside, the settings window fifty times"
python3 tests/e2e/long_run.py --scr build/mingw-x86_64/Tidelight.scr \
  --host build/mingw-x86_64/tests/preview_host.exe \
  --probe build/mingw-x86_64/tests/resource_probe.exe --work build/long \
  --seconds 300 --dialogs 50
