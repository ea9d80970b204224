// The entry buffer of read mode: one ContactXML entry split into the
// phone book's personal line (home data) and company line (office data).
#pragma once

#include <string>

#include "ContactXmlNames.h"
#include "PhoneBookRec.h"
#include "platform/xml/XmlDom.h"

class CPhoneBookItem {
 public:
  // Office data; its flag is set when an office address or an official
  // telephone was seen.
  CPhoneBookRec m_company;
  // Home data; its flag (the personal mark) is set when a home address or
  // a private telephone was seen.
  CPhoneBookRec m_personal;

  // Empties both blocks and clears their flags, before each entry.
  void Clear();

  // Readers of the entry's children, each given the child element.
  void ReadNames(const vext::xml::Node& personName);
  void ReadAddresses(const vext::xml::Node& address);
  void ReadOrganization(const vext::xml::Node& occupation);
  void ReadPhones(const vext::xml::Node& phone);

  // Appends the entry's CSV lines: the personal line when the personal
  // mark is set, then the company line when there is an organisation
  // name. Returns how many lines were appended (0 to 2).
  int AppendLines(std::string& csv) const;

 private:
  CPhoneBookRec* SelectBlock(vext::contactxml::LocationSet set);
};
