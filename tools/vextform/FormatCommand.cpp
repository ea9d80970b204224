// vextform format new DESC.json [-o FILE]: a format file from its
// description; by default the installed data folder's \DATA\FMT\ON<id>.FMT.
#include <iostream>

#include "Commands.h"
#include "Description.h"
#include "FormFiles.h"
#include "LayoutJson.h"
#include "platform/text/Cp932.h"

namespace vextform {

namespace {

struct FormatNewOptions {
  std::string description;
  std::string output;
};

void FormatNew(const FormatNewOptions& options) {
  const Json desc = ReadDescription(options.description);
  const auto layout = LayoutFromJson(desc, "", true);
  const CString path = options.output.empty()
                           ? CVextBase::GetFormatFilePath(static_cast<UINT>(layout->GetID()))
                           : SystemPathArgument(options.output);
  WriteFormatFile(path, *layout, {});
  std::cout << "format " << layout->GetID() << " written to " << vext::Cp932ToUtf8Lossy(path.view())
            << '\n';
}

}  // namespace

void AddFormatCommand(CLI::App& app) {
  CLI::App* format = app.add_subcommand("format", "Format files (form layouts)");
  format->require_subcommand(1);
  auto options = std::make_shared<FormatNewOptions>();
  CLI::App* create = format->add_subcommand("new", "Write a format file from its description");
  create->add_option("DESC.json", options->description, "The description (UTF-8 JSON, - for stdin)")
      ->required();
  create->add_option("-o,--output", options->output,
                     "The file to write (default: the installed data folder's "
                     "\\DATA\\FMT\\ON<id>.FMT)");
  create->callback([options] { FormatNew(*options); });
}

}  // namespace vextform
