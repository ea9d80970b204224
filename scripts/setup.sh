#!/usr/bin/env bash
# scripts/setup.sh: installs the Debian 12 packages the build needs (only
# those missing, so a second run asks nothing of apt), then configures and
# builds the project in build/.
#
# Environment:
#   VEXT_BUILD_DIR      build folder (default build)
#   VEXT_BUILD_TYPE     CMake build type (default RelWithDebInfo)
#   VEXT_CMAKE_ARGS     more configure arguments, split on blanks
#   VEXT_JOBS           parallel build jobs (default: nproc)
#   VEXT_SETUP_BUILD=0  install the packages only
#   CI=true             warnings are errors (VEXT_WERROR)
set -euo pipefail
cd "$(dirname "$0")/.."

# Compiler and build tools; libxml2 (the XML DOM) and xmllint (tests and
# the benchmark check documents with it); GoogleTest/GoogleMock and Google
# Benchmark; clang with its runtime libraries for libFuzzer and the fuzz
# build, clang-tidy for scripts/tidy.sh; iconv (libc-bin) for the sample
# data; libpng (images), libzint (the barcode renderer), CLI11
# (vextbarcode, slipcat, vextform, snxmlhost) and nlohmann-json (slipcat,
# vextform); zbarimg and ZXingReader read the rendered barcodes back in the
# tests and the main job; wxWidgets 3.2 on GTK 3 for the desktop interface
# (platform/gui), with the Japanese gothic that stands in for the dialogs'
# font, and a virtual X server, window manager and input simulator for its
# tests.
packages=(
  build-essential g++ make cmake pkg-config git libc-bin
  libxml2-dev libxml2-utils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy
  libpng-dev libzint-dev libcli11-dev zbar-tools zxing-cpp-tools
  nlohmann-json3-dev
  libwxgtk3.2-dev libgtk-3-dev fonts-ipafont-gothic
  xvfb xauth fluxbox x11-utils xdotool
)

if command -v dpkg-query >/dev/null 2>&1; then
  missing=()
  for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [[ $status == installed ]] || missing+=("$package")
  done
  if ((${#missing[@]} > 0)); then
    if ((EUID == 0)); then
      as_root=()
    elif command -v sudo >/dev/null 2>&1; then
      as_root=(sudo)
    else
      echo "setup: missing packages (${missing[*]}) and neither root nor sudo to install them" >&2
      exit 1
    fi
    echo "setup: installing ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
else
  echo "setup: not a Debian system; install by hand: ${packages[*]}" >&2
fi

[[ ${VEXT_SETUP_BUILD:-1} == 0 ]] && exit 0

build=${VEXT_BUILD_DIR:-build}
jobs=${VEXT_JOBS:-$(nproc)}
read -ra extra <<<"${VEXT_CMAKE_ARGS:-}"
werror=OFF
[[ ${CI:-} == true ]] && werror=ON
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="${VEXT_BUILD_TYPE:-RelWithDebInfo}" -DVEXT_WERROR="$werror" "${extra[@]}"
cmake --build "$build" -j "$jobs"
