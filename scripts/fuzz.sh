#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS] [BUILD_DIR]
# Runs every fuzz target of a fuzz build (default build-fuzz) for SECONDS
# each (default 60), starting from a scratch copy of its seeds in
# fuzz/corpus/<Target>/ so that the repository is never modified. Fails
# when a target crashes, leaks, trips a sanitizer or times out; the input
# that did it is kept in BUILD_DIR/fuzz-artifacts/<Target>/.
#
# The fuzz build:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DVEXT_FUZZ=ON \
#     -DVEXT_TESTS=OFF -DVEXT_BENCHMARKS=OFF
#   cmake --build build-fuzz -j2 --target vext_fuzz
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${2:-build-fuzz}
[[ $seconds =~ ^[0-9]+$ && $seconds -gt 0 ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR]" >&2; exit 2; }
list=$build/fuzz/targets.txt
if [[ ! -f $list ]]; then
  echo "fuzz: $build is not a fuzz build (configure with CC=clang CXX=clang++ -DVEXT_FUZZ=ON)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vext-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

ran=0 failed=0
while IFS= read -r program; do
  [[ -n $program ]] || continue
  name=$(basename "$program")
  if [[ ! -x $program ]]; then
    echo "fuzz: $name is not built (cmake --build $build --target vext_fuzz)" >&2
    failed=$((failed + 1))
    continue
  fi
  corpus=$work/corpus/$name
  mkdir -p "$corpus"
  seeds=0
  if [[ -d fuzz/corpus/$name ]]; then
    cp -R "fuzz/corpus/$name/." "$corpus/"
    seeds=$(find "$corpus" -type f | wc -l)
  fi
  options=()
  [[ -f fuzz/$name.dict ]] && options+=("-dict=fuzz/$name.dict")
  artifacts=$build/fuzz-artifacts/$name
  mkdir -p "$artifacts"
  echo "== $name: ${seconds}s from $seeds seed(s)"
  log=$work/$name.log
  if "$program" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "${options[@]}" "$corpus" >"$log" 2>&1; then
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || tail -n 3 "$log"
  else
    tail -n 80 "$log"
    echo "fuzz: $name FAILED; the input is in $artifacts/" >&2
    failed=$((failed + 1))
  fi
  ran=$((ran + 1))
done <"$list"

if ((ran == 0 && failed == 0)); then
  echo "fuzz: no fuzz target in this build"
fi
echo "fuzz: $ran target(s) run for ${seconds}s each, $failed failure(s)"
((failed == 0))
