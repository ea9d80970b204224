// Barcodes rendered to PNG files in memory, as a host making many labels
// would: a new value, a bitmap, its PNG bytes, the bitmap freed. Each run
// makes 10,000 codes; items_per_second is codes per second.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "barcode2/Barcode2.h"
#include "platform/ui/Gdi.h"

namespace {

constexpr int kCodes = 10000;

void RenderToPng(benchmark::State& state, long type, const char* format) {
  HBARCODE bar = nullptr;
  BarcodeCreate(nullptr, &bar);
  BarcodePutType(bar, type);
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (int i = 0; i < kCodes; ++i) {
      char value[64];
      std::snprintf(value, sizeof value, format, i);
      const HBITMAP bitmap = BarcodeGetBitmap(bar, value);
      if (!bitmap) {
        state.SkipWithError("a code could not be rendered");
        break;
      }
      bytes += vext::EncodePng(*vext::BitmapImage(bitmap), 300, 300).size();
      DeleteObject(bitmap);
    }
  }
  state.SetItemsProcessed(state.iterations() * kCodes);
  state.counters["png_bytes_per_code"] =
      benchmark::Counter(static_cast<double>(bytes) / (state.iterations() * kCodes));
  BarcodeRelease(bar);
}

void QrCodes(benchmark::State& state) {
  RenderToPng(state, BARCODE_TYPE_QR, "https://example.jp/slip?no=%08d&kind=waybill");
}
void Code128Codes(benchmark::State& state) {
  RenderToPng(state, BARCODE_TYPE_CODE128, "SLIP-%08d");
}

BENCHMARK(QrCodes)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Code128Codes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
