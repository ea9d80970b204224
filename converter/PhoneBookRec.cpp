#include "PhoneBookRec.h"

#include <stdexcept>

namespace {

// The members in column order (they are declared in reverse).
constexpr CString CPhoneBookRec::*kColumns[kPhoneBookColumns] = {
    &CPhoneBookRec::m_strTel,      &CPhoneBookRec::m_strZip,  &CPhoneBookRec::m_strPrefecture,
    &CPhoneBookRec::m_strCity,     &CPhoneBookRec::m_strTown, &CPhoneBookRec::m_strNumber,
    &CPhoneBookRec::m_strAreaCode, &CPhoneBookRec::m_strName, &CPhoneBookRec::m_strOrganization,
};

CString CPhoneBookRec::*Member(int column) {
  if (column < 0 || column >= kPhoneBookColumns) throw std::out_of_range("phone-book column");
  return kColumns[column];
}

}  // namespace

CString& CPhoneBookRec::Column(int column) { return this->*Member(column); }

const CString& CPhoneBookRec::Column(int column) const { return this->*Member(column); }

void CPhoneBookRec::Clear() {
  for (CString CPhoneBookRec::*member : kColumns) (this->*member).Empty();
  m_nFlag = 0;
}
