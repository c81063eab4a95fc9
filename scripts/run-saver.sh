#!/usr/bin/env bash
# Builds Tidelight.scr and runs it in saver mode under Wine on a virtual
# screen showing a sample desktop of our own, records the screen for a few
# seconds into out/tidelight-demo.gif, dismisses the saver with a click and
# reports that it ended. With --own-display it runs on your X display instead.
# With --dialog it opens the settings dialog (Tidelight.scr /c) on the
# virtual screen instead, saves a screenshot of it as out/tidelight-dialog.png
# and closes it with its cancel button. The dialog speaks the language of
# LANG, as Wine takes it: LANG=ja_JP.UTF-8 for Japanese, LANG=C.UTF-8 for
# English.
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-}"
PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64 libgtest-dev
          python3 wine64 xvfb xauth xdotool imagemagick)
scripts/install-packages.sh "${PACKAGES[@]}"
cmake --preset mingw-x86_64 >/dev/null
cmake --build --preset mingw-x86_64 --target Tidelight

work="$PWD/build/demo"
mkdir -p "$work/prog" out
cp build/mingw-x86_64/Tidelight.scr "$work/prog/"
rm -f "$work/prog/Tidelight.ini"  # the defaults: fade depth 24, speed 10
source scripts/lib/wine-env.sh
if [[ "$mode" != "--own-display" ]]; then
  wine_start_screen 1024x768
fi
wine_use_prefix "$work/prefix"
if [[ "$mode" != "--own-display" ]]; then
  # The sample desktop is a window covering the screen: Wine's copy of the
  # desktop sees windows, not what the root window's background shows.
  python3 scripts/sample_desktop.py 1024 768 "$work/desktop.ppm"
  display -geometry +0+0 -borderwidth 0 "$work/desktop.ppm" &
  picture=$!
  wine_at_exit "kill $picture 2>/dev/null"
  sleep 2
fi

if [[ "$mode" == "--dialog" ]]; then
  "$WINE" "$work/prog/Tidelight.scr" /c &
  dialog=$!
  for _ in $(seq 1 120); do
    xdotool search --name '^<Tidelight>$' >/dev/null 2>&1 && break
    sleep 0.5
  done
  id="$(xdotool search --name '^<Tidelight>$' | head -1)"
  sleep 2  # the opening zoom and the first paint
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage out/tidelight-dialog.png
  echo "dialog screenshot written to out/tidelight-dialog.png"
  # Without a window manager the X window is the client area: "ｷｬﾝｾﾙ"
  # stands at (400, 296) and is 81 x 25 pixels at 96 DPI.
  xdotool mousemove $((X + 440)) $((Y + 308)) click 1
  wait $dialog && echo "the dialog closed on its cancel button"
  exit 0
fi

"$WINE" "$work/prog/Tidelight.scr" /s &
saver=$!
for _ in $(seq 1 120); do
  xdotool search --name '^Tidelight_Main$' >/dev/null 2>&1 && break
  sleep 0.5
done
echo "saver window: $(xdotool search --name '^Tidelight_Main$' | head -1)"
rm -rf "$work/frames" && mkdir -p "$work/frames"
for i in $(seq -w 1 60); do
  import -window root -resize 50% "$work/frames/$i.png"
  sleep 0.15
done
convert -delay 20 -loop 0 "$work/frames/"*.png out/tidelight-demo.gif
echo "animation written to out/tidelight-demo.gif"
xdotool mousemove 10 10 click 1
wait $saver && echo "the saver ended on a click"
