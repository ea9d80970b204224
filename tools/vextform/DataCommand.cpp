// vextform data new DESC.json (-o FILE | --org N): a data file or an
// original-form file from its description.
#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "DataSetJson.h"
#include "Description.h"
#include "FormFiles.h"
#include "platform/text/Cp932.h"

namespace vextform {

namespace {

struct DataNewOptions {
  std::string description;
  std::string output;
  long org = 0;
};

void DataNew(const DataNewOptions& options) {
  const Json desc = ReadDescription(options.description);
  const std::filesystem::path folder =
      options.description == "-" ? std::filesystem::path(".")
                                 : std::filesystem::path(options.description).parent_path();
  const DataFileContents contents = DataSetFromJson(desc, folder);
  const CString path = options.output.empty() ? CVextFileIO::GetOrgFilePath(options.org)
                                              : SystemPathArgument(options.output);
  WriteDataFile(path, contents);
  std::cout << contents.io->GetKorbeData()->GetVextDocList().GetCount()
            << " document(s) written to " << vext::Cp932ToUtf8Lossy(path.view()) << '\n';
}

}  // namespace

void AddDataCommand(CLI::App& app) {
  CLI::App* data = app.add_subcommand("data", "Data files and original-form files (data sets)");
  data->require_subcommand(1);
  auto options = std::make_shared<DataNewOptions>();
  CLI::App* create = data->add_subcommand("new", "Write a data set from its description");
  create->add_option("DESC.json", options->description, "The description (UTF-8 JSON, - for stdin)")
      ->required();
  CLI::Option* output = create->add_option("-o,--output", options->output, "The file to write");
  CLI::Option* org =
      create->add_option("--org", options->org,
                         "Write the original-form file of this number: the installed data folder's "
                         "\\DATA\\ORG\\<number>.ORG");
  output->excludes(org);
  create->callback([options, output, org] {
    if (output->count() == 0 && org->count() == 0) throw CLI::RequiredError("-o,--output or --org");
    DataNew(*options);
  });
}

}  // namespace vextform
