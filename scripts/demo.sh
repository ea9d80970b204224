#!/usr/bin/env bash
# scripts/demo.sh [--program PATH] [--check] [--keep]
# The main job on a built tree: the suite's phone book (samples/xmlSnc.utf8.csv,
# written as CP932 with CR LF) goes to ContactXML with xmlSncConv /W: and
# comes back with /R:, in a scratch Windows-like environment:
#   drive C:      a folder of the work area, linked from $VEXT_DRIVES/c:
#   registry      a copy of samples/registry.reg ($VEXT_REGISTRY), whose
#                 HKLM\SOFTWARE\NQ\SorentaV\CommonV "CommonDir" names the
#                 folder that holds xmlSnc.csv
#   lock files    $VEXT_RUNTIME_DIR in the work area; messages on the console
# --program   the xmlSncConv to run (default build/converter/xmlSncConv)
# --check     also compare the results with what they must be (CTest runs this)
# --keep      keep the work area and print where it is
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

program="" check=0 keep=0
while (($#)); do
  case "$1" in
    --program) program=$2; shift ;;
    --check) check=1 ;;
    --keep) keep=1 ;;
    *) echo "usage: scripts/demo.sh [--program PATH] [--check] [--keep]" >&2; exit 2 ;;
  esac
  shift
done
program=${program:-$root/${VEXT_BUILD_DIR:-build}/converter/xmlSncConv}
fail() { echo "demo: $*" >&2; exit 1; }
[[ -x $program ]] || fail "$program is not built (run scripts/setup.sh)"
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
  local path=$1 drive rest
  [[ $path =~ ^([A-Za-z]):(.*)$ ]] || fail "$path is not on a drive"
  drive=${BASH_REMATCH[1],,}
  rest=${BASH_REMATCH[2]//\\//}
  mkdir -p "$work/$drive"
  [[ -e $work/drives/$drive: ]] || ln -s "$work/$drive" "$work/drives/$drive:"
  printf '%s\n' "$work/$drive$rest"
}

common=$(reg_value "$work/registry.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\NQ\SorentaV\CommonV' CommonDir) ||
  fail "samples/registry.reg has no CommonDir under HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\CommonV"
common_native=$(native_path "$common")
mkdir -p "$common_native"
csv=$common_native/xmlSnc.csv
xml='C:\Users\Public\Documents\電話帳.xml'
xml_native=$(native_path "$xml")
mkdir -p "$(dirname "$xml_native")"

# The suite's CSV: CP932, CR LF.
iconv -f UTF-8 -t CP932 "$root/samples/xmlSnc.utf8.csv" | sed 's/$/\r/' >"$csv"
echo "== phone book: $common\\xmlSnc.csv, $(wc -l <"$csv") entries"

run() {
  local status=0
  echo "\$ xmlSncConv $1"
  "$program" "$1" || status=$?
  ((status == 0)) || fail "xmlSncConv $1 ended with status $status"
}

show() {  # a CP932 file, for a UTF-8 terminal
  iconv -f CP932 -t UTF-8 "$1" | sed 's/\r$//'
}

echo
echo "== write mode: the phone book becomes ContactXML"
run "/W:\"$xml\""
[[ -f $xml_native ]] || fail "no ContactXML file was written"
[[ ! -e $csv ]] || fail "xmlSncConv /W: left the CSV file behind"
echo "$xml ($(wc -c <"$xml_native") bytes, Shift_JIS; shown in UTF-8, indented by xmllint):"
# The declaration as written, then the rest indented (xmllint would restate
# the declaration in its own words).
show "$xml_native" | sed -n 1p
if ! indented=$(show "$xml_native" | sed "1s/encoding=['\"]Shift_JIS['\"]/encoding='UTF-8'/" |
  xmllint --format - 2>/dev/null); then
  indented=$(show "$xml_native")
fi
printf '%s\n' "$indented" | tail -n +2

echo
echo "== read mode: the ContactXML file becomes the phone book again"
run "/R:\"$xml\""
[[ -f $csv ]] || fail "xmlSncConv /R: wrote no CSV file"
echo "$common\\xmlSnc.csv (CP932, CR LF; shown in UTF-8):"
show "$csv"

if ((check)); then
  items=$(iconv -f CP932 -t UTF-8 "$xml_native" | grep -o '<ContactXMLItem[ >]' | wc -l)
  ((items == $(wc -l <"$root/samples/xmlSnc.utf8.csv"))) || fail "ContactXML holds $items items"
  iconv -f UTF-8 -t CP932 "$root/samples/xmlSnc.roundtrip.utf8.csv" | sed 's/$/\r/' >"$work/expected.csv"
  if ! cmp -s "$work/expected.csv" "$csv"; then
    diff <(show "$work/expected.csv") <(show "$csv") >&2 || true
    fail "the rebuilt phone book differs from samples/xmlSnc.roundtrip.utf8.csv"
  fi
  echo
  echo "demo: checked: $items items written, the phone book rebuilt byte for byte as expected"
fi
