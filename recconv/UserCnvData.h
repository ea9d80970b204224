// CUserCnvData: the field-order settings of one form format: the last
// files chosen, the reading and writing definitions (the first of each
// list is the current one) and the names of the format's data-entry
// fields. One object lives for one conversion call.
//
// Settings file of format n: <InstalledDataDir>\DATA\MYDATA\On.CNV. It
// holds this object's data from its first byte (no object tag in front):
// word1, word2, word3 (DWORDs), importPath, exportPath, then importDefs
// and exportDefs, each a count and one object per definition (the first
// brings the class "CCnvDefData", schema 1; the rest refer to it by
// number). The migration file OldToNew.cnv has the same layout.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "CnvDefData.h"
#include "vextbase/VextBase.h"

using CnvDefList = std::vector<std::unique_ptr<CCnvDefData>>;

class CUserCnvData : public CObject {
  DECLARE_SERIAL(CUserCnvData)

 public:
  // Default paths for the base name "Korbe", and full default definitions
  // of 400 fields (column k fills order k).
  CUserCnvData();
  // The settings of `formatNo`: its settings file when there is one
  // (defaults are added behind the stored definitions in batch mode
  // only), else the defaults, with `baseName` for the writing file. Full
  // defaults (every data-entry field, column k for the k-th) in batch
  // mode; interactively an empty writing default and a reading default
  // that lists the fields without columns. The item names come from
  // `doc`'s layout. A stored file that cannot be decoded throws
  // CArchiveException.
  CUserCnvData(UINT formatNo, CNVextDoc* doc, const CString& baseName, BOOL batch);
  ~CUserCnvData() override;
  CUserCnvData(const CUserCnvData&) = delete;
  CUserCnvData& operator=(const CUserCnvData&) = delete;

  // Loading appends the stored definitions to those held already.
  void Serialize(CArchive& ar) override;

  static CString SettingsPath(UINT formatNo);
  // Loads the file at `path` into this object; false (nothing changed)
  // when it cannot be opened. Decoding errors throw CArchiveException.
  bool LoadFile(const CString& path);
  // Writes the whole object to the format's settings file, replacing it
  // only once complete; file errors throw CFileException.
  void Store();

  void SetDefaultPaths(const CString& baseName);
  // Item names of `doc`'s data-entry fields; with `makeDefaults` a
  // writing and a reading default are appended (see the constructor).
  void RebuildItemNames(const CNVextDoc* doc, bool makeDefaults, bool fullDefaults);

  // The item name the dialogs show for `order` (0..399, a name that is
  // not empty and does not start with '@'), or null.
  const CString* ShownItemName(DWORD order) const;

  LONG word1 = 1;
  LONG word2 = 1;
  LONG word3 = 1;
  CString importPath;
  CString exportPath;
  CnvDefList importDefs;
  CnvDefList exportDefs;
  std::map<DWORD, CString> itemNames;
  LONG formatNo = 0;
};

namespace vext::recconv {

// Orders the dialogs offer: 0 to this, less one.
constexpr DWORD kListedOrders = 400;

// The first definition titled "消してください", or null.
CCnvDefData* FindDefault(const CnvDefList& list);
// Whether `def` is one of `list`'s.
bool Contains(const CnvDefList& list, const CCnvDefData* def);
// Moves `def`, one of `list`'s, to the front.
void MoveToFront(CnvDefList& list, const CCnvDefData* def);
// Takes `def` out of `list`; null when it is not there.
std::unique_ptr<CCnvDefData> Detach(CnvDefList& list, const CCnvDefData* def);
// A list without any definition gets an empty default of its kind, so
// that a dialog always has a current one.
void EnsureDefinition(CnvDefList& list, LONG kind);

}  // namespace vext::recconv
