#!/usr/bin/env bash
# scripts/check-exports.sh LIBRARY EXPORTS RESOLVER
# The export contract of a library with its hosts: EXPORTS (the library's
# <Name>.exports, see cmake/VextHelpers.cmake) names exactly what LIBRARY
# exports. Fails when the library exports a symbol the file does not name,
# when a named symbol (or every symbol a C++ pattern covers) is missing,
# or when a name does not resolve after loading the library (RESOLVER, a
# small program that dlopens the library and looks up each name it reads).
set -euo pipefail
library=$1 exports=$2 resolver=$3

exact=() patterns=()
while IFS= read -r line; do
  line=${line%%#*}
  line=${line%"${line##*[![:space:]]}"}
  line=${line#"${line%%[![:space:]]*}"}
  [[ -z $line ]] && continue
  if [[ $line == "C++ "* ]]; then patterns+=("${line#C++ }"); else exact+=("$line"); fi
done <"$exports"

mapfile -t mangled < <(nm -D --defined-only "$library" | awk '{print $3}')
mapfile -t demangled < <(nm -D --defined-only "$library" | awk '{print $3}' | c++filt)

declare -A named=() used=()
for name in "${exact[@]}"; do named[$name]=1; done
status=0
for i in "${!mangled[@]}"; do
  name=${mangled[$i]}
  [[ -n ${named[$name]:-} ]] && { used[$name]=1; continue; }
  covered=0
  for pattern in "${patterns[@]}"; do
    # shellcheck disable=SC2053
    if [[ ${demangled[$i]} == $pattern ]]; then covered=1; used["C++ $pattern"]=1; break; fi
  done
  if ((!covered)); then
    echo "exports: $library exports ${demangled[$i]} ($name), which $exports does not name" >&2
    status=1
  fi
done
for name in "${exact[@]}"; do
  [[ -n ${used[$name]:-} ]] || { echo "exports: $name is named in $exports but not exported" >&2; status=1; }
done
for pattern in "${patterns[@]}"; do
  [[ -n ${used["C++ $pattern"]:-} ]] || { echo "exports: C++ $pattern matches nothing exported" >&2; status=1; }
done

printf '%s\n' "${mangled[@]}" | "$resolver" "$library" || status=1
((status == 0)) && echo "exports: ${#mangled[@]} symbols of $(basename "$library") exported as $(basename "$exports") says, and all resolve"
exit $status
