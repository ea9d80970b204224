// CXMLConv: the host's entry to DenpyoXML slip import.
#include "DenpyoXmlEngine.h"
#include "ExchangeMessages.h"
#include "ParserCheck.h"
#include "SnXmlConv.h"
#include "platform/ui/UserInterface.h"

CXMLConv::CXMLConv() = default;
CXMLConv::CXMLConv(const CXMLConv&) = default;
CXMLConv& CXMLConv::operator=(const CXMLConv&) = default;
CXMLConv::~CXMLConv() = default;

// The exported signature takes the path by value.
int CXMLConv::XmlImport(CString path,  // NOLINT(performance-unnecessary-value-param)
                        CString& date, long& /*unused3*/, int& /*unused4*/, CString& /*unused5*/,
                        CStringList* buyerNames, CStringList* shipTo1Names,
                        CStringList* shipTo2Names, CStringList* sellerNames,
                        CStringList* headerNames, CStringList* statementColumns,
                        CStringList* totalNames, CStringList* paperNames,
                        CStringList* extensionNames, CStringList* buyerValues,
                        CStringList* shipTo1Values, CStringList* shipTo2Values,
                        CStringList* sellerValues, CStringList* headerValues,
                        CPtrList* statementRows, CStringList* totalValues, CStringList* paperValues,
                        CStringList* extensionValues) {
  CDenpyoXmlEngine::Lists lists;
  lists.date = &date;
  // In the order of CDenpyoXmlEngine::kPlainSections.
  lists.names = {buyerNames,  shipTo1Names, shipTo2Names, sellerNames,
                 headerNames, totalNames,   paperNames};
  lists.values = {buyerValues,  shipTo1Values, shipTo2Values, sellerValues,
                  headerValues, totalValues,   paperValues};
  lists.statementColumns = statementColumns;
  lists.statementRows = statementRows;
  lists.extensionNames = extensionNames;
  lists.extensionValues = extensionValues;
  CDenpyoXmlEngine engine;
  return engine.Import(path, lists);
}

int CXMLConv::SelectInportXmlFile(CString& path) {
  vext::ui::FileDialogRequest request;
  request.open = true;
  request.filter = vext::snxml::kSlipFileFilter;
  request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  const std::optional<CString> chosen = vext::ui::Current()->FileDialog(request);
  if (!chosen) return IDCANCEL;
  path = *chosen;
  return IDOK;
}

int CXMLConv::CheckXML() { return vext::snxml::CheckXmlParser(); }
