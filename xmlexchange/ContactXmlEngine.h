// The working object of one ContactXML import or export for the host's
// address-book table; CContactXmlConv makes one per call.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "AddressBookColumns.h"
#include "ContactXmlNames.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/xml/XmlDom.h"

class CContactXmlEngine {
 public:
  // Results of both directions.
  static constexpr int kDone = 1;
  static constexpr int kFailed = 2;

  // Appends one row per entry of the document at `path` to `table`, only
  // when the whole document was read. Where an entry has office and home
  // data, `companyPreferred` reads the office data, else the home data.
  int Import(const CString& path, CPtrArray* table, bool companyPreferred);
  // Writes records 1 onwards of `table` as ContactXML 1.1 to `path`.
  int Export(const CString& path, const CPtrArray* table);

  // What an entry holds per location set besides the keys, for choosing
  // the set and filling the address, postal code and telephones.
  enum Slot {
    kEmail,
    kTelephone,
    kFax,
    kMobile,
    kFullAddress,
    kPrefecture,
    kCity,
    kTown,
    kNumber,
    kFloorOrRoom,
    kBuilding,
    kOtherLines,
    kPostalCode,  // AddressCode "ZIP7"
    kZip,         // Zip
    kSlotCount
  };

 private:
  using Row = std::unique_ptr<CStringArray>;
  using SlotSet = std::array<CString, kSlotCount>;

  // --- import ---
  bool ReadDocument(CPtrArray& table);
  static void Append(CPtrArray& table, Row row);
  bool LoadFailed(const vext::xml::EntryReader& reader);
  void ShowLoadFailure(const CString& reason) const;
  Row ReadEntry(const vext::xml::Node& entry);
  void ReadPersonName(const vext::xml::Node& element);
  void ReadPersonId(const vext::xml::Node& element);
  void ReadAddress(const vext::xml::Node& element);
  void ReadOccupation(const vext::xml::Node& element);
  void ReadPhone(const vext::xml::Node& element);
  void ReadEmail(const vext::xml::Node& element);
  void ReadExtension(const vext::xml::Node& element);
  int ChooseLocationSet() const;
  bool MakerDocument() const;

  // The current row's value of a column (-1: none, reads empty), set
  // always or only while empty.
  CString Get(int column) const;
  void Set(int column, const CString& value);
  void SetIfEmpty(int column, const CString& value);
  static void SetSlotIfEmpty(CString& slot, const CString& value);

  // --- export ---
  vext::xml::Node BuildItem(vext::xml::Document& doc, const CStringArray* record) const;
  bool CheckSaveState(const vext::xml::Document& doc) const;
  void ShowSaveFailure(const CString& reason) const;

  CString m_strPath;
  CString m_strRootName;
  CString m_strVersion;
  CString m_strCreator;
  vext::snxml::ColumnMap m_columns;
  bool m_bSupplier = false;
  bool m_bCompanyPreferred = true;
  int m_nNumber = 0;
  Row m_row;
  std::array<SlotSet, vext::contactxml::kLocationSetCount> m_slots;
};
