// The process-wide table behind the graphics handles: handles count up and
// are never handed out twice, so a stale handle finds nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace vext::detail {

template <class Object>
class GdiObjectTable {
 public:
  // `tag` keeps the handles of different kinds apart (a bitmap handle is
  // never mistaken for a metafile's).
  explicit GdiObjectTable(std::uintptr_t tag) : m_next(tag << 24) {}

  template <class Handle>
  Handle Add(std::unique_ptr<Object> object) {
    std::lock_guard lock(m_mutex);
    m_next += 16;
    m_objects.emplace(m_next, std::move(object));
    return reinterpret_cast<Handle>(m_next);
  }

  template <class Handle>
  Object* Find(Handle handle) {
    std::lock_guard lock(m_mutex);
    const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == m_objects.end() ? nullptr : found->second.get();
  }

  template <class Handle>
  bool Remove(Handle handle) {
    std::unique_ptr<Object> removed;
    {
      std::lock_guard lock(m_mutex);
      const auto found = m_objects.find(reinterpret_cast<std::uintptr_t>(handle));
      if (found == m_objects.end()) return false;
      removed = std::move(found->second);
      m_objects.erase(found);
    }
    return true;  // the object goes outside the lock
  }

 private:
  std::mutex m_mutex;
  std::uintptr_t m_next;
  std::unordered_map<std::uintptr_t, std::unique_ptr<Object>> m_objects;
};

}  // namespace vext::detail
