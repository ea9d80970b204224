#!/usr/bin/env bash
# scripts/tidy.sh [FILE REGEX...]: runs clang-tidy with the checks of
# .clang-tidy over the sources of the build's compilation database
# (build/compile_commands.json, made by scripts/setup.sh), one file per
# core; any finding fails. Arguments narrow the files (regular expressions
# on their paths), e.g. scripts/tidy.sh platform/fs/.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VEXT_BUILD_DIR:-build}
[[ -f $build/compile_commands.json ]] ||
  { echo "tidy: $build/compile_commands.json is missing; run scripts/setup.sh first" >&2; exit 2; }
runner=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
[[ -n $runner ]] || { echo "tidy: run-clang-tidy not found (Debian package clang-tidy)" >&2; exit 2; }
exec "$runner" -p "$build" -j "${VEXT_JOBS:-$(nproc)}" -quiet "$@"
