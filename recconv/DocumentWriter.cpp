#include "DocumentWriter.h"

#include "platform/fs/File.h"

namespace vext::recconv {

namespace {

// Lines are gathered up to about this much before they go to the file.
constexpr std::size_t kWriteBytes = 64 * 1024;

}  // namespace

void AppendDocumentLines(CNVextDoc& doc, const CCnvDefData& definition, bool quoted,
                         std::string& out) {
  const int faces = doc.GetMenCount();
  const int firstFace = faces < 2 ? 0 : 1;
  const int lastFace = faces < 2 ? 0 : faces;
  const std::vector<DWORD>& orders = definition.orderList;
  for (int face = firstFace; face <= lastFace; ++face) {
    if (quoted) out += '"';
    for (std::size_t k = 0; k < orders.size(); ++k) {
      int indexNo = 0;
      CString itemName;
      const CString value = doc.GetStrDataByOrder(orders[k], face, indexNo, itemName);
      if (indexNo >= 1 && indexNo <= NVEXT_INDEX_COUNT) doc.SetIndex(indexNo, value, 1);
      out += value.view();
      if (k + 1 < orders.size()) out += quoted ? "\",\"" : ",";
    }
    out += quoted ? "\"\r\n" : "\r\n";
  }
}

void WriteRecordFile(const CString& path, CKorbe95Data& data, const CCnvDefData& definition,
                     bool quoted) {
  CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  std::string buffer;
  buffer.reserve(kWriteBytes + 1024);
  const auto flush = [&] {
    if (buffer.empty()) return;
    file.Write(buffer.data(), static_cast<UINT>(buffer.size()));
    buffer.clear();
  };
  const CNVextDocList& docs = data.GetVextDocList();
  for (POSITION pos = docs.GetHeadPosition(); pos;) {
    CNVextDoc* doc = docs.GetNext(pos);
    if (!doc) continue;
    AppendDocumentLines(*doc, definition, quoted, buffer);
    if (buffer.size() >= kWriteBytes) flush();
  }
  flush();
  file.Close();
}

}  // namespace vext::recconv
