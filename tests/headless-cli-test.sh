#!/usr/bin/env bash
# link-headless refuses bad arguments and installation files with exit status 2 and a message that
# names what is wrong. Usage: tests/headless-cli-test.sh LINK_HEADLESS
set -uo pipefail
headless=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

expect_refusal() {  # name, expected text in the message, arguments...
  local name=$1 text=$2
  shift 2
  local output status
  output=$("$headless" "$@" 2>&1 >/dev/null)
  status=$?
  if [ "$status" -eq 2 ] && grep -qF -- "$text" <<<"$output"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name: status $status, message: $output"
  fi
}

installation() {  # file, JSON of the first data file's first asset fields, extra top-level members
  printf '{ "user": { "id": "U", "dataNo": 1 }, %s "dataFiles": [ { "dataNo": 1, "assets": [ { %s } ] } ] }' \
    "$3" "$2" >"$1"
}

expect_refusal "no edition" "--edition" --installation x.json
expect_refusal "unknown edition" "delta" --edition delta --installation x.json
expect_refusal "unknown argument" "--colour" --edition beta --installation x.json --colour
expect_refusal "bad answer" "maybe" --edition beta --installation x.json --answer maybe
expect_refusal "bad category" "9" --edition beta --installation x.json --category 9
expect_refusal "missing file" "$work/none.json" --edition beta --installation "$work/none.json"

printf '{ "user": ' >"$work/broken.json"
expect_refusal "invalid JSON" "JSON" --edition beta --installation "$work/broken.json"
installation "$work/type.json" '"name": 5' ''
expect_refusal "wrong type" "dataFiles[0].assets[0].name" --edition beta --installation "$work/type.json"
installation "$work/text.json" '"name": "\ud83d\ude00"' ''
expect_refusal "unconvertible text" "dataFiles[0].assets[0].name" --edition beta --installation "$work/text.json"
installation "$work/money.json" '"acquisitionCost": "922337203685478"' ''
expect_refusal "money out of range" "dataFiles[0].assets[0].acquisitionCost" --edition beta --installation "$work/money.json"
installation "$work/date.json" '"acquisitionDate": 2024.5' ''
expect_refusal "date not an integer" "dataFiles[0].assets[0].acquisitionDate" --edition beta --installation "$work/date.json"

echo "headless-cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
