#!/usr/bin/env bash
# scripts/test.sh [CTEST ARGS...]: sets the machine up and builds (setup.sh),
# then runs every test of the build with CTest. Arguments go to ctest,
# e.g. scripts/test.sh -R platform_ to run some of them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
ctest --test-dir "${VEXT_BUILD_DIR:-build}" --output-on-failure --no-tests=error "$@"
