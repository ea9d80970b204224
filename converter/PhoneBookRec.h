// One phone-book entry of the CSV file: nine fields and a flag.
#pragma once

#include "platform/base/CString.h"

constexpr int kPhoneBookColumns = 9;

// The fields are declared in the reverse of their column order; Column(j)
// gives the field of CSV column j.
struct CPhoneBookRec {
  CString m_strOrganization;  // column 8
  CString m_strName;          // column 7
  CString m_strAreaCode;      // column 6, local-government area code
  CString m_strNumber;        // column 5, block and house number
  CString m_strTown;          // column 4
  CString m_strCity;          // column 3
  CString m_strPrefecture;    // column 2
  CString m_strZip;           // column 1, 7-digit postal code
  CString m_strTel;           // column 0
  int m_nFlag = 0;

  CString& Column(int column);
  const CString& Column(int column) const;
  // Empties the nine fields and clears the flag.
  void Clear();
};
