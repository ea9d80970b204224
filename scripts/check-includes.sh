#!/usr/bin/env bash
# scripts/check-includes.sh [ROOT]: holds the tree to the map in ROOT's
# README (default: this repository). Fails when
#   - a platform room includes a room that the README's line
#     "Platform rooms, lowest first: `text` < `base` < ..." puts above it
#     (or the whole-platform header platform/Afx.h);
#   - code outside the platform includes one of its insides
#     (platform/<room>/detail/...); test code may: tests/, testing/,
#     fuzz/, bench/ folders;
#   - a folder of platform/ is not a room of that line, or a room of the
#     line is missing.
# Build trees and hidden folders are skipped.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)

fail=0
complain() {
  echo "includes: $*" >&2
  fail=1
}

line=$(grep -m1 'Platform rooms, lowest first:' "$root/README.md" || true)
[[ -n $line ]] || { echo "includes: $root/README.md has no line 'Platform rooms, lowest first: ...'" >&2; exit 2; }
mapfile -t rooms < <(grep -o '`[a-z]*`' <<<"${line#*:}" | tr -d '`')
((${#rooms[@]} > 0)) || { echo "includes: no rooms named in: $line" >&2; exit 2; }
declare -A rank=()
for i in "${!rooms[@]}"; do rank[${rooms[$i]}]=$i; done

# The platform's folders are its rooms, and its tests and benchmarks.
for dir in "$root"/platform/*/; do
  name=$(basename "$dir")
  [[ $name == tests || $name == bench ]] && continue
  [[ -n ${rank[$name]:-} ]] || complain "platform/$name/ is not a room of the README's map"
done
for room in "${rooms[@]}"; do
  [[ -d $root/platform/$room ]] || complain "the README names the room $room, which platform/ does not have"
done

is_test_code() { [[ /$1 =~ /(tests|testing|fuzz|bench)/ ]]; }

while IFS= read -r -d '' file; do
  relative=${file#"$root"/}
  while IFS= read -r match; do
    number=${match%%:*}
    [[ ${match#*:} =~ \"([^\"]*)\" ]] || continue
    included=${BASH_REMATCH[1]}
    where="$relative:$number"
    if [[ $relative == platform/* ]] && ! is_test_code "$relative"; then
      room=${relative#platform/}
      room=${room%%/*}
      [[ -n ${rank[$room]:-} ]] || continue  # the platform's own root headers
      if [[ $included == platform/Afx.h ]]; then
        complain "$where: the room $room includes platform/Afx.h, which includes every room"
        continue
      fi
      target=${included#platform/}
      target=${target%%/*}
      [[ -n ${rank[$target]:-} ]] || continue
      ((rank[$target] <= rank[$room])) ||
        complain "$where: the room $room includes $included, from the room $target above it"
    elif [[ $included == platform/*/detail/* ]] && ! is_test_code "$relative"; then
      complain "$where: $included is inside the platform; components include public headers only"
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/' "$file" || true)
done < <(find "$root" -mindepth 1 -type d \( -name '.*' -o -name 'build*' \) -prune -o -type f \
  \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' \) -print0)

((fail == 0)) && echo "includes: the tree keeps to the map (rooms: ${rooms[*]})"
exit $fail
