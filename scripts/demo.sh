#!/usr/bin/env bash
# scripts/demo.sh [--build DIR] [--check] [--keep]
# The main job on a built tree: every deliverable at work on the project's
# sample data, one readable step each (scripts/demo.d/NN-name.sh, run in
# order), in a scratch Windows-like environment:
#   drive C:      a folder of the work area, linked from $VEXT_DRIVES/c:
#   registry      a copy of samples/registry.reg ($VEXT_REGISTRY), whose
#                 HKLM\SOFTWARE\NQ\SorentaV\CommonV "CommonDir" names the
#                 folder that holds xmlSnc.csv
#   lock files    $VEXT_RUNTIME_DIR in the work area; messages on the console
# --build     the build tree whose programs and libraries run (default build)
# --check     also compare the results with what they must be (CTest runs this)
# --keep      keep the work area and print where it is
#
# A step is a bash fragment sourced by this script. It finds the built
# programs under $build, works in $work, checks its results when $check is 1,
# and may use fail, reg_value, native_path and show below.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

build="" check=0 keep=0
while (($#)); do
  case "$1" in
    --build) build=$2; shift ;;
    --check) check=1 ;;
    --keep) keep=1 ;;
    *) echo "usage: scripts/demo.sh [--build DIR] [--check] [--keep]" >&2; exit 2 ;;
  esac
  shift
done
build=$(cd "${build:-$root/${VEXT_BUILD_DIR:-build}}" && pwd)
fail() { echo "demo: $*" >&2; exit 1; }
[[ -f $root/samples/registry.reg ]] || fail "samples/registry.reg is missing"

# Japanese messages and file names need a UTF-8 terminal encoding.
if [[ $(locale charmap 2>/dev/null) != UTF-8 ]]; then export LC_ALL=C.UTF-8; fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vext-demo.XXXXXX")
if ((keep)); then
  trap 'echo "demo: work area kept in $work"' EXIT
else
  trap 'rm -rf "$work"' EXIT
fi

mkdir -p "$work/drives" "$work/run"
cp "$root/samples/registry.reg" "$work/registry.reg"
export VEXT_DRIVES=$work/drives VEXT_REGISTRY=$work/registry.reg VEXT_RUNTIME_DIR=$work/run VEXT_UI=console
unset VEXT_REGISTRY_DEFAULTS VEXT_UI_ANSWERS VEXT_UI_LOG

# Prints the value NAME of [KEY] in a .reg file (UTF-8 or UTF-16LE), with
# the file's escapes undone; names compare case-insensitively as on Windows.
reg_value() {
  local file=$1 key=${2,,} name=${3,,} text line current="" value
  if [[ $(head -c 2 "$file" | od -An -tx1 | tr -d ' ') == fffe ]]; then
    text=$(iconv -f UTF-16 -t UTF-8 "$file")
  else
    text=$(sed '1s/^\xEF\xBB\xBF//' "$file")
  fi
  while IFS= read -r line; do
    line=${line%$'\r'}
    if [[ $line =~ ^\[(.*)\]$ ]]; then
      current=${BASH_REMATCH[1],,}
    elif [[ $current == "$key" && ${line,,} == \"$name\"=\"* ]]; then
      value=${line#*\"=\"}
      value=${value%\"}
      value=${value//\\\\/\\}
      printf '%s\n' "${value//\\\"/\"}"
      return 0
    fi
  done <<<"$text"
  return 1
}

# The native folder for a Windows path on one of the work area's drives.
native_path() {
  local path=$1 drive rest native part match
  [[ $path =~ ^([A-Za-z]):(.*)$ ]] || fail "$path is not on a drive"
  drive=${BASH_REMATCH[1],,}
  rest=${BASH_REMATCH[2]//\\//}
  mkdir -p "$work/$drive"
  [[ -e $work/drives/$drive: ]] || ln -s "$work/$drive" "$work/drives/$drive:"
  # Each component that exists under another ASCII case is that one, as
  # the platform's own path mapping has it (\DATA\FMT and \Data\MyData
  # are in one folder).
  native=$work/$drive
  local IFS=/
  for part in $rest; do
    [[ -z $part ]] && continue
    if [[ ! -e $native/$part ]]; then
      for match in "$native"/*; do
        match=${match##*/}
        [[ ${match,,} == "${part,,}" ]] || continue
        part=$match
        break
      done
    fi
    native=$native/$part
  done
  printf '%s\n' "$native"
}

show() {  # a CP932 file, for a UTF-8 terminal
  iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'
}

# A built program, or a clear message that the tree is not built.
program() {
  [[ -x $build/$1 ]] || fail "$build/$1 is not built (run scripts/setup.sh)"
  printf '%s\n' "$build/$1"
}

for step in "$root"/scripts/demo.d/[0-9]*.sh; do
  # shellcheck source=/dev/null
  source "$step"
done
