#include "LayoutRegistry.h"

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace vext::base {

namespace {

class Registry {
 public:
  void Put(std::uint64_t serial, const std::shared_ptr<CNVextLayoutData>& layout) {
    std::lock_guard lock(m_mutex);
    m_layouts[serial] = layout;
    // Entries of layouts that are gone are dropped now and then, so the
    // table stays about as large as the number of live layouts.
    if (m_layouts.size() >= m_sweepAt) {
      std::erase_if(m_layouts, [](const auto& entry) { return entry.second.expired(); });
      m_sweepAt = std::max<std::size_t>(kMinSweep, 2 * m_layouts.size());
    }
  }

  std::shared_ptr<CNVextLayoutData> Get(std::uint64_t serial) {
    std::lock_guard lock(m_mutex);
    const auto found = m_layouts.find(serial);
    return found == m_layouts.end() ? nullptr : found->second.lock();
  }

 private:
  static constexpr std::size_t kMinSweep = 64;
  std::mutex m_mutex;
  std::unordered_map<std::uint64_t, std::weak_ptr<CNVextLayoutData>> m_layouts;
  std::size_t m_sweepAt = kMinSweep;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

std::shared_ptr<CNVextLayoutData> ShareLayout(std::unique_ptr<CNVextLayoutData> layout) {
  std::shared_ptr<CNVextLayoutData> shared(std::move(layout));
  if (shared) TheRegistry().Put(LayoutAccess::Serial(*shared), shared);
  return shared;
}

std::shared_ptr<CNVextLayoutData> FindSharedLayout(std::uint64_t serial) {
  return TheRegistry().Get(serial);
}

void AliasSharedLayout(std::uint64_t serial, const std::shared_ptr<CNVextLayoutData>& layout) {
  if (layout) TheRegistry().Put(serial, layout);
}

}  // namespace vext::base
