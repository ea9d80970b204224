#include "RecordDistributor.h"

#include "CnvMessages.h"
#include "RecordFile.h"
#include "RecordParser.h"
#include "platform/ui/UserInterface.h"

namespace vext::recconv {

int DistributeRecords(const CString& path, bool quoted, std::unique_ptr<CNVextDoc> first,
                      const RecordTarget& target) {
  RecordFile file;
  if (!file.OpenOrTell(path)) return 0;
  file.ReadAll();
  return DistributeBytes(file.Bytes(), file.Size(), quoted, std::move(first), target);
}

int DistributeBytes(const char* bytes, std::size_t size, bool quoted,
                    std::unique_ptr<CNVextDoc> first, const RecordTarget& target) {
  if (!first || size == 0) return 0;
  const int faces = first->GetMenCount();
  const int firstFace = faces < 2 ? 0 : 1;
  const int lastFace = faces < 2 ? 0 : faces;
  CNVextDocList& docs = target.data->GetVextDocList();

  std::unique_ptr<CNVextDoc> doc = std::move(first);
  std::vector<CString> fields;
  int face = firstFace;
  std::size_t pos = 0;
  while (pos < size) {
    fields.clear();
    const std::size_t taken = ParseRecord(bytes + pos, size - pos, quoted, fields);
    if (taken == 0) {
      AfxMessageBox(kMalformedRecord);
      return 0;
    }
    ApplyRecord(*doc, face, *target.definition, fields, target.batch);
    pos += taken;
    if (face < lastFace && pos < size) {
      ++face;
      continue;
    }
    docs.AddHead(doc.get());
    static_cast<void>(doc.release());  // the list's now
    if (pos < size) {
      doc.reset(target.frame->GetData(0, 0));
      if (!doc) return 0;
      doc->InitData();
      doc->SetVEXTDOC(target.header, 0);
      face = firstFace;
    }
  }
  return 1;
}

void ApplyRecord(CNVextDoc& doc, int face, const CCnvDefData& definition,
                 const std::vector<CString>& fields, bool batch) {
  static const CString kEmpty;
  const std::vector<DWORD>& orders = definition.orderList;
  for (std::size_t k = 0; k < orders.size(); ++k) {
    const DWORD column = definition.ColumnAt(k);
    const CString& value = column >= 1 && column <= fields.size() ? fields[column - 1] : kEmpty;
    if (batch && value.IsEmpty()) continue;
    doc.SetStrDataByOrder(orders[k], face, value, 0);
  }
}

}  // namespace vext::recconv
