#!/usr/bin/env bash
# Differential test of the full-width mapping: runs fullwidth-compare.exe under Wine with code page 932
# and passes only when the differences it prints are exactly the listed '?' cases.
# Usage: tests/wine/fullwidth-test.sh [path/to/fullwidth-compare.exe]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../../build/win/fullwidth-compare.exe}
expected=$here/tools/fullwidth-compare/expected-differences.txt
[ -f "$exe" ] || { echo "fullwidth-test: $exe not found (build the target fullwidth-compare)" >&2; exit 1; }

# Wine takes its code page from the locale; without ja_JP.UTF-8 it would run on 1252.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "fullwidth-test: locale ja_JP.UTF-8 is missing; generate it as root" >&2
        exit 1
    fi
    sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
    locale-gen >/dev/null
fi

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

status=0
wine "$exe" >"$work/actual" 2>"$work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
    echo "fullwidth-test: fullwidth-compare.exe ended with $status" >&2
    cat "$work/stderr" >&2
    exit 1
fi
grep 'inputs compared' "$work/stderr" || true

# Every listed difference must be a '?' of Windows' (byte 3F at a byte boundary) that ours does not have.
grep -v '^#' "$expected" >"$work/expected"
bad=$(awk '
    function bytes(hex, list,   i) { delete list; for (i = 1; i < length(hex); i += 2) list[substr(hex, i, 2)] = 1 }
    NF != 4 { print; next }
    { bytes($3, theirs); bytes($4, ours); if (!("3F" in theirs) || ("3F" in ours)) print }
' "$work/expected")
if [ -n "$bad" ]; then
    echo "fullwidth-test: listed differences that are not '?' cases:" >&2
    echo "$bad" >&2
    exit 1
fi

if ! diff -u "$work/expected" "$work/actual" >"$work/diff"; then
    echo "fullwidth-test: FAIL, differences other than the listed ones (- listed, + found):" >&2
    grep '^[-+][^-+]' "$work/diff" | head -50 >&2
    exit 1
fi
echo "fullwidth-test: PASS, $(wc -l <"$work/actual") differences, all of them the listed '?' cases"
