# The slip-form catalogue: a sample catalogue (written by
# make-sample-catalogue below the installed data folder that the registry
# names) is listed with slipcat, a layout is looked up, a pick-up form is
# registered and put first in the recent list, and the catalogue is listed
# again.
slipcat=$(program slipcatalog/tool/slipcat)
maker=$(program slipcatalog/sample/make-sample-catalogue)
data=$(reg_value "$work/registry.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\velmor_op\velmorik' InstalledDataDir) ||
  fail "samples/registry.reg has no InstalledDataDir under HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik"
mkdir -p "$(native_path "$data")"

slipcat_run() {
  local status=0
  echo "\$ slipcat $*"
  "$slipcat" "$@" || status=$?
  ((status == 0)) || fail "slipcat $* ended with status $status"
}

echo
echo "== the slip-form catalogue: a sample in $data\\Data\\MyData"
"$maker" || fail "make-sample-catalogue failed"
slipcat_run list
echo
echo "== layout 2002, replaced by a downloaded one"
slipcat_run show 2002
echo
echo "== a pick-up form made from layout 2101, then first in the recent list"
slipcat_run pickup --from 2101 --id 40002 --category 0 --title '請求書（控え）' \
  --form "$data\\Data\\Org\\40002.fmt"
slipcat_run recent 40002
slipcat_run list

if ((check)); then
  pickup=$("$slipcat" show 40002 --json) || fail "the pick-up form 40002 cannot be looked up"
  for field in '"title": "請求書（控え）"' '"motoLayoutId": 2101' '"fileName": "40002.fmt"' '"isPickUp": 1'; do
    grep -qF "$field" <<<"$pickup" || fail "pick-up form 40002 lacks $field"
  done
  first=$("$slipcat" dump recent | grep -m1 '"layoutId"') || fail "the recent list is empty"
  [[ $first == *40002* ]] || fail "the recent list does not begin with 40002: $first"
  "$slipcat" show 2002 | grep -qF '改訂版' || fail "layout 2002 was not replaced by the downloaded one"
  if "$slipcat" show 5001 >/dev/null 2>&1; then fail "a download of no catalogue category was shown"; fi
  # A file cut short: a message naming it and a failure status.
  head -c 40 "$(native_path "$data\\Data\\MyData\\SlipCatalog.dat")" >"$work/cut.dat"
  if "$slipcat" dump "$work/cut.dat" >/dev/null 2>"$work/cut.err"; then fail "slipcat read a file cut short"; fi
  grep -q 'cut\.dat' "$work/cut.err" || fail "slipcat's message does not name the bad file"
  echo
  echo "demo: checked: the merged catalogue, the pick-up form and the recent list"
fi
