// The working object of one DenpyoXML slip import; CXMLConv makes one per
// call.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/xml/XmlDom.h"

class CDenpyoXmlEngine {
 public:
  // The sections read as name and text pairs, in the order of the lists.
  static constexpr int kPlainSectionCount = 7;
  static constexpr std::array<const char*, kPlainSectionCount> kPlainSections = {
      "Buyer", "ShipTo1", "ShipTo2", "SellerInfo", "Header", "Total", "PaperInfo"};

  // The host's containers; the import only appends to them, and a null
  // one receives nothing.
  struct Lists {
    CString* date = nullptr;
    std::array<CStringList*, kPlainSectionCount> names{};
    std::array<CStringList*, kPlainSectionCount> values{};
    CStringList* statementColumns = nullptr;
    CPtrList* statementRows = nullptr;  // of new CStringList*, the host deletes them
    CStringList* extensionNames = nullptr;
    CStringList* extensionValues = nullptr;
  };

  // 1 when the document was read into the lists, 0 after a message. The
  // lists change only when the whole document was read.
  int Import(const CString& path, const Lists& lists);

 private:
  // What the document gives, gathered before anything reaches the host.
  struct Gathered {
    std::array<std::vector<CString>, kPlainSectionCount> names;
    std::array<std::vector<CString>, kPlainSectionCount> values;
    // The host's statement column names, then the new ones.
    std::vector<CString> columns;
    std::size_t hostColumns = 0;
    std::vector<std::unique_ptr<CStringList>> rows;
    std::vector<CString> extensionNames;
    std::vector<CString> extensionValues;
  };

  bool Read(const CString& path, const Lists& lists);
  void ReadSection(const vext::xml::Node& section, Gathered& gathered) const;
  static void ReadStatement(const vext::xml::Node& statement, Gathered& gathered);
  static void HandOver(Gathered& gathered, const Lists& lists);
  bool LoadFailed(const vext::xml::EntryReader& reader) const;
  void ShowLoadFailure(const CString& reason) const;
};
