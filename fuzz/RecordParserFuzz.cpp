// libFuzzer target: arbitrary bytes as a text file of form records, in
// both layouts. Parsed record by record as the reader does, the parser
// never takes more than it is given nor reads past it (the bytes sit in a
// buffer of exactly their size); distributed over documents of a two-face
// form with a definition whose columns run past any record, in batch and
// interactive mode, never a crash or a leak. Messages go to nobody.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "../testing/SilentUserInterface.h"
#include "RecordDistributor.h"
#include "RecordParser.h"

namespace {

struct Form {
  Form() {
    CNVextLayoutData layout;
    layout.SetMenCount(2);
    for (UINT order = 1; order <= 4; ++order)
      layout.AddPropObj(new CNPropObj(order, "F", NVPROP_INPUT, 10, order == 1 ? 1 : 0));
    frame.SetFormat(&layout);
    std::memset(&header, 0, sizeof header);
    std::unique_ptr<CNVextDoc>(frame.GetData(0, 0))->GetVEXTDOC(&header, 0);
    definition.orderList = {4, 1, 2, 3, 9};
    definition.columnList = {1, 2, 70000, 0};
  }
  ~Form() { GlobalFree(header.hFormat); }

  CVextBasePrtFrm frame;
  tagNVEXTDOC header;
  CCnvDefData definition;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<char> bytes(data, data + size);
  for (bool quoted : {true, false}) {
    std::size_t pos = 0;
    while (pos < size) {
      std::vector<CString> fields;
      const std::size_t taken =
          vext::recconv::ParseRecord(bytes.data() + pos, size - pos, quoted, fields);
      if (taken > size - pos || (!quoted && taken == 0)) std::abort();
      if (taken == 0) break;
      std::size_t fieldBytes = 0;
      for (const CString& field : fields) fieldBytes += static_cast<std::size_t>(field.GetLength());
      if (fields.empty() || fieldBytes > taken) std::abort();
      pos += taken;
    }
  }
  static Form form;
  for (bool batch : {true, false}) {
    CKorbe95Data target;
    const vext::recconv::RecordTarget into{&target, &form.frame, &form.header, &form.definition,
                                           batch};
    std::unique_ptr<CNVextDoc> first(form.frame.GetData(0, 0));
    vext::recconv::DistributeBytes(bytes.data(), size, size > 0 && bytes[0] == '"',
                                   std::move(first), into);
  }
  return 0;
}
