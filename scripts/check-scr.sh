#!/usr/bin/env bash
# Checks a built Tidelight.scr: one static file with its resources.
set -euo pipefail
scr="$1"
case "$(file -b "$scr")" in
  *PE32+*) dump=x86_64-w64-mingw32-objdump ;;
  *PE32*) dump=i686-w64-mingw32-objdump ;;
  *) echo "not a Windows program: $scr"; exit 1 ;;
esac
dlls=$($dump -p "$scr" | awk '/DLL Name/ {print tolower($3)}')
for d in $dlls; do
  case "$d" in
    kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|shell32.dll|winmm.dll|comdlg32.dll|msimg32.dll|advapi32.dll|ole32.dll|oleaut32.dll|comctl32.dll|dwmapi.dll|shcore.dll) ;;
    *) echo "$scr imports a DLL that is not part of Windows: $d"; exit 1 ;;
  esac
done
strings -e l "$scr" > /tmp/scr-strings.$$
for s in "Tidelight (ScreenSaver)" "1.00" "Tidelight.scr" "041104B0" "040904B0"; do
  grep -qF "$s" /tmp/scr-strings.$$ || { echo "$scr lacks version text: $s"; exit 1; }
done
rm -f /tmp/scr-strings.$$
grep -qa "PerMonitorV2" "$scr" || { echo "$scr lacks its manifest"; exit 1; }
# The systems it names as its own, so that none runs it in an older one's
# compatibility mode: Windows 10 and 11, 8.1, 8, 7 and Vista.
for os_id in 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
    4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 35138b9a-5d96-4fbd-8e2d-a2440225f93a \
    e2011457-1546-43c5-a5fe-008deee3d3f0; do
  grep -qa "supportedOS Id=\"{$os_id}\"" "$scr" || { echo "$scr lacks supportedOS $os_id"; exit 1; }
done
echo "ok: $scr ($(stat -c %s "$scr") bytes; imports: $(echo $dlls | tr '\n' ' '))"
