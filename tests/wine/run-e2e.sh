#!/usr/bin/env bash
# Runs every scenario under Wine with the programs already built in build/win (tools/test builds
# them first). The runner starts and ends its own Xvfb, Wine prefix and wineserver.
set -euo pipefail
cd "$(dirname "$0")/../.."
exec python3 tests/run-scenarios.py --wine build/win tests/scenarios "$@"
