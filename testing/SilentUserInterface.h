// A user interface that shows nothing and answers every question with its
// default: for fuzz targets, whose inputs make the components report
// errors by the million.
#pragma once

#include <optional>

#include "platform/ui/UserInterface.h"

namespace vext::testing {

class SilentUserInterface : public vext::ui::UserInterface {
 public:
  int MessageBox(const CString&, UINT type) override { return vext::ui::DefaultButton(type); }
  std::optional<CString> FileDialog(const vext::ui::FileDialogRequest&) override {
    return std::nullopt;
  }
  int DoModal(CDialog&) override { return IDCANCEL; }
  void WaitShown(const vext::ui::WaitView&) override {}
  void WaitTextChanged(const vext::ui::WaitView&) override {}
  void WaitHidden(const vext::ui::WaitView&) override {}
};

}  // namespace vext::testing
