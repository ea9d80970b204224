// CContactXmlConv: the host's entry to ContactXML import and export.
#include "ChoiceDlg.h"
#include "ContactXmlEngine.h"
#include "ParserCheck.h"
#include "SnXmlConv.h"

CContactXmlConv::CContactXmlConv() = default;
CContactXmlConv::CContactXmlConv(const CContactXmlConv&) = default;
CContactXmlConv& CContactXmlConv::operator=(const CContactXmlConv&) = default;
CContactXmlConv::~CContactXmlConv() = default;

// The exported signatures take the path by value.
int CContactXmlConv::ImportContactXML(CString path,  // NOLINT(performance-unnecessary-value-param)
                                      int /*unused*/, CPtrArray* table) {
  // Where an entry has office and home data: which are read?
  CChoiceDlg dialog;
  const INT_PTR result = dialog.DoModal();
  if (result != IDOK) return static_cast<int>(result);
  CContactXmlEngine engine;
  return engine.Import(path, table, dialog.m_nChoice == 0);
}

int CContactXmlConv::ExportContactXML(CString path,  // NOLINT(performance-unnecessary-value-param)
                                      CPtrArray* table) {
  CContactXmlEngine engine;
  return engine.Export(path, table);
}

int CContactXmlConv::CheckXML() { return vext::snxml::CheckXmlParser(); }
