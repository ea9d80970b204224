#!/usr/bin/env bash
# The include checker on small trees made here, one per case: each tree has
# the rooms text < base < fs and the files of its case; the checker must
# pass or fail as the case says.
set -euo pipefail
checker=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/check-includes-XXXXXX")
trap 'rm -rf "$work"' EXIT

status=0
# check NAME EXPECTED-STATUS FILE=INCLUDED...
check() {
  local name=$1 expected=$2
  shift 2
  local tree=$work/$name
  mkdir -p "$tree"/platform/{text,base,fs/detail}
  echo 'Platform rooms, lowest first: `text` < `base` < `fs`.' >"$tree/README.md"
  for entry in "$@"; do
    local file=${entry%%=*} included=${entry#*=}
    mkdir -p "$(dirname "$tree/$file")"
    printf '#pragma once\n#include "%s"\n' "$included" >>"$tree/$file"
  done
  local got=0
  "$checker" "$tree" >/dev/null 2>"$tree.err" || got=$?
  if ((got != expected)); then
    echo "FAILED: $name: status $got, expected $expected" >&2
    cat "$tree.err" >&2
    status=1
  fi
}

check rooms-in-order 0 platform/base/B.h=platform/text/A.h platform/fs/F.cpp=platform/base/B.h \
  platform/fs/G.cpp=platform/fs/detail/S.h comp/C.cpp=platform/fs/F.h
check room-includes-a-room-above 1 platform/text/A.h=platform/base/B.h
check room-includes-all-rooms 1 platform/base/B.cpp=platform/Afx.h
check room-uses-a-lower-rooms-insides 0 platform/fs/F.cpp=platform/text/detail/Codec.h
check component-includes-insides 1 comp/C.cpp=platform/fs/detail/S.h
check component-header-includes-insides 1 comp/C.h=platform/fs/detail/S.h
check test-code-includes-insides 0 comp/tests/T.cpp=platform/fs/detail/S.h \
  testing/H.h=platform/fs/detail/S.h fuzz/X.cpp=platform/fs/detail/S.h platform/tests/P.cpp=platform/fs/detail/S.h
check folder-that-is-no-room 1 platform/extra/E.h=platform/text/A.h
check build-trees-are-skipped 0 build/comp/C.cpp=platform/fs/detail/S.h

((status == 0)) && echo "check-includes: every case as expected"
exit $status
