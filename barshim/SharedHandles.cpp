#include "SharedHandles.h"

#include <mutex>
#include <unordered_map>

namespace vext::barshim {
namespace {

struct Holders {
  std::mutex mutex;
  std::unordered_map<HBARCODE, long> count;
};

Holders& Table() {
  static Holders holders;
  return holders;
}

}  // namespace

void Hold(HBARCODE handle) {
  Holders& table = Table();
  std::lock_guard lock(table.mutex);
  ++table.count[handle];
}

bool LetGo(HBARCODE handle) {
  Holders& table = Table();
  std::lock_guard lock(table.mutex);
  const auto found = table.count.find(handle);
  // A handle nobody counted is held by this wrapper alone.
  if (found == table.count.end()) return true;
  if (--found->second > 0) return false;
  table.count.erase(found);
  return true;
}

}  // namespace vext::barshim
