#!/usr/bin/env bash
# scripts/tidy.sh [FILE REGEX]: runs clang-tidy with the checks of
# .clang-tidy over the sources of the build's compilation database
# (build/compile_commands.json, made by scripts/setup.sh), one file per
# core; any finding fails. The static analyzer's checks, which take many
# times longer on test code (the test macros multiply its paths), and the
# performance checks look at the code under test only. An argument narrows the files (a regular
# expression on their paths), e.g. scripts/tidy.sh platform/fs/.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VEXT_BUILD_DIR:-build}
[[ -f $build/compile_commands.json ]] ||
  { echo "tidy: $build/compile_commands.json is missing; run scripts/setup.sh first" >&2; exit 2; }
runner=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
[[ -n $runner ]] || { echo "tidy: run-clang-tidy not found (Debian package clang-tidy)" >&2; exit 2; }
jobs=${VEXT_JOBS:-$(nproc)}
only=${1:-}

test_code='/(tests|testing|fuzz|bench)/'
status=0
"$runner" -p "$build" -j "$jobs" -quiet "^(?!.*$test_code)(?=.*$only)" || status=1
"$runner" -p "$build" -j "$jobs" -quiet -checks=-clang-analyzer-*,-performance-* \
  "^(?=.*$test_code)(?=.*$only)" || status=1
exit $status
