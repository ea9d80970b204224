#include "BarcodeObject.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace vext::barcode2 {
namespace {

class ObjectTable {
 public:
  HBARCODE Add(std::unique_ptr<BarcodeObject> object) {
    std::lock_guard lock(m_mutex);
    m_next += 16;
    m_objects.emplace(m_next, std::move(object));
    return reinterpret_cast<HBARCODE>(m_next);
  }

  std::shared_ptr<BarcodeObject> Find(HBARCODE handle) {
    std::lock_guard lock(m_mutex);
    const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == m_objects.end() ? nullptr : found->second;
  }

  bool Remove(HBARCODE handle) {
    std::shared_ptr<BarcodeObject> removed;
    std::lock_guard lock(m_mutex);
    const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == m_objects.end()) return false;
    removed = std::move(found->second);  // destroyed after the lock is let go
    m_objects.erase(found);
    return true;
  }

 private:
  std::mutex m_mutex;
  std::uintptr_t m_next = 0xBA5E0000;
  std::unordered_map<std::uintptr_t, std::shared_ptr<BarcodeObject>> m_objects;
};

ObjectTable& Objects() {
  static ObjectTable table;
  return table;
}

}  // namespace

HBARCODE AddObject(std::unique_ptr<BarcodeObject> object) {
  return Objects().Add(std::move(object));
}
std::shared_ptr<BarcodeObject> FindObject(HBARCODE handle) { return Objects().Find(handle); }
bool RemoveObject(HBARCODE handle) { return Objects().Remove(handle); }

Error& HandleError() {
  thread_local Error error;
  return error;
}

}  // namespace vext::barcode2
