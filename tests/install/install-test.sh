#!/usr/bin/env bash
# Installs a build into a scratch prefix, checks that every library came
# with its pkg-config file and the CMake package, then builds a small host
# against the installation twice (find_package(Vext) and pkg-config) and
# runs both. Run by CTest; the arguments come from tests/install/CMakeLists.txt.
set -euo pipefail

cmake=cmake build="" work="" consumer="" libraries="" cxx=c++ cxx_flags=""
while (($#)); do
  case "$1" in
    --cmake) cmake=$2 ;;
    --build) build=$2 ;;
    --work) work=$2 ;;
    --consumer) consumer=$2 ;;
    --libraries) libraries=$2 ;;
    --cxx) cxx=$2 ;;
    --cxx-flags) cxx_flags=$2 ;;
    *) echo "install-test: unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done
[[ -n $build && -n $work && -n $consumer && -n $libraries ]] || { echo "install-test: missing arguments" >&2; exit 2; }

fail() { echo "install-test: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install failed"
fi

IFS=, read -ra libs <<<"$libraries"
platform_so=$(find "$prefix" -name libVextPlatform.so -print -quit)
[[ -n $platform_so ]] || fail "libVextPlatform.so was not installed"
libdir=$(dirname "$platform_so")
for lib in "${libs[@]}"; do
  [[ -e $libdir/lib$lib.so ]] || fail "lib$lib.so is missing from $libdir"
  [[ -f $libdir/pkgconfig/$lib.pc ]] || fail "$lib.pc is missing from $libdir/pkgconfig"
done
for file in "$prefix/include/vext/platform/base/CString.h" "$prefix/include/vext/platform/text/Sj.h" \
  "$prefix/include/vext/platform/text/Cp932Table.inc" \
  "$libdir/cmake/Vext/VextConfig.cmake" "$libdir/cmake/Vext/VextConfigVersion.cmake" \
  "$libdir/cmake/Vext/VextTargets.cmake"; do
  [[ -f $file ]] || fail "$file was not installed"
done

# Hosts get the public headers and nothing else: not the platform's insides
# (detail/), not the test interfaces; and every header they get builds on
# installed headers alone.
leaked=$(find "$prefix/include" \( -path '*/detail/*' -o -name 'Syscalls.h' \
  -o -name 'ScriptedUserInterface.h' -o -name 'ConsoleUserInterface.h' \) -print)
[[ -z $leaked ]] || fail "headers that are not public were installed: $leaked"
mapfile -t headers < <(cd "$prefix/include/vext" && find . -name '*.h' | sed 's|^\./||' | sort)
((${#headers[@]} > 0)) || fail "no header was installed"
printf '#include "%s"\n' "${headers[@]}" >"$work/all-headers.cpp"
# shellcheck disable=SC2086 # flags are word lists
"$cxx" $cxx_flags -std=c++20 -fsyntax-only -I"$prefix/include/vext" "$work/all-headers.cpp" ||
  fail "an installed header needs something that is not installed"

# The registry the host's checks expect (see consumer/main.cpp).
cat >"$work/registry.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\Common]
"CommonDir"="C:\\VextCommon\\共通"

[HKEY_CLASSES_ROOT\MSXML.DOMDocument\CLSID]
@="{0E1A7C3B-5D2F-4A66-9B18-3C7D2E4F5A60}"

[HKEY_CLASSES_ROOT\CLSID\{0E1A7C3B-5D2F-4A66-9B18-3C7D2E4F5A60}\InProcServer32]
@="%SystemRoot%\\System32\\msxml3.dll"
REG
export VEXT_REGISTRY=$work/registry.reg VEXT_REGISTRY_DEFAULTS=0 SystemRoot='C:\Windows'
export VEXT_UI=console VEXT_RUNTIME_DIR=$work/run

if [[ -e $prefix/bin/xmlSncConv ]]; then
  echo "== installed xmlSncConv"
  # It must start from the prefix alone (run path to its libraries); with
  # no suite keys in the registry it refuses with its message and status 1.
  status=0
  LC_ALL=C.UTF-8 "$prefix/bin/xmlSncConv" '/W:"C:\x.xml"' 2>"$work/xmlSncConv.err" || status=$?
  cat "$work/xmlSncConv.err"
  if ((status != 1)) || ! grep -q 'Sorentaシリーズ共通フォルダが取得できませんでした。' "$work/xmlSncConv.err"; then
    fail "the installed xmlSncConv did not run as expected (status $status)"
  fi
fi

echo "== host built with find_package(Vext)"
"$cmake" -S "$consumer" -B "$work/cmake-host" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$cxx_flags" \
  -DVEXT_EXPECTED_LIBRARIES="${libraries//,/;}" >"$work/cmake-host.log" 2>&1 ||
  { cat "$work/cmake-host.log" >&2; fail "the CMake host does not configure"; }
"$cmake" --build "$work/cmake-host" >>"$work/cmake-host.log" 2>&1 ||
  { cat "$work/cmake-host.log" >&2; fail "the CMake host does not build"; }
"$work/cmake-host/consumer" || fail "the CMake host failed"

echo "== host built with pkg-config"
export PKG_CONFIG_PATH=$libdir/pkgconfig${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}
pkg-config --print-errors --exists "${libs[@]}" || fail "pkg-config rejects the installed .pc files"
modules=(VextPlatform) defines=()
for lib in "${libs[@]}"; do
  case "$lib" in
    VextEnv) modules+=(VextEnv) defines+=(-DVEXT_HAVE_VEXTENV) ;;
    xmlSncEnv) modules+=(xmlSncEnv) defines+=(-DVEXT_HAVE_XMLSNCENV) ;;
    VextBase) modules+=(VextBase) defines+=(-DVEXT_HAVE_VEXTBASE) ;;
  esac
done
# shellcheck disable=SC2046,SC2086 # flags are word lists
"$cxx" $cxx_flags -std=c++20 "${defines[@]}" "$consumer/main.cpp" -o "$work/pc-host" \
  $(pkg-config --cflags --libs "${modules[@]}") -Wl,-rpath,"$libdir" || fail "the pkg-config host does not build"
"$work/pc-host" || fail "the pkg-config host failed"

echo "install-test: ${#libs[@]} libraries installed and usable (${modules[*]} exercised)"
