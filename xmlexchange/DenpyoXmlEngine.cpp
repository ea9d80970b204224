// DenpyoXML import: one slip document into the host's name and value
// lists. The names inside the sections belong to the host; the library
// passes them on as found.
#include "DenpyoXmlEngine.h"

#include <map>
#include <new>
#include <set>
#include <string>

#include "ContactXmlDom.h"
#include "ExchangeMessages.h"
#include "platform/base/Exceptions.h"
#include "platform/ui/UserInterface.h"

using vext::contactxml::ForEachChild;
using vext::xml::ConversionError;
using vext::xml::EntryReader;
using vext::xml::Node;

namespace {

constexpr const char* kRootName = "DenpyoXML";
constexpr const char* kAttrDate = "date";
constexpr const char* kSectionStatement = "Statement";
constexpr const char* kSectionExtension = "Extension";
constexpr const char* kElemStatementItem = "StatementItem";
constexpr const char* kElemExtensionItem = "ExtensionItem";
constexpr const char* kAttrName = "name";

// Calls fn(child) for each child element: comments, processing
// instructions and stray text inside a section are not data.
template <typename Fn>
void ForEachElement(const Node& parent, Fn fn) {
  for (const Node& child : parent.ChildNodes())
    if (child.IsElement()) fn(child);
}

void AppendAll(const std::vector<CString>& from, CStringList* to) {
  if (to)
    for (const CString& text : from) to->AddTail(text);
}

}  // namespace

int CDenpyoXmlEngine::Import(const CString& path, const Lists& lists) {
  try {
    return Read(path, lists) ? 1 : 0;
  } catch (const ConversionError&) {
    ShowLoadFailure(ConversionError::Message());
  } catch (const CException& error) {
    error.ReportError();
  } catch (const std::bad_alloc&) {
    AfxMessageBox(vext::snxml::kMsgOutOfMemory, MB_OK);
  }
  return 0;
}

bool CDenpyoXmlEngine::Read(const CString& path, const Lists& lists) {
  EntryReader reader;
  if (!reader.Open(path)) return LoadFailed(reader);
  const std::optional<CString> date = reader.RootAttribute(kAttrDate);
  if (reader.RootName() != kRootName) {
    // Not well-formed is told first, whatever the root.
    if (!reader.Finish()) return LoadFailed(reader);
    if (date && lists.date) *lists.date = *date;
    AfxMessageBox(vext::snxml::kMsgSlipUnsupported, MB_OK);
    return false;
  }

  Gathered gathered;
  if (lists.statementColumns)
    lists.statementColumns->ForEach([&](const CString& name) { gathered.columns.push_back(name); });
  gathered.hostColumns = gathered.columns.size();
  for (Node section = reader.NextEntry(); section; section = reader.NextEntry())
    ReadSection(section, gathered);
  if (reader.ParseErrorCode() == 0) reader.Finish();
  if (reader.ParseErrorCode() != 0) return LoadFailed(reader);

  if (date && lists.date) *lists.date = *date;
  HandOver(gathered, lists);
  return true;
}

void CDenpyoXmlEngine::ReadSection(const Node& section, Gathered& gathered) const {
  const CString name = section.NodeName();
  for (int k = 0; k < kPlainSectionCount; ++k) {
    if (name != kPlainSections[k]) continue;
    ForEachElement(section, [&](const Node& child) {
      gathered.names[k].push_back(child.NodeName());
      gathered.values[k].push_back(child.Text());
    });
    return;
  }
  if (name == kSectionStatement) {
    ReadStatement(section, gathered);
  } else if (name == kSectionExtension) {
    ForEachChild(section, kElemExtensionItem, [&](const Node& item) {
      if (const auto itemName = item.GetAttribute(kAttrName)) {
        gathered.extensionNames.push_back(*itemName);
        gathered.extensionValues.push_back(item.Text());
      }
    });
  }
}

// The column names first (each new name once, in order of first
// appearance in this section), then one row per line over all columns.
void CDenpyoXmlEngine::ReadStatement(const Node& statement, Gathered& gathered) {
  std::set<std::string> appended;
  ForEachChild(statement, kElemStatementItem, [&](const Node& item) {
    ForEachElement(item, [&](const Node& child) {
      CString name = child.NodeName();
      if (appended.insert(name.str()).second) gathered.columns.push_back(std::move(name));
    });
  });
  ForEachChild(statement, kElemStatementItem, [&](const Node& item) {
    std::map<std::string, CString> texts;  // a later child of a name replaces an earlier one
    ForEachElement(item, [&](const Node& child) { texts[child.NodeName().str()] = child.Text(); });
    auto row = std::make_unique<CStringList>();
    for (const CString& column : gathered.columns) {
      const auto it = texts.find(column.str());
      row->AddTail(it == texts.end() ? CString() : it->second);
    }
    gathered.rows.push_back(std::move(row));
  });
}

void CDenpyoXmlEngine::HandOver(Gathered& gathered, const Lists& lists) {
  for (int k = 0; k < kPlainSectionCount; ++k) {
    AppendAll(gathered.names[k], lists.names[k]);
    AppendAll(gathered.values[k], lists.values[k]);
  }
  if (lists.statementColumns)
    for (std::size_t i = gathered.hostColumns; i < gathered.columns.size(); ++i)
      lists.statementColumns->AddTail(gathered.columns[i]);
  if (lists.statementRows)
    for (auto& row : gathered.rows) lists.statementRows->AddTail(row.release());
  AppendAll(gathered.extensionNames, lists.extensionNames);
  AppendAll(gathered.extensionValues, lists.extensionValues);
}

bool CDenpyoXmlEngine::LoadFailed(const EntryReader& reader) const {
  ShowLoadFailure(reader.ParseErrorReason());
  return false;
}

void CDenpyoXmlEngine::ShowLoadFailure(const CString& reason) const {
  AfxMessageBox(vext::snxml::kMsgSlipLoadFailed + reason, MB_OK);
}
