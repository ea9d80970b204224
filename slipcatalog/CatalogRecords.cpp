#include "CatalogRecords.h"

#include <memory>

#include "CatalogTree.h"

IMPLEMENT_SERIAL(CLayoutInfo, CObject, 1)
IMPLEMENT_SERIAL(CShoBunrui, CObject, 1)
IMPLEMENT_SERIAL(CChuBunrui, CObject, 1)
IMPLEMENT_SERIAL(CDaiBunrui, CObject, 1)

namespace {

// Records of a later version than this are carried as their version alone.
constexpr DWORD kVersion = 1;

// The one stored form of the three categories.
template <class Category>
void SerializeCategory(CArchive& ar, Category& category) {
  using Child = slipcatalog::ChildOf<Category>;
  if (ar.IsStoring()) {
    ar << category.version;
    if (category.version > kVersion) return;
    ar << category.name;
    ar.WriteCount(static_cast<DWORD>(category.childList.GetSize()));
    for (CObject* child : category.childList) ar.WriteObject(child);
    return;
  }
  slipcatalog::DestroyAll(category.childList);
  ar >> category.version;
  if (category.version > kVersion) return;
  ar >> category.name;
  const DWORD count = ar.ReadCount();
  for (DWORD i = 0; i < count; ++i) {
    std::unique_ptr<CObject> child(ar.ReadObject(Child::GetThisClass()));
    category.childList.Add(static_cast<Child*>(child.get()));
    static_cast<void>(child.release());  // the category's now
  }
}

// Deep copy: version and name, then a new child per child of `src`.
template <class Category>
void CopyCategory(Category& target, const Category* src) {
  if (!src || src == &target) return;
  target.version = src->version;
  target.name = src->name;
  slipcatalog::DestroyAll(target.childList);
  for (auto* child : src->childList) {
    if (!child) {
      target.childList.Add(nullptr);
      continue;
    }
    auto copy = std::make_unique<slipcatalog::ChildOf<Category>>();
    copy->Copy(child);
    target.childList.Add(copy.release());
  }
}

}  // namespace

// ---- CLayoutInfo ----------------------------------------------------------

CLayoutInfo::CLayoutInfo()
    : layoutId(0),
      motoLayoutId(0),
      isPickUp(0),
      renzoku(0),
      formGenre(0),
      linkFlag(0),
      version(kVersion) {}

CLayoutInfo::~CLayoutInfo() = default;

void CLayoutInfo::Copy(CLayoutInfo* src) {
  if (!src || src == this) return;
  title = src->title;
  layoutId = src->layoutId;
  motoLayoutId = src->motoLayoutId;
  taiouPaper = src->taiouPaper;
  extraText1 = src->extraText1;
  fileName = src->fileName;
  extraText2 = src->extraText2;
  isPickUp = src->isPickUp;
  excelName = src->excelName;
  renzoku = src->renzoku;
  formGenre = src->formGenre;
  linkFlag = src->linkFlag;
  extraText3 = src->extraText3;
}

void CLayoutInfo::operator=(CLayoutInfo& src) { Copy(&src); }

void CLayoutInfo::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << version;
    if (version > kVersion) return;
    ar << title << layoutId << motoLayoutId << taiouPaper << extraText1 << fileName << extraText2
       << isPickUp << excelName << renzoku << formGenre << linkFlag << extraText3;
    return;
  }
  ar >> version;
  if (version > kVersion) return;
  ar >> title >> layoutId >> motoLayoutId >> taiouPaper >> extraText1 >> fileName >> extraText2 >>
      isPickUp >> excelName >> renzoku >> formGenre >> linkFlag >> extraText3;
}

// ---- categories -------------------------------------------------------------

CShoBunrui::CShoBunrui() : version(kVersion) {}
CShoBunrui::~CShoBunrui() { slipcatalog::DestroyAll(childList); }
void CShoBunrui::Copy(CShoBunrui* src) { CopyCategory(*this, src); }
void CShoBunrui::operator=(CShoBunrui& src) { CopyCategory(*this, &src); }
void CShoBunrui::Serialize(CArchive& ar) { SerializeCategory(ar, *this); }

CChuBunrui::CChuBunrui() : version(kVersion) {}
CChuBunrui::~CChuBunrui() { slipcatalog::DestroyAll(childList); }
void CChuBunrui::Copy(CChuBunrui* src) { CopyCategory(*this, src); }
void CChuBunrui::operator=(CChuBunrui& src) { CopyCategory(*this, &src); }
void CChuBunrui::Serialize(CArchive& ar) { SerializeCategory(ar, *this); }

CDaiBunrui::CDaiBunrui() : version(kVersion) {}
CDaiBunrui::~CDaiBunrui() { slipcatalog::DestroyAll(childList); }
void CDaiBunrui::Copy(CDaiBunrui* src) { CopyCategory(*this, src); }
void CDaiBunrui::operator=(CDaiBunrui& src) { CopyCategory(*this, &src); }
void CDaiBunrui::Serialize(CArchive& ar) { SerializeCategory(ar, *this); }
