// ContactXML export: the host's address-book table as one ContactXML 1.1
// document, written entry by entry and put in place only when complete.
#include <new>
#include <stdexcept>

#include "ContactXmlDom.h"
#include "ContactXmlEngine.h"
#include "ContactXmlMessages.h"
#include "ExchangeMessages.h"
#include "TextRoutines.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/UserInterface.h"

namespace cx = vext::contactxml;
using vext::contactxml::AddElement;
using vext::contactxml::AddTextElement;
using vext::snxml::ColumnMap;
using vext::snxml::Key;
using vext::xml::ConversionError;
using vext::xml::Document;
using vext::xml::Node;

int CContactXmlEngine::Export(const CString& path, const CPtrArray* table) {
  m_strPath = path;
  if (!m_columns.Build(table)) {
    AfxMessageBox(vext::snxml::kMsgNoColumnNames, MB_OK);
    return kFailed;
  }
  m_bSupplier = m_columns.Supplier();
  // Written beside the target and renamed over it at the end: a failure
  // anywhere leaves an existing file as it was.
  vext::xml::EntryWriter writer;
  try {
    if (!CheckSaveState(writer.Nodes())) return kFailed;
    cx::BeginContactXml(writer, m_strPath, cx::kLibraryXmlDeclaration, cx::kLibraryDoctypeComment);
    if (!CheckSaveState(writer.Nodes())) return kFailed;
    for (int index = 1; index < table->GetSize(); ++index)
      writer.Write(
          BuildItem(writer.Nodes(), static_cast<const CStringArray*>(table->GetAt(index))));
    writer.Commit();
    return CheckSaveState(writer.Nodes()) ? kDone : kFailed;
  } catch (const CException& error) {
    error.ReportError();
  } catch (const ConversionError&) {
    ShowSaveFailure(ConversionError::Message());
  } catch (const std::bad_alloc&) {
    AfxMessageBox(vext::snxml::kMsgOutOfMemory, MB_OK);
  }
  return kFailed;
}

bool CContactXmlEngine::CheckSaveState(const Document& doc) const {
  if (doc.ParseErrorCode() == 0) return true;
  ShowSaveFailure(doc.ParseErrorReason());
  return false;
}

void CContactXmlEngine::ShowSaveFailure(const CString& reason) const {
  AfxMessageBox(m_strPath + cx::kMsgSaveFailed + reason, MB_OK);
}

// One ContactXMLItem with all seven groups, whatever the record holds. A
// record with a company is an organisation's entry (office data), any
// other a person's (home data).
Node CContactXmlEngine::BuildItem(Document& doc, const CStringArray* record) const {
  const auto value = [&](Key key) { return ColumnMap::ValueOf(record, m_columns.Find(key)); };
  const CString company = value(Key::Company);
  const bool organisation = !company.IsEmpty();
  const char* const locationType = organisation ? cx::kLocationOffice : cx::kLocationHome;
  const char* const usage = organisation ? cx::kUsageOfficial : cx::kUsagePrivate;
  const CString name = value(Key::Name);

  Node item = doc.CreateElement(cx::kElemContactXmlItem);

  Node personName = AddElement(doc, item, cx::kElemPersonName);
  Node nameItem =
      AddElement(doc, personName, cx::kElemPersonNameItem, {{cx::kAttrXmlLang, cx::kLangJapanese}});
  AddTextElement(doc, nameItem, cx::kElemFullName,
                 {{cx::kAttrPronunciation, cx::ToFullWidthKana(value(Key::PhoenicPerson))}},
                 name.IsEmpty() ? CString(cx::kNoPersonName) : name);

  Node personId = AddElement(doc, item, cx::kElemPersonId);
  AddTextElement(doc, personId, cx::kElemPersonIdItem,
                 {{cx::kAttrCodeDomain, cx::kCodeDomainUserDefined}},
                 value(m_bSupplier ? Key::SupplierCode : Key::CustomerCode));

  CString prefecture;
  CString rest;
  cx::SplitPrefecture(value(Key::Address), prefecture, rest);
  Node address = AddElement(doc, item, cx::kElemAddress);
  Node addressItem =
      AddElement(doc, address, cx::kElemAddressItem,
                 {{cx::kAttrLocationType, locationType}, {cx::kAttrXmlLang, cx::kLangJapanese}});
  AddTextElement(doc, addressItem, cx::kElemAddressCode,
                 {{cx::kAttrCodeDomain, cx::kCodeDomainZip7}}, value(Key::Zip));
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypePrefecture}}, prefecture);
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypeCity}}, rest);

  Node occupation = AddElement(doc, item, cx::kElemOccupation);
  Node occupationItem = AddElement(doc, occupation, cx::kElemOccupationItem);
  AddTextElement(doc, occupationItem, cx::kElemOrganizationName,
                 {{cx::kAttrPronunciation, cx::ToFullWidthKana(value(Key::PhoenicCompany))}},
                 company);
  AddTextElement(doc, occupationItem, cx::kElemDepartment, {}, value(Key::Section));

  Node phone = AddElement(doc, item, cx::kElemPhone);
  AddTextElement(doc, phone, cx::kElemPhoneItem,
                 {{cx::kAttrPhoneDevice, cx::kDevicePhone}, {cx::kAttrUsage, usage}},
                 value(Key::Tel));
  AddTextElement(doc, phone, cx::kElemPhoneItem,
                 {{cx::kAttrPhoneDevice, cx::kDeviceFax}, {cx::kAttrUsage, usage}},
                 value(Key::Fax));

  Node email = AddElement(doc, item, cx::kElemEmail);
  AddTextElement(doc, email, cx::kElemEmailItem, {{cx::kAttrUsage, usage}}, value(Key::Email));

  Node extension = AddElement(doc, item, cx::kElemExtension);
  const auto addExtension = [&](const char* type, const CString& itemName, const CString& text) {
    AddTextElement(doc, extension, cx::kElemExtensionItem,
                   {{cx::kAttrXmlLang, cx::kLangJapanese},
                    {cx::kAttrExtensionType, type},
                    {cx::kAttrName, itemName}},
                   text);
  };
  addExtension(cx::kExtensionCommon, cx::kExtensionNameSuffix, value(Key::Keisho2));
  addExtension(cx::kExtensionCommon, cx::kExtensionNameMemo, value(Key::Memo));
  for (const ColumnMap::Named& column : m_columns.ExtendedColumns())
    addExtension(cx::kExtensionExtended, column.name, ColumnMap::ValueOf(record, column.column));
  return item;
}
