// Values a host hands the barcode renderer, of every type: checked and
// rendered (bitmap, metafile, check characters) or refused with an error,
// never a crash. Input: a type byte, an options byte, then the value.
#include <cstddef>
#include <cstdint>

#include "barcode2/Barcode2.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 4096) return 0;
  HBARCODE bar = nullptr;
  if (!BarcodeCreate(nullptr, &bar)) return 0;
  BarcodePutType(bar, data[0] % 14);
  const std::uint8_t options = data[1];
  BarcodePutCheckChar(bar, options & 1);
  BarcodePutRotate(bar, (options >> 1) & 3);
  BarcodePutMessage(bar, (options >> 3) & 1);
  BarcodePutQuiet(bar, (options & 0x10) ? 0.0 : -1.0);
  BarcodePutDpiX(bar, 72);  // small images keep the runs fast
  BarcodePutDpiY(bar, 72);
  BarcodePutValueB2(bar, const_cast<unsigned char*>(data + 2), static_cast<int>(size - 2));
  if (const HBITMAP bitmap = BarcodeGetBitmap(bar, nullptr)) DeleteObject(bitmap);
  if (const HENHMETAFILE metafile = BarcodeGetEnhMetaFile(bar, nullptr)) DeleteEnhMetaFile(metafile);
  char check[8];
  char value[BARCODE_MAX_VALUE + 1];
  BarcodeGetValue(bar, value);
  BarcodeGetCheckDigitChar(bar, value, check);
  char message[BARCODE_MAX_MESSAGE];
  BarcodeGetErrorMessage(bar, message);
  BarcodeRelease(bar);
  return 0;
}
