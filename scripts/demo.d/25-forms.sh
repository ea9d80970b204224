# The sample forms (samples/forms/*.json) become format files in the
# installed data folder (\DATA\FMT\ON<id>.FMT), a data file of delivery
# slips and an original-form file (\DATA\ORG\1002.ORG) with vextform; one
# of each is shown again as its description.
vextform=$(program tools/vextform/vextform)
data_dir=$(reg_value "$work/registry.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\velmorik' InstalledDataDir) ||
  fail "samples/registry.reg has no InstalledDataDir under HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik"
data_native=$(native_path "$data_dir")
mkdir -p "$data_native/DATA/FMT" "$data_native/DATA/ORG"

vf() {
  local status=0
  echo "\$ vextform $*"
  "$vextform" "$@" || status=$?
  ((status == 0)) || fail "vextform $* ended with status $status"
}

echo
echo "== forms: descriptions become format files in $data_dir\\DATA\\FMT"
for form in delivery-slip invoice address-labels; do
  vf format new "$root/samples/forms/$form.json"
done

echo
echo "== data sets: delivery slips in a data file, the invoice's original form in $data_dir\\DATA\\ORG"
forms_work=$work/forms
mkdir -p "$forms_work"
vf data new -o "$forms_work/delivery-slips.dat" "$root/samples/forms/delivery-slips.json"
vf data new --org 1002 "$root/samples/forms/invoice-original.json"

echo
echo "== the invoice's format file, shown again"
vf show "$data_native/DATA/FMT/ON1002.FMT" | tee "$forms_work/invoice.shown.json"
echo
echo "== the original-form file 1002.ORG (the layout travels with the data set; the marker byte after it)"
vf show "$data_native/DATA/ORG/1002.ORG" | tee "$forms_work/invoice-original.shown.json"

if ((check)); then
  for form in delivery-slip invoice address-labels; do
    id=$(sed -n 's/^ *"id": \([0-9]*\),$/\1/p' "$root/samples/forms/$form.json" | head -1)
    [[ -s $data_native/DATA/FMT/ON$id.FMT ]] || fail "no format file ON$id.FMT for $form"
  done
  "$vextform" show "$forms_work/delivery-slips.dat" >"$forms_work/delivery-slips.shown.json" ||
    fail "the delivery slips' data file cannot be shown"
  grep -q '"3": "㈱髙橋商店"' "$forms_work/delivery-slips.shown.json" ||
    fail "the delivery slips lost a CP932 value"
  grep -q '"trailingBytes": "32"' "$forms_work/invoice-original.shown.json" ||
    fail "the original-form file lost its marker byte"
  grep -q '"name": "下記の通りご請求申し上げます。"' "$forms_work/invoice.shown.json" ||
    fail "the invoice's format lost a name"
  echo
  echo "demo: checked: 3 format files, a data file and an original-form file written and shown"
fi
