#!/usr/bin/env bash
# scripts/main.sh: the main job. Sets the machine up and builds
# (scripts/setup.sh), then converts the sample phone book to ContactXML and
# back with xmlSncConv in a scratch environment (scripts/demo.sh, which
# takes the same arguments: --keep keeps the work area).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
exec scripts/demo.sh "$@"
