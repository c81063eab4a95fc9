#!/usr/bin/env bash
# Real playback under Wine: the music probe plays a generated MP3 and WAV
# through winmm while ALSA's default device is a file sink, and checks that
# sound comes out, loops or restarts, and stops. The Wine trace of MCI shows
# the exact command strings that reached the system.
#   scripts/music-wine-test.sh [build-dir]     (default build/mingw-x86_64)
# KEEP_MUSIC_TMP=1 keeps the generated files, the sink and the logs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/mingw-x86_64}"
probe="$PWD/$build/tests/music_probe.exe"
[[ -f "$probe" ]] || { echo "FAIL: $probe is not built"; exit 1; }
source scripts/lib/wine-env.sh

tmp=$(mktemp -d)
wine_at_exit '[[ -n "${KEEP_MUSIC_TMP:-}" ]] && echo "kept $tmp" || rm -rf "$tmp"'

# The test music: tones made here, never stored. No dither, so silence is
# exact zeros in the sink. The MP3s lie in a folder whose name is outside the
# ANSI code page, with blanks.
mp3dir="$tmp/音楽 テスト"
mkdir -p "$mp3dir" "$tmp/wave dir" "$tmp/home"
sox -D -n -r 44100 -c 2 -b 16 "$tmp/long.wav" synth 20 sine 440 vol 0.5
sox -D -n -r 44100 -c 2 -b 16 "$tmp/short.wav" synth 1 sine 660 vol 0.5
lame --quiet "$tmp/long.wav" "$mp3dir/潮 long.mp3"
lame --quiet "$tmp/short.wav" "$mp3dir/short.mp3"
# One burst of tone, then silence: repeats show as separate bursts.
sox -D -n -r 22050 -c 1 -b 16 "$tmp/wave dir/tone.wav" synth 0.2 sine 880 vol 0.5 pad 0 0.4

# A private HOME whose ALSA default device writes everything into the sink.
sink="$tmp/sink.raw"
cat > "$tmp/home/.asoundrc" <<ASOUND
pcm.!default {
  type file
  slave.pcm "null"
  file "$sink"
  format "raw"
}
ASOUND
: > "$sink"

# winmm's sound thread needs a window station with a display.
wine_start_screen 640x480
wine_use_prefix "${WINEPREFIX:-build/wineprefix}"

status=0
echo "== MP3 through MCI"
HOME="$tmp/home" WINEDEBUG=-all,+mci timeout 300 "$WINE" "$probe" mp3 "$(wine_path "$sink")" \
  "$(wine_path "$mp3dir/潮 long.mp3")" "$(wine_path "$mp3dir/short.mp3")" 2>"$tmp/mp3.log" || status=1
# The open carries the whole quoted path in UTF-16: the trace writes the file
# name's 潮 as \6f6e.
for sent in 'mciSendStringW (L"open \"Z:' '\6f6e long.mp3\" type MPEGVideo Alias MP3Play"' \
            'mciSendStringW (L"play MP3Play"' 'mciSendStringW (L"status MP3Play mode"' \
            'mciSendStringW (L"stop MP3Play"' 'mciSendStringW (L"play MP3Play from 0"' \
            'mciSendStringW (L"close MP3Play"'; do
  if grep -qF -- "$sent" "$tmp/mp3.log"; then
    echo "ok: winmm received $sent"
  else
    echo "FAIL: winmm never received $sent"; status=1
  fi
done

echo "== WAV through the sound player"
HOME="$tmp/home" WINEDEBUG=-all timeout 300 "$WINE" "$probe" wav "$(wine_path "$sink")" \
  "$(wine_path "$tmp/wave dir/tone.wav")" 2>"$tmp/wav.log" || status=1

if ((status)); then
  echo "-- Wine's output (MCI trace lines left out):"
  grep -v ':mci:' "$tmp/mp3.log" "$tmp/wav.log" | tail -40 || true
  echo "FAIL: music under Wine"
  exit 1
fi
echo "ok: music under Wine"
