# The exchange library SnXmlConv as a host uses it: snxmlhost checks for
# an XML parser, reads the converter's ContactXML output (step 10) into an
# address-book table, shows the table and writes it out again as ContactXML
# 1.1; the copy read back gives the same table.
host=$(program xmlexchange/snxmlhost)
copy='C:\Users\Public\Documents\電話帳-再出力.xml'
copy_native=$(native_path "$copy")

echo
echo "== exchange library: is an XML parser there?"
echo "\$ snxmlhost check"
"$host" check || fail "snxmlhost check found no XML parser"
echo "yes"

echo
echo "== exchange library: the converter's ContactXML into a host's table, and out again"
echo "\$ snxmlhost copy $xml $copy"
"$host" copy "$xml" "$copy" </dev/null >"$work/table.txt" || fail "snxmlhost copy failed"
cat "$work/table.txt"
[[ -f $copy_native ]] || fail "no ContactXML file was written"
echo "$copy ($(wc -c <"$copy_native") bytes, Shift_JIS; shown in UTF-8, indented by xmllint):"
show "$copy_native" | sed -n 1,2p
# The whole document is indented first; only its first item is shown.
indented=$(show "$copy_native" | sed "1s/encoding=['\"]Shift_JIS['\"]/encoding='UTF-8'/" |
  xmllint --format - 2>/dev/null) || fail "xmllint rejected $copy"
printf '%s\n' "$indented" | sed -n '3,/<\/ContactXMLItem>/p'
echo "  ... (the first of $(show "$copy_native" | grep -o '<ContactXMLItem>' | wc -l) items)"

if ((check)); then
  records=$(($(grep -c . "$work/table.txt") - 3))
  ((records == $(wc -l <"$root/samples/xmlSnc.utf8.csv"))) || fail "the table holds $records records"
  "$host" import "$copy" </dev/null >"$work/table-again.txt" 2>/dev/null ||
    fail "snxmlhost could not read its own copy"
  diff <(sed '1d;$d' "$work/table.txt") <(sed '1d' "$work/table-again.txt") >&2 ||
    fail "the copy read back gives another table"
  echo
  echo "demo: checked: $records records read, written and read back unchanged"
fi
