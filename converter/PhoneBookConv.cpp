#include "PhoneBookConv.h"

#include <string>

#include "ContactXmlDom.h"
#include "ContactXmlMessages.h"
#include "ContactXmlNames.h"
#include "CsvBatchReader.h"
#include "CsvWriter.h"
#include "platform/base/BoolConstants.h"
#include "platform/base/Exceptions.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

namespace cx = vext::contactxml;
using vext::contactxml::AddElement;
using vext::contactxml::AddTextElement;
using vext::xml::ConversionError;
using vext::xml::Document;
using vext::xml::Node;

namespace {

const char* const kNoData = "読み込むデータがありませんでした。"_sj;

}  // namespace

CPhoneBookConv::CPhoneBookConv() = default;
CPhoneBookConv::~CPhoneBookConv() = default;

CPhoneBookRec CPhoneBookConv::MakeRecord(const CStringArray& row) {
  CPhoneBookRec rec;
  for (int column = 0; column < kPhoneBookColumns && column < row.GetSize(); ++column)
    rec.Column(column) = row[column];
  return rec;
}

Node CPhoneBookConv::BuildItem(Document& doc, const CPhoneBookRec& rec) {
  // A record with a person's name is a personal entry, else a company's.
  const bool personal = !rec.m_strName.IsEmpty();
  const CString fullName = personal ? rec.m_strName : CString(cx::kNoPersonName);
  const char* const locationType = personal ? cx::kLocationHome : cx::kLocationOffice;
  const char* const usage = personal ? cx::kUsagePrivate : cx::kUsageOfficial;
  const char* const entryType = personal ? cx::kEntryTypePerson : cx::kEntryTypeCompany;

  Node item = doc.CreateElement(cx::kElemContactXmlItem);

  Node name = AddElement(doc, item, cx::kElemPersonName);
  Node nameItem =
      AddElement(doc, name, cx::kElemPersonNameItem, {{cx::kAttrXmlLang, cx::kLangJapanese}});
  AddTextElement(doc, nameItem, cx::kElemFullName, {}, fullName);

  Node address = AddElement(doc, item, cx::kElemAddress);
  Node addressItem =
      AddElement(doc, address, cx::kElemAddressItem,
                 {{cx::kAttrXmlLang, cx::kLangJapanese}, {cx::kAttrLocationType, locationType}});
  AddTextElement(doc, addressItem, cx::kElemAddressCode,
                 {{cx::kAttrCodeDomain, cx::kCodeDomainZip7}}, rec.m_strZip);
  AddTextElement(doc, addressItem, cx::kElemAddressCode,
                 {{cx::kAttrCodeDomain, cx::kCodeDomainJis5}}, rec.m_strAreaCode);
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypePrefecture}}, rec.m_strPrefecture);
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypeCity}}, rec.m_strCity);
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypeTown}}, rec.m_strTown);
  AddTextElement(doc, addressItem, cx::kElemAddressLine,
                 {{cx::kAttrAddressLineType, cx::kLineTypeNumber}}, rec.m_strNumber);

  if (!rec.m_strOrganization.IsEmpty()) {
    Node occupation = AddElement(doc, item, cx::kElemOccupation);
    Node occupationItem = AddElement(doc, occupation, cx::kElemOccupationItem,
                                     {{cx::kAttrXmlLang, cx::kLangJapanese}});
    AddTextElement(doc, occupationItem, cx::kElemOrganizationName, {}, rec.m_strOrganization);
  }

  Node phone = AddElement(doc, item, cx::kElemPhone);
  AddTextElement(doc, phone, cx::kElemPhoneItem,
                 {{cx::kAttrPhoneDevice, cx::kDevicePhone}, {cx::kAttrUsage, usage}}, rec.m_strTel);

  Node extension = AddElement(doc, item, cx::kElemExtension);
  AddTextElement(doc, extension, cx::kElemExtensionItem,
                 {{cx::kAttrXmlLang, cx::kLangJapanese},
                  {cx::kAttrExtensionType, cx::kExtensionExtended},
                  {cx::kAttrName, cx::kExtensionNameEntryType}},
                 entryType);
  return item;
}

// --- write mode ---------------------------------------------------------------

bool CPhoneBookConv::NextBatch() {
  m_rowList.clear();
  m_ownedRows.clear();
  m_rowLines.clear();
  if (!m_pCsv->ReadBatch(m_ownedRows, &m_rowLines)) return false;
  for (const auto& row : m_ownedRows) m_rowList.push_back(row.get());
  return true;
}

BOOL CPhoneBookConv::ReadPhoneBook() {
  m_pCsv = std::make_unique<CsvBatchReader>(m_strCsvPath);
  // Only the phone book's columns are ever used: a row of millions of
  // fields costs no more than one of nine.
  m_pCsv->KeepFields(static_cast<std::size_t>(kPhoneBookColumns));
  if (!m_pCsv->Open() || m_pCsv->IsEmpty() || !NextBatch() || m_rowList.empty()) {
    m_pCsv.reset();
    return FALSE;
  }
  return TRUE;
}

BOOL CPhoneBookConv::Export() {
  m_pWriter = std::make_unique<vext::xml::EntryWriter>();
  BOOL saved = FALSE;
  try {
    saved = WriteDocument();
  } catch (const CFileException& error) {
    error.ReportError();
  } catch (const ConversionError&) {
    // The row is named by its line in the CSV file, where it can be mended.
    CString reason = ConversionError::Message();
    if (m_nWritingLine > 0)
      reason = m_strCsvPath + " " + CString(std::to_string(m_nWritingLine)) + " 行目: "_sj + reason;
    ShowParserError(FALSE, reason);
  }
  // The CSV file stays open, writers denied, until the export ends; an
  // unfinished document is discarded and the old file stays.
  m_pCsv.reset();
  if (!saved) m_pWriter.reset();
  return saved;
}

BOOL CPhoneBookConv::WriteDocument() {
  // Begin makes the new file beside the old one: a path where no file can
  // be made fails here, before any work, and the old file stays.
  cx::BeginContactXml(*m_pWriter, m_strXmlPath, cx::kConverterXmlDeclaration,
                      cx::kConverterDoctypeComment);
  for (;;) {
    for (std::size_t i = 0; i < m_rowList.size(); ++i) {
      m_nWritingLine = i < m_rowLines.size() ? m_rowLines[i] : 0;
      m_pWriter->Write(BuildItem(m_pWriter->Nodes(), MakeRecord(*m_rowList[i])));
    }
    m_nWritingLine = 0;
    if (!m_pCsv || m_pCsv->AtEnd()) break;
    if (!NextBatch()) return FALSE;
  }
  m_pWriter->Commit();
  return TRUE;
}

// --- read mode ----------------------------------------------------------------

int CPhoneBookConv::ReadEntry(const Node& entry, CPhoneBookItem& item, std::string& csv) {
  item.Clear();
  for (const Node& child : entry.ChildNodes()) {
    if (!child.IsElement()) continue;
    const CString name = child.NodeName();
    if (name == cx::kElemPersonName)
      item.ReadNames(child);
    else if (name == cx::kElemAddress)
      item.ReadAddresses(child);
    else if (name == cx::kElemOccupation)
      item.ReadOrganization(child);
    else if (name == cx::kElemPhone)
      item.ReadPhones(child);
  }
  return item.AppendLines(csv);
}

BOOL CPhoneBookConv::Import() {
  m_pRoot = Node();
  m_bCsvUnwritable = FALSE;
  m_pReader = std::make_unique<vext::xml::EntryReader>();
  try {
    return ImportEntries();
  } catch (const ConversionError& error) {
    ShowParserError(TRUE, error.Reason());
  } catch (const CException& error) {
    error.ReportError();
  }
  return FALSE;
}

BOOL CPhoneBookConv::ImportEntries() {
  if (!m_pReader->Open(m_strXmlPath)) {
    CheckParserState();
    return FALSE;
  }

  const cx::RootForm form = cx::RootFormOf(
      m_pReader->RootName(), m_pReader->RootAttribute(cx::kAttrVersion).value_or(CString()));
  // Each child of this name is an entry; none: the root is the one entry.
  const char* const entryName = cx::EntryElementOf(form);
  if (form != cx::RootForm::RootIsEntry && !entryName) {
    // A document that is not well-formed is reported as such first,
    // whatever its root.
    if (!m_pReader->Finish()) {
      CheckParserState();
      return FALSE;
    }
    ShowUnsupported();
    return FALSE;
  }

  // The CSV text goes to the new file as it is made; the old file is
  // replaced only when the whole document has been read.
  CsvFileWriter csv(m_strCsvPath);
  if (csv.Failed()) {
    m_bCsvUnwritable = TRUE;
    return FALSE;
  }
  CPhoneBookItem item;
  std::string lines;
  long long lineCount = 0;
  const auto readEntry = [&](const Node& entry) {
    lines.clear();
    lineCount += ReadEntry(entry, item, lines);
    if (lines.empty() || csv.Append(lines)) return true;
    m_bCsvUnwritable = TRUE;
    return false;
  };
  if (entryName) {
    for (Node entry = m_pReader->NextEntry(); entry; entry = m_pReader->NextEntry())
      if (entry.NodeName() == entryName && !readEntry(entry)) return FALSE;
  } else {
    m_pRoot = m_pReader->ExpandRoot();
    if (m_pRoot && !readEntry(m_pRoot)) return FALSE;
  }
  if (m_pReader->ParseErrorCode() == 0) m_pReader->Finish();
  if (!CheckParserState()) return FALSE;

  if (lineCount == 0) {
    AfxMessageBox(kNoData);
    return FALSE;
  }
  if (csv.Commit()) return TRUE;
  m_bCsvUnwritable = TRUE;
  return FALSE;
}

// --- messages -----------------------------------------------------------------

BOOL CPhoneBookConv::CheckParserState() {
  if (!m_pReader || m_pReader->ParseErrorCode() == 0) return TRUE;
  ShowParserError(TRUE, m_pReader->ParseErrorReason());
  return FALSE;
}

void CPhoneBookConv::ShowParserError(BOOL bLoading, const CString& reason) {
  AfxMessageBox(m_strXmlPath + (bLoading ? cx::kMsgLoadFailed : cx::kMsgSaveFailed) + reason,
                MB_OK);
}

void CPhoneBookConv::ShowUnsupported() { AfxMessageBox(cx::kMsgUnsupportedFormat, MB_OK); }
