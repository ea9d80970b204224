# Barcodes through CBarWrap with vextbarcode: a JAN-13 and a QR Code of a
# Japanese address (its CP932 bytes in the symbol), written as PNG files.
barcode=$(program barshim/vextbarcode)
mkdir -p "$work/barcodes"
jan=$work/barcodes/jan13.png
qr=$work/barcodes/address-qr.png
address='〒100-0005 東京都千代田区丸の内一丁目1番1号'

echo
echo "== barcodes: a JAN-13 and a QR Code of an address"
echo "\$ vextbarcode --type jan13 --value 490123456789 --info $jan"
"$barcode" --type jan13 --value 490123456789 --info "$jan" || fail "vextbarcode could not write the JAN-13"
echo "\$ vextbarcode --type qr --value '$address' --qr-level M --info $qr"
"$barcode" --type qr --value "$address" --qr-level M --info "$qr" || fail "vextbarcode could not write the QR Code"

if ((check)); then
  # Read back by zbarimg: the check digit added, the address whole.
  decoded=$(zbarimg -q --nodbus "$jan" 2>/dev/null) || fail "zbarimg cannot read $jan"
  [[ $decoded == "EAN-13:4901234567894" ]] || fail "the JAN-13 reads as '$decoded'"
  decoded=$(zbarimg -q --nodbus "$qr" 2>/dev/null) || fail "zbarimg cannot read $qr"
  [[ $decoded == "QR-Code:$address" ]] || fail "the QR Code reads as '$decoded'"
  echo "demo: checked: both barcodes read back by zbarimg as written"
fi
