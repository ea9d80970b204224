// CObject and CRuntimeClass: objects that know their class, and serial
// classes that register their name and schema once, at library load, so
// that any library can create them by name while reading an archive
// (CArchive, platform/fs/Archive.h).
#pragma once

#include <string_view>

#include "platform/base/AfxTypes.h"

class CArchive;
class CObject;

struct AFX_API CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;

  // A serial class registered by that exact name, or nullptr.
  static CRuntimeClass* FromName(std::string_view name);
};

namespace vext {
// The schema of a class that is not serial (IMPLEMENT_DYNAMIC).
inline constexpr UINT kNotSerialSchema = 0xFFFF;

// Joins a serial class to the process-wide registry for the life of the
// library that defines it (see IMPLEMENT_SERIAL).
class AFX_API ClassRegistration {
 public:
  explicit ClassRegistration(CRuntimeClass* cls);
  ~ClassRegistration();
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;

 private:
  CRuntimeClass* m_class;
};
}  // namespace vext

class AFX_API CObject {
 public:
  virtual ~CObject() = default;
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual void Serialize(CArchive& ar);
  bool IsKindOf(const CRuntimeClass* cls) const;
  bool IsSerializable() const;

  static CRuntimeClass classCObject;
  static CRuntimeClass* GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                   \
 public:                                                              \
  static CRuntimeClass class##class_name;                             \
  static CRuntimeClass* GetThisClass() { return &class##class_name; } \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_SERIAL(class_name) \
  DECLARE_DYNAMIC(class_name)      \
  static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                              \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name),   \
                                                 ::vext::kNotSerialSchema, nullptr, \
                                                 RUNTIME_CLASS(base_class_name)};   \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                              \
  CObject* class_name::CreateObject() { return new class_name; } /* NOLINT: a type name */ \
  CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), schema,  \
                                                 class_name::CreateObject,                 \
                                                 RUNTIME_CLASS(base_class_name)};          \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
  static const ::vext::ClassRegistration vextRegistrationOf##class_name(RUNTIME_CLASS(class_name));
