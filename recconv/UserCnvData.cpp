#include "UserCnvData.h"

#include <algorithm>

#include "CnvMessages.h"
#include "VextEnv.h"
#include "platform/fs/File.h"

IMPLEMENT_SERIAL(CUserCnvData, CObject, 1)

using vext::recconv::kDefaultTitle;

namespace {

// Fields of the default constructor's full defaults.
constexpr DWORD kFullDefaultFields = 400;

std::unique_ptr<CCnvDefData> NewDefault(LONG kind) {
  auto def = std::make_unique<CCnvDefData>(kind, 1, kDefaultTitle);
  def->builtIn = 1;
  return def;
}

void StoreList(CArchive& ar, const CnvDefList& list) {
  ar.WriteCount(static_cast<DWORD>(list.size()));
  for (const auto& def : list) ar.WriteObject(def.get());
}

void LoadList(CArchive& ar, CnvDefList& list) {
  const DWORD count = ar.ReadCount();
  for (DWORD i = 0; i < count; ++i) {
    std::unique_ptr<CCnvDefData> def(
        static_cast<CCnvDefData*>(ar.ReadObject(RUNTIME_CLASS(CCnvDefData))));
    // A null entry holds nothing to use; the dialogs and flows never see one.
    if (def) list.push_back(std::move(def));
  }
}

}  // namespace

CUserCnvData::CUserCnvData() {
  SetDefaultPaths("Korbe");
  auto writing = NewDefault(CCnvDefData::kWriting);
  auto reading = NewDefault(CCnvDefData::kReading);
  for (DWORD n = 1; n <= kFullDefaultFields; ++n) {
    writing->orderList.push_back(n);
    reading->orderList.push_back(n);
    reading->columnList.push_back(n);
  }
  exportDefs.push_back(std::move(writing));
  importDefs.push_back(std::move(reading));
}

CUserCnvData::CUserCnvData(UINT format, CNVextDoc* doc, const CString& baseName, BOOL batch)
    : formatNo(static_cast<LONG>(format)) {
  if (LoadFile(SettingsPath(format))) {
    RebuildItemNames(doc, batch != FALSE, true);
  } else {
    word1 = 1;
    SetDefaultPaths(baseName);
    RebuildItemNames(doc, true, batch != FALSE);
  }
}

CUserCnvData::~CUserCnvData() = default;

void CUserCnvData::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(word1) << static_cast<DWORD>(word2) << static_cast<DWORD>(word3)
       << importPath << exportPath;
    StoreList(ar, importDefs);
    StoreList(ar, exportDefs);
  } else {
    ar >> word1 >> word2 >> word3 >> importPath >> exportPath;
    LoadList(ar, importDefs);
    LoadList(ar, exportDefs);
  }
}

CString CUserCnvData::SettingsPath(UINT format) {
  CVextEnv env;
  CString name;
  name.Format("\\DATA\\MYDATA\\O%d.CNV", static_cast<int>(format));
  return env.m_strInstalledDataDir + name;
}

bool CUserCnvData::LoadFile(const CString& path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
  CArchive ar(&file, CArchive::load);
  Serialize(ar);
  ar.Close();
  return true;
}

void CUserCnvData::Store() {
  CFile file(SettingsPath(static_cast<UINT>(formatNo)),
             CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  CArchive ar(&file, CArchive::store);
  Serialize(ar);
  ar.Close();
  file.Close();
}

void CUserCnvData::SetDefaultPaths(const CString& baseName) {
  CVextEnv env;
  word2 = 1;
  word3 = 1;
  importPath.Empty();
  exportPath = env.m_strMyDocuments + "\\" + baseName + ".TXT";
}

void CUserCnvData::RebuildItemNames(const CNVextDoc* doc, bool makeDefaults, bool fullDefaults) {
  itemNames.clear();
  std::unique_ptr<CCnvDefData> writing, reading;
  if (makeDefaults) {
    writing = NewDefault(CCnvDefData::kWriting);
    reading = NewDefault(CCnvDefData::kReading);
  }
  if (doc) {
    const int face = doc->GetMenCount() > 1 ? 1 : 0;
    const UINT maxOrder = doc->GetMaxOrder(face);
    DWORD column = 1;
    for (UINT order = 1; order <= maxOrder; ++order) {
      const CNPropObj* obj = doc->GetPropObjByOrder(order, face);
      if (!obj || !obj->IsDataField()) continue;
      int indexNo = 0;
      CString name;
      doc->GetStrDataByOrder(order, face, indexNo, name);
      itemNames[order] = name;
      if (makeDefaults) {
        reading->orderList.push_back(order);
        if (fullDefaults) {
          writing->orderList.push_back(order);
          reading->columnList.push_back(column);
        }
      }
      ++column;
    }
  }
  if (makeDefaults) {
    exportDefs.push_back(std::move(writing));
    importDefs.push_back(std::move(reading));
  }
}

const CString* CUserCnvData::ShownItemName(DWORD order) const {
  if (order >= vext::recconv::kListedOrders) return nullptr;
  const auto found = itemNames.find(order);
  if (found == itemNames.end() || found->second.IsEmpty() || found->second[0] == '@')
    return nullptr;
  return &found->second;
}

namespace vext::recconv {

CCnvDefData* FindDefault(const CnvDefList& list) {
  for (const auto& def : list)
    if (def->title == kDefaultTitle) return def.get();
  return nullptr;
}

bool Contains(const CnvDefList& list, const CCnvDefData* def) {
  return std::any_of(list.begin(), list.end(), [def](const auto& d) { return d.get() == def; });
}

void MoveToFront(CnvDefList& list, const CCnvDefData* def) {
  const auto found =
      std::find_if(list.begin(), list.end(), [def](const auto& d) { return d.get() == def; });
  if (found != list.end()) std::rotate(list.begin(), found, found + 1);
}

std::unique_ptr<CCnvDefData> Detach(CnvDefList& list, const CCnvDefData* def) {
  const auto found =
      std::find_if(list.begin(), list.end(), [def](const auto& d) { return d.get() == def; });
  if (found == list.end()) return nullptr;
  std::unique_ptr<CCnvDefData> detached = std::move(*found);
  list.erase(found);
  return detached;
}

void EnsureDefinition(CnvDefList& list, LONG kind) {
  if (list.empty()) list.push_back(NewDefault(kind));
}

}  // namespace vext::recconv
