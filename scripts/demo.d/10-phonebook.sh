# The suite's phone book (samples/xmlSnc.utf8.csv, written as CP932 with
# CR LF) goes to ContactXML with xmlSncConv /W: and comes back with /R:.
converter=$(program converter/xmlSncConv)
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
  "$converter" "$1" || status=$?
  ((status == 0)) || fail "xmlSncConv $1 ended with status $status"
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
