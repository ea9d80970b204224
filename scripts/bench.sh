#!/usr/bin/env bash
# scripts/bench.sh [BENCHMARK ARGS...]: builds the benchmarks (Release, in
# build-bench/, tests off) and runs every one of them, one after the other.
# Benchmarks are the programs named <component>_<Name>Bench; arguments go
# to each, e.g. scripts/bench.sh --benchmark_filter=Read.
# Speed targets are checked here, by reading the numbers, never in tests.
set -euo pipefail
cd "$(dirname "$0")/.."

VEXT_SETUP_BUILD=0 scripts/setup.sh
build=${VEXT_BENCH_BUILD_DIR:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVEXT_TESTS=OFF -DVEXT_BENCHMARKS=ON -DVEXT_FUZZ=OFF
cmake --build "$build" -j "${VEXT_JOBS:-$(nproc)}"

mapfile -t benchmarks < <(find "$build" -path '*/CMakeFiles' -prune -o -type f -executable -name '*Bench' -print | sort)
((${#benchmarks[@]} > 0)) || { echo "bench: no benchmark in this build"; exit 0; }
for benchmark in "${benchmarks[@]}"; do
  echo "== $(basename "$benchmark")"
  "$benchmark" "$@"
done
