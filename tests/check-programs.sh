#!/usr/bin/env bash
# The three shipped programs: 32-bit (PE32, i386) Windows GUI executables with no runtime DLL beside
# the system's, version 22.02.00 in the version resource and string 1, their own description and their
# own icon, and the manifest (Common Controls 6, DPI awareness, Windows 7 to 11, asInvoker).
# Usage: tests/check-programs.sh BUILD_WIN_DIR
set -uo pipefail
build=${1:-build/win}
passed=0
failed=0
check() {  # name, condition
  if eval "$2"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL $1"; fi
}

declare -A description=([Alpha]='Ledgora\xff12\xff12 Alpha ' [Beta]='Ledgora\xff12\xff12 \x6240' [Gamma]='Kestrel ')
icons=()
for edition in Alpha Beta Gamma; do
  exe="$build/Link$edition.exe"
  check "Link$edition.exe exists" "[ -f '$exe' ]" || continue
  headers=$(i686-w64-mingw32-objdump -p "$exe")
  resources=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
  check "Link$edition is PE32 for i386" "grep -q 'file format pei-i386\$' <<<\"\$headers\" && grep -q 'Magic.*(PE32)' <<<\"\$headers\""
  check "Link$edition is a GUI program" "grep -q 'Subsystem.*(Windows GUI)' <<<\"\$headers\""
  check "Link$edition needs no runtime DLL" "! grep -qiE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<\"\$headers\""
  check "Link$edition string 1" "grep -q '^  1, \"22.02.00\"' <<<\"\$resources\""
  check "Link$edition file version" "grep -q 'VALUE \"FileVersion\", \"22.02.00\"' <<<\"\$resources\""
  check "Link$edition product version" "grep -q 'VALUE \"ProductVersion\", \"22.02.00\"' <<<\"\$resources\""
  check "Link$edition description" "grep -qF 'VALUE \"FileDescription\", L\"${description[$edition]}' <<<\"\$resources\""
  # The manifest, read back from the resource section.
  manifest=$(i686-w64-mingw32-objcopy -O binary --only-section=.rsrc "$exe" /dev/stdout | tr -d '\0')
  for part in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="asInvoker"' \
              'WindowsSettings">true</dpiAware>' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
              '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}' '{1f676c76-80e1-4239-95bb-83d0f6d0da78}' \
              '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    check "Link$edition manifest holds $part" "grep -qF -- '$part' <<<\"\$manifest\""
  done
  icons+=("$(sed -n '/RT_ICON/,/END/p' <<<"$resources" | md5sum | cut -d' ' -f1)")
done
check "each program has its own icon" "[ \$(printf '%s\n' \"\${icons[@]}\" | sort -u | wc -l) -eq 3 ]"
echo "programs: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
