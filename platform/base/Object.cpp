#include "platform/base/Object.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Serial classes by name. Libraries join and leave it from their static
// initialisers and finalisers, so it is created on first use and never
// destroyed (a library may unload after this one's statics are gone).
// Several classes may share a name; the latest registered wins.
struct ClassRegistry {
  std::mutex mutex;
  std::map<std::string, std::vector<CRuntimeClass*>, std::less<>> byName;
};

ClassRegistry& Registry() {
  static auto* registry = new ClassRegistry;
  return *registry;
}

}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), vext::kNotSerialSchema, nullptr,
                                       nullptr};

CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const {
  return GetRuntimeClass()->IsDerivedFrom(cls);
}

bool CObject::IsSerializable() const {
  return GetRuntimeClass()->m_wSchema != vext::kNotSerialSchema;
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass)
    if (cls == base) return true;
  return false;
}

CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.byName.find(name);
  return found == registry.byName.end() ? nullptr : found->second.back();
}

vext::ClassRegistration::ClassRegistration(CRuntimeClass* cls) : m_class(cls) {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  registry.byName[cls->m_lpszClassName].push_back(cls);
}

vext::ClassRegistration::~ClassRegistration() {
  ClassRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.byName.find(std::string_view(m_class->m_lpszClassName));
  if (found == registry.byName.end()) return;
  auto& classes = found->second;
  const auto it = std::find(classes.rbegin(), classes.rend(), m_class);
  if (it != classes.rend()) classes.erase(std::next(it).base());
  if (classes.empty()) registry.byName.erase(found);
}
