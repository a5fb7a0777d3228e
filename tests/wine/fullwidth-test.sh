#!/usr/bin/env bash
# Differential test of the full-width mapping: runs fullwidth-compare.exe under Wine with code page 932
# and passes only when the differences it prints are exactly the listed '?' cases.
# Usage: tests/wine/fullwidth-test.sh [path/to/fullwidth-compare.exe]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:-$here/../../build/win/fullwidth-compare.exe}
[ -f "$exe" ] || { echo "fullwidth-test: $exe not found (build the target fullwidth-compare)" >&2; exit 1; }
work=$(mktemp -d)
# Wine takes its code page from the locale (tools/install-deps generates ja_JP.UTF-8); on another
# code page fullwidth-compare.exe refuses to run.
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

# Every listed difference must be a '?' of Windows' (byte 3F at a byte boundary) that ours does not have.
grep -v '^#' "$here/tools/fullwidth-compare/expected-differences.txt" >"$work/expected"
bad=$(awk '
    function bytes(hex, list,   i) { delete list; for (i = 1; i < length(hex); i += 2) list[substr(hex, i, 2)] = 1 }
    NF != 4 { print; next }
    { bytes($3, theirs); bytes($4, ours); if (!("3F" in theirs) || ("3F" in ours)) print }
' "$work/expected")
[ -z "$bad" ] || { printf "fullwidth-test: listed differences that are not '?' cases:\n%s\n" "$bad" >&2; exit 1; }

wine "$exe" >"$work/actual" 2>"$work/err" || { echo "fullwidth-test: status $?" >&2; cat "$work/err" >&2; exit 1; }
grep "inputs compared" "$work/err" || true
if ! diff -u "$work/expected" "$work/actual" | head -50 >&2; then
    echo "fullwidth-test: FAIL, differences other than the listed ones (- listed, + found)" >&2
    exit 1
fi
echo "fullwidth-test: PASS, $(wc -l <"$work/actual") differences, all of them the listed '?' cases"
