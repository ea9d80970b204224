// libFuzzer target: arbitrary bytes loaded as an object archive of small
// nested records (categories, layouts, nodes with strings and DWORD lists).
// Loading must end in a list or a CArchiveException, never a crash, a leak
// or an allocation larger than the input; whatever loads must store and
// load again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../platform/tests/ArchiveSamples.h"

using namespace vext_sample;

namespace {

// A small buffer makes every refill path of the reader run.
constexpr int kBufferSize = 64;

ObjectList Load(std::string bytes) {
  MemoryFile file(std::move(bytes));
  CArchive ar(&file, CArchive::load, kBufferSize);
  return LoadList(ar);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ObjectList list;
  try {
    list = Load(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const CArchiveException&) {
    return 0;
  }
  MemoryFile stored;
  {
    CArchive ar(&stored, CArchive::store, kBufferSize);
    StoreList(ar, list);
    ar.Close();
  }
  try {
    if (Load(stored.Bytes()).size() != list.size()) std::abort();
  } catch (const CArchiveException&) {
    std::abort();
  }
  return 0;
}
