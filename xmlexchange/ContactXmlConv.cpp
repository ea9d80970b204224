// CContactXmlConv: the host's entry to ContactXML import and export.
#include "ChoiceDlg.h"
#include "ContactXmlEngine.h"
#include "ParserCheck.h"
#include "SnXmlConv.h"
#include "platform/text/Sj.h"

namespace {

// The question before an import: where an entry holds office and home
// data, which of them is read.
constexpr const char* kChoiceTitle = "会社/個人の選択"_sj;
constexpr const char* kChoiceExplanation =
    "会社/個人の区別があるデータが両方あった場合に、\nどちらを読み込むか選択して【OK】をクリックしてください。"_sj;
constexpr const char* kChoiceCompany = "会社（郵便番号･住所･TEL･FAX･E-mail）"_sj;
constexpr const char* kChoicePerson = "個人（郵便番号･住所･TEL･FAX･E-mail）"_sj;

}  // namespace

CContactXmlConv::CContactXmlConv() = default;
CContactXmlConv::CContactXmlConv(const CContactXmlConv&) = default;
CContactXmlConv& CContactXmlConv::operator=(const CContactXmlConv&) = default;
CContactXmlConv::~CContactXmlConv() = default;

int CContactXmlConv::ImportContactXML(CString path, int /*unused*/, CPtrArray* table) {
  CChoiceDlg dialog;
  dialog.m_strTitle = kChoiceTitle;
  dialog.m_strExplanation = kChoiceExplanation;
  dialog.m_strFirst = kChoiceCompany;
  dialog.m_strSecond = kChoicePerson;
  const int result = dialog.DoModal();
  if (result != IDOK) return result;
  CContactXmlEngine engine;
  return engine.Import(path, table, dialog.m_nRadio == 0);
}

int CContactXmlConv::ExportContactXML(CString path, CPtrArray* table) {
  CContactXmlEngine engine;
  return engine.Export(path, table);
}

int CContactXmlConv::CheckXML() { return vext::snxml::CheckXmlParser(); }
