// libFuzzer target: the phone-book CSV parser and the padding after it, on
// arbitrary bytes. Messages go to a user interface that shows nothing.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "../testing/SilentUserInterface.h"
#include "CsvReader.h"
#include "platform/base/BoolConstants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader's buffer: the data followed by a zero byte it must not
  // need. The first byte picks the mode so both paths get explored.
  if (size == 0) return 0;
  const bool allLines = (data[0] & 1) == 0;
  const auto* bytes = reinterpret_cast<const char*>(data + 1);
  CCsvReader reader("xmlSnc.csv", ',');
  CsvRows rows;
  if (reader.Parse(rows, bytes, size - 1, allLines ? TRUE : FALSE)) CCsvReader::Pad(rows);
  return 0;
}
