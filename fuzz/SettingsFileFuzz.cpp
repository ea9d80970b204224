// libFuzzer target: arbitrary bytes as a format's field-order settings
// file (or the migration file). Loading ends in settings or a
// CArchiveException, never a crash, a leak or an allocation the bytes
// cannot justify; settings that load store bytes that load and store the
// same again; and both dialogs open on them, however hostile their
// definitions (orders and columns out of range, empty lists).
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../testing/SilentUserInterface.h"
#include "CnvInItemDlg.h"
#include "CnvOutOrderDlg.h"
#include "FuzzArchive.h"
#include "UserCnvData.h"

using vext_fuzz::Load;
using vext_fuzz::Stored;

namespace {

std::unique_ptr<CNVextDoc> g_sample;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // No registry: every folder empty, nothing written anywhere.
  const std::filesystem::path empty = std::filesystem::temp_directory_path() / "recconv-fuzz.reg";
  std::ofstream(empty) << "REGEDIT4\n";
  setenv("VEXT_REGISTRY", empty.c_str(), 1);
  setenv("VEXT_REGISTRY_DEFAULTS", "0", 1);
  // The dialogs fill their lists, then the silent interface cancels them.
  vext::ui::SetCurrent(std::make_unique<vext::testing::SilentUserInterface>());
  CNVextLayoutData layout;
  for (UINT order = 1; order <= 5; ++order)
    layout.AddPropObj(new CNPropObj(order, order == 3 ? "@x" : "F", NVPROP_INPUT, 10));
  CVextBasePrtFrm frame;
  frame.SetFormat(&layout);
  g_sample.reset(frame.GetData(0, 0));
  g_sample->SetStrDataByOrder(2, 0, "value", 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CUserCnvData settings;
  settings.importDefs.clear();
  settings.exportDefs.clear();
  const auto used = Load(settings, std::string(reinterpret_cast<const char*>(data), size));
  if (!used) return 0;
  if (*used > size) std::abort();
  const std::string stored = Stored(settings);
  CUserCnvData again;
  again.importDefs.clear();
  again.exportDefs.clear();
  if (Load(again, stored) != stored.size() || Stored(again) != stored) std::abort();

  settings.RebuildItemNames(g_sample.get(), false, false);
  const std::vector<CString> preview = {"a", "b"};
  CCnvInItemDlg(settings, preview, TRUE).DoModal();
  CCnvOutOrderDlg(settings, g_sample.get()).DoModal();
  return 0;
}
