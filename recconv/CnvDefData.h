// CCnvDefData: one named field-order definition of a form format. A
// writing definition (kind 1) lists the form fields that make up a text
// line, in column order; a reading definition (kind 0) lists the fields to
// fill and, pairwise, the 1-based text column each one takes.
//
// Stored form (schema 1, after the archive's object tag), integers as
// little-endian DWORDs: version, title, kind, quoted, builtIn, then
// orderList and columnList each as a count and that many DWORDs.
#pragma once

#include <vector>

#include "platform/base/CString.h"
#include "platform/fs/Archive.h"

class CCnvDefData : public CObject {
  DECLARE_SERIAL(CCnvDefData)

 public:
  static constexpr LONG kReading = 0;
  static constexpr LONG kWriting = 1;

  CCnvDefData();
  CCnvDefData(LONG kind, LONG quoted, const CString& title);
  CCnvDefData(const CCnvDefData&) = default;
  CCnvDefData& operator=(const CCnvDefData&) = default;
  ~CCnvDefData() override;

  // Loading appends to the lists.
  void Serialize(CArchive& ar) override;

  // The column that fills orderList[k]; 0 when it has none.
  DWORD ColumnAt(std::size_t k) const { return k < columnList.size() ? columnList[k] : 0; }

  LONG quoted = 1;   // 1: fields in double quotes joined by ","; 0: plain
  LONG builtIn = 0;  // 1: a default definition, never deleted
  LONG version = 1;
  CString title;
  LONG kind = kReading;
  std::vector<DWORD> orderList;   // form field order numbers
  std::vector<DWORD> columnList;  // reading: the column of each orderList entry
};
