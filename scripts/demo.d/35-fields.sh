# The field queries as a host makes them, through vextform: the data-entry
# fields of the delivery slip's format (head, one line of its table, foot)
# and of the invoice's original form; then a copy of that original-form
# file renumbered to a new layout identifier and shown again (its marker
# byte stays). Builds on the files of the forms step.
vextform=$(program tools/vextform/vextform)
data_dir=$(reg_value "$work/registry.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\velmorik' InstalledDataDir) ||
  fail "samples/registry.reg has no InstalledDataDir under HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik"
data_native=$(native_path "$data_dir")
fields_work=$work/fields
mkdir -p "$fields_work"

vextform_run() {
  local status=0
  echo "\$ vextform $*"
  "$vextform" "$@" || status=$?
  ((status == 0)) || fail "vextform $* ended with status $status"
}

echo
echo "== the delivery slip's fields (format 1001): head, the first line of its table, foot"
vextform_run fields --format 1001 | tee "$fields_work/delivery-slip.fields.json"
echo
echo "== the invoice's original form (1002.ORG): a form without a table"
vextform_run fields --org 1002 | tee "$fields_work/invoice-original.fields.json"

echo
echo "== 1002.ORG copied to 2002.ORG and renumbered to layout 2002"
cp "$data_native/DATA/ORG/1002.ORG" "$data_native/DATA/ORG/2002.ORG"
cp "$data_native/DATA/ORG/1002.ORG" "$fields_work/1002.ORG.before"
vextform_run renumber "$data_dir\\DATA\\ORG\\2002.ORG" 2002
vextform_run show "$data_native/DATA/ORG/2002.ORG" | tee "$fields_work/renumbered.shown.json"

if ((check)); then
  tr -d ' \n' <"$fields_work/delivery-slip.fields.json" >"$fields_work/delivery-slip.flat"
  grep -q '"columns":4,"lines":10,"table":\["品名1","数量1","単価1","金額1"\]' "$fields_work/delivery-slip.flat" ||
    fail "the delivery slip's table line is not 4 columns of 10 lines named 品名1 to 金額1"
  tr -d ' \n' <"$fields_work/invoice-original.fields.json" | grep -q '{"names":8,' ||
    fail "the invoice's original form does not report its 8 fields"
  grep -q '"id": 2002,' "$fields_work/renumbered.shown.json" ||
    fail "2002.ORG was not renumbered to layout 2002"
  grep -q '"trailingBytes": "32"' "$fields_work/renumbered.shown.json" ||
    fail "2002.ORG lost its marker byte"
  cmp -s "$data_native/DATA/ORG/1002.ORG" "$fields_work/1002.ORG.before" ||
    fail "1002.ORG changed although only its copy was renumbered"
  echo
  echo "demo: checked: the fields of a format and an original form, and a renumbered original-form file"
fi
