// vextform show FILE: any format, data or original-form file as its
// description, so that "new" then "show" gives the description back.
#include "Commands.h"
#include "Description.h"
#include "Failure.h"
#include "FormFiles.h"
#include "LayoutJson.h"

namespace vextform {

namespace {

void Show(const std::string& argument) {
  const CString path = SystemPathArgument(argument);
  switch (DetectKind(path)) {
    case FileKind::Format: {
      std::string trailing;
      const auto layout = ReadFormatFile(path, trailing);
      Json desc = LayoutToJson(*layout, true);
      if (!trailing.empty()) desc["trailingBytes"] = ToHex(trailing);
      PrintDescription(desc);
      return;
    }
    case FileKind::DataSet: {
      const DataFileContents contents = ReadDataFile(path);
      PrintDescription(DataSetToJson(*contents.io->GetKorbeData(), contents.trailingBytes));
      return;
    }
    case FileKind::Unknown:
      throw Failure(argument + ": not a format file, data file or original-form file");
  }
}

}  // namespace

void AddShowCommand(CLI::App& app) {
  auto file = std::make_shared<std::string>();
  CLI::App* show = app.add_subcommand("show", "Print a format, data or original-form file as JSON");
  show->add_option("FILE", *file, "The file")->required();
  show->callback([file] { Show(*file); });
}

}  // namespace vextform
