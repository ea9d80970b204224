// libFuzzer target: the .reg file reader on arbitrary bytes, then a lookup
// of every key and value name the seeds use.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/system/detail/RegFile.h"

using namespace vext::registry::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Store store;
  ApplyRegFile(std::string_view(reinterpret_cast<const char*>(data), size), store);
  for (const char* key : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\VELMOR_OP\\VELMORIK", "HKEY_CURRENT_USER",
                          "HKEY_LOCAL_MACHINE\\SOFTWARE\\CLASSES\\MSXML.DOMDOCUMENT\\CLSID"}) {
    if (const Values* values = store.Find(key)) {
      for (const auto& [name, value] : *values) {
        if (value.text && value.text->size() > (1u << 30)) __builtin_trap();
        (void)name;
      }
    }
  }
  return 0;
}
