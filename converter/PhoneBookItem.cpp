#include "PhoneBookItem.h"

#include <array>

#include "ContactXmlDom.h"
#include "ContactXmlNames.h"
#include "CsvWriter.h"
#include "TextRoutines.h"

namespace cx = vext::contactxml;
using vext::contactxml::ForEachChild;
using vext::xml::Node;

namespace {

// What one Address element gives a block beside its columns.
struct AddressScratch {
  CString zip;
  CString areaCode;
  CString fullAddress;
  CString floorOrRoom;
  CString building;
  CString others;
  bool preferredTaken = false;
};

void ReadAddressItem(const Node& item, CPhoneBookRec& block, AddressScratch& scratch) {
  for (const Node& child : item.ChildNodes()) {
    if (!child.IsElement()) continue;
    const CString name = child.NodeName();
    if (name == cx::kElemFullAddress) {
      scratch.fullAddress = child.Text();
    } else if (name == cx::kElemZip) {
      scratch.zip = child.Text();
    } else if (name == cx::kElemAddressCode) {
      const CString domain = cx::AttributeOf(child, cx::kAttrCodeDomain);
      if (domain == cx::kCodeDomainZip7)
        block.m_strZip = child.Text();
      else if (domain == cx::kCodeDomainJis5)
        block.m_strAreaCode = child.Text();
    } else if (name == cx::kElemAddressLine) {
      const CString type = cx::AttributeOf(child, cx::kAttrAddressLineType);
      if (type == cx::kLineTypePrefecture)
        block.m_strPrefecture = child.Text();
      else if (type == cx::kLineTypeCity)
        block.m_strCity = child.Text();
      else if (type == cx::kLineTypeTown)
        block.m_strTown = child.Text();
      else if (type == cx::kLineTypeNumber)
        block.m_strNumber = child.Text();
      else if (type == cx::kLineTypeBuilding)
        scratch.building = child.Text();
      else if (type == cx::kLineTypeFloorOrRoom)
        scratch.floorOrRoom = child.Text();
      else if (type == cx::kLineTypeJis5)
        scratch.areaCode = child.Text();
      else if (type == cx::kLineTypeOthers)
        scratch.others += child.Text();
    }
  }
}

bool StreetColumnsEmpty(const CPhoneBookRec& block) {
  return block.m_strPrefecture.IsEmpty() && block.m_strCity.IsEmpty() &&
         block.m_strTown.IsEmpty() && block.m_strNumber.IsEmpty();
}

// Fills the columns that the Address element gave only indirectly.
void CompleteAddress(CPhoneBookRec& block, const AddressScratch& scratch) {
  block.m_strNumber += scratch.building;
  block.m_strNumber += scratch.floorOrRoom;
  if (block.m_strZip.IsEmpty()) block.m_strZip = scratch.zip;
  if (block.m_strAreaCode.IsEmpty()) block.m_strAreaCode = scratch.areaCode;
  if (StreetColumnsEmpty(block))
    cx::SplitPrefecture(scratch.fullAddress, block.m_strPrefecture, block.m_strCity);
  if (StreetColumnsEmpty(block))
    cx::SplitPrefecture(scratch.others, block.m_strPrefecture, block.m_strCity);
}

void ClearAddressColumns(CPhoneBookRec& block) {
  for (int column = 1; column <= 6; ++column) block.Column(column).Empty();
}

}  // namespace

void CPhoneBookItem::Clear() {
  m_company.Clear();
  m_personal.Clear();
}

// The block that a location type or usage selects; selecting it sets the
// block's flag, even when the item is then ignored for another reason.
CPhoneBookRec* CPhoneBookItem::SelectBlock(vext::contactxml::LocationSet set) {
  CPhoneBookRec* block = set == cx::LocationSet::Office ? &m_company
                         : set == cx::LocationSet::Home ? &m_personal
                                                        : nullptr;
  if (block) block->m_nFlag = 1;
  return block;
}

void CPhoneBookItem::ReadNames(const Node& personName) {
  ForEachChild(personName, cx::kElemPersonNameItem, [&](const Node& item) {
    if (cx::AttributeOf(item, cx::kAttrXmlLang) != cx::kLangJapanese) return;
    // Each name read replaces the one before: the last one stays.
    ForEachChild(item, cx::kElemFullName, [&](const Node& fullName) {
      const CString text = fullName.Text();
      m_personal.m_strName = text == cx::kNoPersonName ? CString() : text;
    });
  });
}

void CPhoneBookItem::ReadOrganization(const Node& occupation) {
  ForEachChild(occupation, cx::kElemOccupationItem, [&](const Node& item) {
    ForEachChild(item, cx::kElemOrganizationName, [&](const Node& organization) {
      m_company.m_strOrganization = organization.Text();
    });
  });
}

void CPhoneBookItem::ReadPhones(const Node& phone) {
  // Whether each block already took a preferred telephone in this element.
  bool companyPreferred = false;
  bool personalPreferred = false;
  ForEachChild(phone, cx::kElemPhoneItem, [&](const Node& item) {
    CPhoneBookRec* block =
        SelectBlock(cx::LocationSetOfUsage(cx::AttributeOf(item, cx::kAttrUsage)));
    if (!block) return;
    bool& preferredTaken = block == &m_company ? companyPreferred : personalPreferred;
    const std::optional<CString> device = item.GetAttribute(cx::kAttrPhoneDevice);
    const CString preference = cx::AttributeOf(item, cx::kAttrPreference);
    if ((device && *device != cx::kDevicePhone) || preference == cx::kPreferenceFalse ||
        preferredTaken)
      return;
    if (preference == cx::kPreferenceTrue) {
      preferredTaken = true;
      block->m_strTel.Empty();
    }
    if (block->m_strTel.IsEmpty()) block->m_strTel = item.Text();
  });
}

void CPhoneBookItem::ReadAddresses(const Node& address) {
  AddressScratch companyScratch;
  AddressScratch personalScratch;
  ForEachChild(address, cx::kElemAddressItem, [&](const Node& item) {
    CPhoneBookRec* block =
        SelectBlock(cx::LocationSetOfLocationType(cx::AttributeOf(item, cx::kAttrLocationType)));
    if (!block) return;
    AddressScratch& scratch = block == &m_company ? companyScratch : personalScratch;
    const CString preference = cx::AttributeOf(item, cx::kAttrPreference);
    if (scratch.preferredTaken || preference == cx::kPreferenceFalse) return;
    if (preference == cx::kPreferenceTrue) {
      ClearAddressColumns(*block);
      scratch = AddressScratch();
      scratch.preferredTaken = true;
    }
    ReadAddressItem(item, *block, scratch);
  });
  CompleteAddress(m_company, companyScratch);
  CompleteAddress(m_personal, personalScratch);
}

int CPhoneBookItem::AppendLines(std::string& csv) const {
  int lines = 0;
  std::array<CString, kPhoneBookColumns> fields;
  if (m_personal.m_nFlag) {
    for (int column = 0; column <= 7; ++column) fields[column] = m_personal.Column(column);
    fields[8].Empty();
    AppendCsvLine(csv, fields.data(), kPhoneBookColumns);
    ++lines;
  }
  if (!m_company.m_strOrganization.IsEmpty()) {
    for (int column = 0; column <= 6; ++column) fields[column] = m_company.Column(column);
    fields[7].Empty();
    fields[8] = m_company.m_strOrganization;
    AppendCsvLine(csv, fields.data(), kPhoneBookColumns);
    ++lines;
  }
  return lines;
}
