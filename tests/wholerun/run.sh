#!/bin/sh
# Whole runs of link-headless checked byte for byte against the oracle: run.sh LINK_HEADLESS [run.py options]
exec python3 "$(dirname "$0")/run.py" "$@"
