# Form records: the delivery slips' data set (made in the forms step) is
# written through RecConv to a quoted text file in the installed data
# folder, as a person does it (vextform export: the save dialog and the
# writing-order dialog answered by a script that takes every field in
# order), the file is shown, and it is read back in batch mode (vextform
# import --batch: <InstalledDataDir>\1001.txt, the default definition, no
# dialog) into a new data set, which is shown. The batch reading deletes
# the text file once it has been read.
vextform=$(program tools/vextform/vextform)
records_dir=$(reg_value "$work/registry.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\velmorik' InstalledDataDir) ||
  fail "samples/registry.reg has no InstalledDataDir under HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik"
records_native=$(native_path "$records_dir")
records_work=$work/records
mkdir -p "$records_work"
[[ -f $work/forms/delivery-slips.dat ]] || fail "the forms step made no delivery-slips.dat"

echo
echo "== records: the delivery slips written to $records_dir\\1001.txt"
echo "\$ vextform export 1001 delivery-slips.dat    (dialogs: save as $records_dir\\1001.txt; 一括移動>>, OK)"
status=0
VEXT_UI=scripted VEXT_UI_LOG="$records_work/export-ui.log" \
  VEXT_UI_ANSWERS="file:$records_dir\\1001.txt,dialog:click:1000;ok" \
  "$vextform" export 1001 "$work/forms/delivery-slips.dat" || status=$?
((status == 0)) || fail "vextform export ended with status $status"
# What the user saw: the dialogs and the closing message.
grep -E '^(file-dialog|modal|action|message)' "$records_work/export-ui.log" | sed 's/^/  /'
echo
echo "== $records_dir\\1001.txt (two documents of three faces: six lines)"
show "$records_native/1001.txt" | tee "$records_work/1001.shown.txt"

echo
echo "== read back in batch mode into a new data set"
echo "\$ vextform import 1001 --batch -o slips-read.dat"
status=0
"$vextform" import 1001 --batch -o "$records_work/slips-read.dat" || status=$?
((status == 0)) || fail "vextform import ended with status $status"
"$vextform" show "$records_work/slips-read.dat" >"$records_work/slips-read.json" ||
  fail "the data set read back cannot be shown"
sed -n '/"documents"/,$p' "$records_work/slips-read.json"

if ((check)); then
  [[ ! -e $records_native/1001.txt ]] || fail "the batch reading left its input file"
  (($(wc -l <"$records_work/1001.shown.txt") == 6)) || fail "the text file has not six lines"
  grep -q '^"2024/04/02","A-0002","有限会社 﨑山製作所",' "$records_work/1001.shown.txt" ||
    fail "the text file lost a value"
  for value in '㈱髙橋商店' '納品書在中, 取扱注意' 'クリップ \"大\"' 'ⅠⅡⅢ №１ ㍻'; do
    grep -qF "\"$value\"" "$records_work/slips-read.json" || fail "the data set read back lost $value"
  done
  (($(grep -c '"faces": \[' "$records_work/slips-read.json") == 2)) ||
    fail "the data set read back has not two documents"
  echo
  echo "demo: checked: 2 documents written as 6 quoted lines and read back in batch mode, the input deleted"
fi
