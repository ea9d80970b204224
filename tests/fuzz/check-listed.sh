#!/usr/bin/env bash
# Every fuzz/<Name>Fuzz.cpp is a target of the fuzz build: its name stands
# in vext_fuzz_targets in fuzz/CMakeLists.txt (a target left out would
# never be built or run).
set -euo pipefail
fuzz=$1
status=0
for source in "$fuzz"/*Fuzz.cpp; do
  name=$(basename "$source" .cpp)
  grep -qx "  $name\(\s*)\)\?" "$fuzz/CMakeLists.txt" ||
    { echo "fuzz: $name is not listed in vext_fuzz_targets ($fuzz/CMakeLists.txt)" >&2; status=1; }
done
exit $status
