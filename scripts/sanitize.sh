#!/usr/bin/env bash
# scripts/sanitize.sh [CTEST ARGS...]: builds the project and its tests
# under AddressSanitizer and UndefinedBehaviorSanitizer (Debug, in
# build-asan/, benchmarks off) and runs the tests; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VEXT_ASAN_BUILD_DIR:-build-asan}
werror=OFF
[[ ${CI:-} == true ]] && werror=ON  # warnings are errors in CI
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVEXT_TESTS=ON -DVEXT_BENCHMARKS=OFF -DVEXT_FUZZ=OFF \
  -DVEXT_WERROR="$werror" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake --build "$build" -j "${VEXT_JOBS:-$(nproc)}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure --no-tests=error "$@"
