#!/usr/bin/env bash
# scripts/check-literals.sh [PATH...]: fails on a narrow string or
# character literal with non-ASCII text that is neither a _sj literal
# (CP932 bytes) nor u8/L/u/U. Checks the whole repository by default
# (build trees and hidden folders are skipped). The scanner is a small C++
# program (scripts/literal-check/), compiled here on first use; the build
# also compiles it and runs it as the test infra_literal_check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

source_dir=$root/scripts/literal-check
cache=${VEXT_TOOLS_DIR:-$root/build/tools}
scanner=$cache/check-literals
if [[ ! -x $scanner || -n $(find "$source_dir" -newer "$scanner" -type f) ]]; then
  mkdir -p "$cache"
  "${CXX:-c++}" -std=c++20 -O1 -Wall -Wextra "$source_dir/LiteralScanner.cpp" "$source_dir/main.cpp" -o "$scanner.tmp"
  mv "$scanner.tmp" "$scanner"
fi

if (($# == 0)); then
  set -- "$root"
fi
exec "$scanner" "$@"
