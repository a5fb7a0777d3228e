#!/usr/bin/env bash
# Screenshots of the conditions dialog (business kinds 3 and 6) and of the progress window under
# Xvfb + Wine, each cropped to its window, plus the tool's printed state next to each picture.
# Usage: screenshots.sh <build/win folder> <output folder>
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
out=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
winpath() { echo "Z:${1//\//\\}"; }

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

wineboot -i >/dev/null 2>&1
# Caption buttons are Marlett glyphs; Debian's fonts-wine installs the font where this Wine does not
# look, and without it the close button shows the letter r.
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
# Without a window manager Wine waits 2 s whenever a top-level window is hidden.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f /reg:64 >/dev/null 2>&1
# The templates ask for the proportional ＭＳ Ｐゴシック; left to itself Wine falls back to the fixed-width
# IPA Gothic, whose wider characters cut the longest option and the Cancel button.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f /reg:64 >/dev/null 2>&1

program=$(winpath "$build/LinkAlpha.exe")

# shot <name> <tool arguments...>: waits for "shown", takes the screen, crops to the window.
shot() {
    local name=$1
    shift
    local log=$out/$name.txt
    wine "$build/dialog-preview.exe" "$program" "$@" >"$log" 2>&1 &
    local tool=$!
    for _ in $(seq 1 300); do
        grep -q '^shown' "$log" 2>/dev/null && break
        sleep 0.1
    done
    sleep 0.7
    import -window root "$work/screen.png"
    wait "$tool" || true
    local geometry
    geometry=$(awk '/^window /{split($2, p, ","); split($3, s, "x"); printf "%dx%d+%d+%d", s[1], s[2], p[1], p[2]}' "$log")
    if [ -n "$geometry" ]; then
        convert "$work/screen.png" -crop "$geometry" +repage "$out/$name.png"
    else
        cp "$work/screen.png" "$out/$name.png"
    fi
    echo "$name: $(grep -c . "$log") lines of state, picture $out/$name.png"
}

shot conditions-kind3 conditions 3 saved=3 "path=C:\\users\\Public\\決算\\減価償却2022.xml" hold=2500
shot conditions-kind6 conditions 6 saved=5 hold=2500
shot progress progress 400 hold=2500
