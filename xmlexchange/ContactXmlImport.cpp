// ContactXML import: any root form into the host's address-book table.
#include <new>

#include "ContactXmlDom.h"
#include "ContactXmlEngine.h"
#include "ContactXmlMessages.h"
#include "ExchangeMessages.h"
#include "TextRoutines.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/UserInterface.h"

namespace cx = vext::contactxml;
using vext::contactxml::AttributeOf;
using vext::contactxml::ForEachChild;
using vext::snxml::Key;
using vext::xml::ConversionError;
using vext::xml::EntryReader;
using vext::xml::Node;

int CContactXmlEngine::Import(const CString& path, CPtrArray* table, bool companyPreferred) {
  m_strPath = path;
  m_nNumber = 0;
  m_bCompanyPreferred = companyPreferred;
  if (!m_columns.Build(table)) {
    AfxMessageBox(vext::snxml::kMsgNoColumnNames, MB_OK);
    return kFailed;
  }
  m_bSupplier = m_columns.Supplier();
  // Rows go into the table as they are read, and come out again unless
  // the whole document was read and found well-formed: the host sees
  // either all of them or none.
  const int hostRows = table->GetSize();
  try {
    if (ReadDocument(*table)) return kDone;
  } catch (const ConversionError&) {
    ShowLoadFailure(ConversionError::Message());
  } catch (const CException& error) {
    error.ReportError();
  } catch (const std::bad_alloc&) {
    AfxMessageBox(vext::snxml::kMsgOutOfMemory, MB_OK);
  }
  for (int index = table->GetSize() - 1; index >= hostRows; --index)
    delete static_cast<CStringArray*>(table->GetAt(index));
  table->SetSize(hostRows);
  return kFailed;
}

bool CContactXmlEngine::ReadDocument(CPtrArray& table) {
  EntryReader reader;
  if (!reader.Open(m_strPath)) return LoadFailed(reader);
  m_strRootName = reader.RootName();
  m_strVersion = reader.RootAttribute(cx::kAttrVersion).value_or(CString());
  m_strCreator = reader.RootAttribute(cx::kAttrCreator).value_or(CString());

  const cx::RootForm form = cx::RootFormOf(m_strRootName, m_strVersion);
  if (form == cx::RootForm::UnsupportedVersion || form == cx::RootForm::NotContactXml) {
    // A document that is not well-formed is reported as such, whatever
    // its root.
    if (!reader.Finish()) return LoadFailed(reader);
    AfxMessageBox(form == cx::RootForm::UnsupportedVersion ? vext::snxml::kMsgUnsupportedVersion
                                                           : cx::kMsgUnsupportedFormat,
                  MB_OK);
    return false;
  }
  if (form == cx::RootForm::RootIsEntry) {
    if (const Node root = reader.ExpandRoot()) Append(table, ReadEntry(root));
  } else {
    const char* const entryName = cx::EntryElementOf(form);
    for (Node entry = reader.NextEntry(); entry; entry = reader.NextEntry())
      if (entry.NodeName() == entryName) Append(table, ReadEntry(entry));
  }
  if (reader.ParseErrorCode() == 0) reader.Finish();
  return reader.ParseErrorCode() == 0 || LoadFailed(reader);
}

void CContactXmlEngine::Append(CPtrArray& table, Row row) {
  table.Add(row.get());
  static_cast<void>(row.release());  // the host's now
}

bool CContactXmlEngine::LoadFailed(const EntryReader& reader) {
  ShowLoadFailure(reader.ParseErrorReason());
  return false;
}

void CContactXmlEngine::ShowLoadFailure(const CString& reason) const {
  AfxMessageBox(m_strPath + cx::kMsgLoadFailed + reason, MB_OK);
}

bool CContactXmlEngine::MakerDocument() const { return m_strCreator == cx::kCreatorUri; }

// --- the current row -----------------------------------------------------------

CString CContactXmlEngine::Get(int column) const {
  return column >= 0 ? (*m_row)[column] : CString();
}

void CContactXmlEngine::Set(int column, const CString& value) {
  if (column >= 0) (*m_row)[column] = value;
}

void CContactXmlEngine::SetIfEmpty(int column, const CString& value) {
  if (column >= 0 && (*m_row)[column].IsEmpty()) (*m_row)[column] = value;
}

void CContactXmlEngine::SetSlotIfEmpty(CString& slot, const CString& value) {
  if (slot.IsEmpty()) slot = value;
}

// --- one entry -------------------------------------------------------------------

CContactXmlEngine::Row CContactXmlEngine::ReadEntry(const Node& entry) {
  m_row = std::make_unique<CStringArray>();
  m_row->SetSize(m_columns.Width());
  for (SlotSet& set : m_slots)
    for (CString& slot : set) slot.Empty();

  for (const Node& child : entry.ChildNodes()) {
    if (!child.IsElement()) continue;
    const CString name = child.NodeName();
    if (name == cx::kElemPersonName)
      ReadPersonName(child);
    else if (name == cx::kElemPersonId && MakerDocument())
      ReadPersonId(child);
    else if (name == cx::kElemAddress)
      ReadAddress(child);
    else if (name == cx::kElemOccupation)
      ReadOccupation(child);
    else if (name == cx::kElemPhone)
      ReadPhone(child);
    else if (name == cx::kElemEmail)
      ReadEmail(child);
    else if (name == cx::kElemExtension)
      ReadExtension(child);
  }

  const int nameColumn = m_columns.Find(Key::Name);
  if (Get(nameColumn) == cx::kNoPersonName) Set(nameColumn, CString());

  SlotSet& chosen = m_slots[ChooseLocationSet()];
  const int addressColumn = m_columns.Find(Key::Address);
  if (Get(addressColumn).IsEmpty()) {
    CString address = chosen[kPrefecture];
    for (const Slot part : {kCity, kTown, kNumber, kBuilding, kFloorOrRoom, kOtherLines})
      address += chosen[part];
    Set(addressColumn, address.IsEmpty() ? chosen[kFullAddress] : address);
  }
  SetIfEmpty(m_columns.Find(Key::Zip), chosen[kPostalCode]);
  SetSlotIfEmpty(chosen[kTelephone], chosen[kMobile]);
  SetIfEmpty(m_columns.Find(Key::Tel), chosen[kTelephone]);
  SetIfEmpty(m_columns.Find(Key::Fax), chosen[kFax]);
  SetIfEmpty(m_columns.Find(Key::Email), chosen[kEmail]);

  (*m_row)[0].Format("%d", m_nNumber++);
  return std::move(m_row);
}

// Office or home data, as the user preferred where there are both; the
// other set only when there is nothing of either.
int CContactXmlEngine::ChooseLocationSet() const {
  const auto any = [this](cx::LocationSet set) {
    for (const CString& slot : m_slots[static_cast<int>(set)])
      if (!slot.IsEmpty()) return true;
    return false;
  };
  const cx::LocationSet first =
      m_bCompanyPreferred ? cx::LocationSet::Office : cx::LocationSet::Home;
  const cx::LocationSet second =
      m_bCompanyPreferred ? cx::LocationSet::Home : cx::LocationSet::Office;
  if (any(first)) return static_cast<int>(first);
  if (any(second)) return static_cast<int>(second);
  return static_cast<int>(cx::LocationSet::Other);
}

// --- the entry's children ------------------------------------------------------------

void CContactXmlEngine::ReadPersonName(const Node& element) {
  const int nameColumn = m_columns.Find(Key::Name);
  // The first Japanese item that gives a name is the one used.
  ForEachChild(element, cx::kElemPersonNameItem, [&](const Node& item) {
    if (AttributeOf(item, cx::kAttrXmlLang) != cx::kLangJapanese || !Get(nameColumn).IsEmpty())
      return;
    ForEachChild(item, cx::kElemFullName, [&](const Node& fullName) {
      Set(nameColumn, fullName.Text());
      if (const auto reading = fullName.GetAttribute(cx::kAttrPronunciation))
        Set(m_columns.Find(Key::PhoenicPerson), cx::ToHalfWidthKana(*reading));
    });
  });
}

void CContactXmlEngine::ReadPersonId(const Node& element) {
  const int column = m_columns.Find(m_bSupplier ? Key::SupplierCode : Key::CustomerCode);
  ForEachChild(element, cx::kElemPersonIdItem, [&](const Node& item) {
    if (AttributeOf(item, cx::kAttrCodeDomain) == cx::kCodeDomainUserDefined)
      SetIfEmpty(column, item.Text());
  });
}

void CContactXmlEngine::ReadAddress(const Node& element) {
  ForEachChild(element, cx::kElemAddressItem, [&](const Node& item) {
    if (item.Attributes().empty()) return;
    // An item without "locationType" is read as if it were empty.
    SlotSet& slots = m_slots[static_cast<int>(
        cx::LocationSetOfLocationType(AttributeOf(item, cx::kAttrLocationType)))];
    for (const Node& child : item.ChildNodes()) {
      if (!child.IsElement()) continue;
      const CString name = child.NodeName();
      if (name == cx::kElemFullAddress) {
        SetSlotIfEmpty(slots[kFullAddress], child.Text());
      } else if (name == cx::kElemZip) {
        SetSlotIfEmpty(slots[kZip], child.Text());
      } else if (name == cx::kElemAddressCode) {
        if (AttributeOf(child, cx::kAttrCodeDomain) == cx::kCodeDomainZip7)
          SetSlotIfEmpty(slots[kPostalCode], child.Text());
      } else if (name == cx::kElemAddressLine) {
        const CString type = AttributeOf(child, cx::kAttrAddressLineType);
        static constexpr std::pair<const char*, Slot> kLines[] = {
            {cx::kLineTypePrefecture, kPrefecture},
            {cx::kLineTypeCity, kCity},
            {cx::kLineTypeTown, kTown},
            {cx::kLineTypeNumber, kNumber},
            {cx::kLineTypeBuilding, kBuilding},
            {cx::kLineTypeFloorOrRoom, kFloorOrRoom}};
        if (type == cx::kLineTypeOthers) {
          slots[kOtherLines] += child.Text();
        } else {
          for (const auto& [lineType, slot] : kLines)
            if (type == lineType) SetSlotIfEmpty(slots[slot], child.Text());
        }
      }
    }
  });
}

void CContactXmlEngine::ReadOccupation(const Node& element) {
  ForEachChild(element, cx::kElemOccupationItem, [&](const Node& item) {
    for (const Node& child : item.ChildNodes()) {
      if (!child.IsElement()) continue;
      const CString name = child.NodeName();
      if (name == cx::kElemOrganizationName) {
        Set(m_columns.Find(Key::Company), child.Text());
        if (const auto reading = child.GetAttribute(cx::kAttrPronunciation))
          Set(m_columns.Find(Key::PhoenicCompany), cx::ToHalfWidthKana(*reading));
      } else if (name == cx::kElemDepartment) {
        Set(m_columns.Find(Key::Section), child.Text());
      }
    }
  });
}

void CContactXmlEngine::ReadPhone(const Node& element) {
  ForEachChild(element, cx::kElemPhoneItem, [&](const Node& item) {
    const CString device = AttributeOf(item, cx::kAttrPhoneDevice);
    const Slot slot = device == cx::kDevicePhone      ? kTelephone
                      : device == cx::kDeviceFax      ? kFax
                      : device == cx::kDeviceCellular ? kMobile
                                                      : kSlotCount;
    if (slot == kSlotCount) return;
    // An item without "usage" is read as if it were empty: the other set.
    const int set = static_cast<int>(cx::LocationSetOfUsage(AttributeOf(item, cx::kAttrUsage)));
    SetSlotIfEmpty(m_slots[set][slot], item.Text());
  });
}

void CContactXmlEngine::ReadEmail(const Node& element) {
  ForEachChild(element, cx::kElemEmailItem, [&](const Node& item) {
    const auto usage = item.GetAttribute(cx::kAttrUsage);
    if (!usage) return;
    CString& slot = m_slots[static_cast<int>(cx::LocationSetOfUsage(*usage))][kEmail];
    if (AttributeOf(item, cx::kAttrPreference) == cx::kPreferenceTrue)
      slot = item.Text();
    else
      SetSlotIfEmpty(slot, item.Text());
  });
}

void CContactXmlEngine::ReadExtension(const Node& element) {
  ForEachChild(element, cx::kElemExtensionItem, [&](const Node& item) {
    if (AttributeOf(item, cx::kAttrXmlLang) != cx::kLangJapanese) return;
    const CString extensionType = AttributeOf(item, cx::kAttrExtensionType);
    // Items without "name" or "type" are read as if they were empty.
    const CString name = AttributeOf(item, cx::kAttrName);
    if (extensionType == cx::kExtensionCommon) {
      if (name == cx::kExtensionNameSuffix)
        SetIfEmpty(m_columns.Find(Key::Keisho2), item.Text());
      else if (name == cx::kExtensionNameMemo)
        SetIfEmpty(m_columns.Find(Key::Memo), item.Text());
    } else if (extensionType == cx::kExtensionExtended && MakerDocument()) {
      const CString type = AttributeOf(item, cx::kAttrType);
      SetIfEmpty(m_columns.Find(name.view()),
                 type.IsEmpty() ? item.Text() : type + ":" + item.Text());
    }
  });
}
