#include "TreeListing.h"

#include <string>

#include "CatalogRecords.h"
#include "platform/text/Cp932.h"

namespace slipcat {
namespace {

std::string Display(const CString& text) {
  return text.IsEmpty() ? std::string("\"\"") : vext::Cp932ToUtf8Lossy(text.view());
}

void PrintRecord(std::ostream& out, const CObject* record, int depth, const std::string& prefix);

template <class Array>
void PrintChildren(std::ostream& out, const Array& children, int depth) {
  for (auto* child : children) PrintRecord(out, child, depth, "");
}

void PrintRecord(std::ostream& out, const CObject* record, int depth, const std::string& prefix) {
  out << std::string(2 * depth, ' ') << prefix;
  if (!record) {
    out << "(null)\n";
  } else if (const auto* layout = dynamic_cast<const CLayoutInfo*>(record)) {
    out << layout->layoutId << "  " << Display(layout->title);
    if (layout->motoLayoutId) out << "  (from " << layout->motoLayoutId << ")";
    if (layout->version > 1) out << "  (version " << layout->version << ")";
    out << '\n';
  } else if (const auto* minor = dynamic_cast<const CShoBunrui*>(record)) {
    out << Display(minor->name) << '\n';
    PrintChildren(out, minor->childList, depth + 1);
  } else if (const auto* middle = dynamic_cast<const CChuBunrui*>(record)) {
    out << Display(middle->name) << '\n';
    PrintChildren(out, middle->childList, depth + 1);
  } else if (const auto* major = dynamic_cast<const CDaiBunrui*>(record)) {
    out << Display(major->name) << '\n';
    PrintChildren(out, major->childList, depth + 1);
  } else {
    out << record->GetRuntimeClass()->m_lpszClassName << '\n';
  }
}

}  // namespace

void PrintTree(std::ostream& out, const CObArray& records, bool numbered) {
  if (records.IsEmpty()) out << "  (empty)\n";
  for (int i = 0; i < records.GetSize(); ++i)
    PrintRecord(out, records.GetAt(i), 1, numbered ? "[" + std::to_string(i) + "] " : "");
}

}  // namespace slipcat
