// vextform fields (FILE | --format N | --org N): the data-entry fields of a
// form as the field-query library reports them (GetSpaceNameMFC): head
// names, the table's columns and lines with the names of its first line,
// and foot names, as JSON.
#include <iostream>
#include <optional>

#include "Commands.h"
#include "Description.h"
#include "Failure.h"
#include "FmtQuery.h"
#include "FormFiles.h"

namespace vextform {

namespace {

struct FieldsOptions {
  std::string file;
  std::optional<long> format;
  std::optional<long> org;
};

// A query object whose form is read from a file named by its path: once
// loaded, the queries answer for it whatever number they are given.
class FileQuery : public CFmtDataGet {
 public:
  // The source that now answers (1 format file, 0 original-form file).
  int Load(const std::string& argument) {
    const CString path = SystemPathArgument(argument);
    switch (DetectKind(path)) {
      case FileKind::Format:
        if (GetVextLayoutData(path)) return 1;
        break;
      case FileKind::DataSet:
        if (GetVextDoc(path)) return 0;
        break;
      case FileKind::Unknown: break;
    }
    throw Failure(argument +
                  ": no form to ask (not a format file, or an original-form file without a "
                  "document)");
  }
};

Json NamesToJson(const CStringArray& names) {
  Json list = Json::array();
  for (const CString& name : names) list.push_back(TextToJson(name));
  return list;
}

void Fields(const FieldsOptions& options) {
  FileQuery query;
  int source = 1;
  long number = 0;
  std::string what;
  if (options.format) {
    number = *options.format;
    what = "format " + std::to_string(number);
  } else if (options.org) {
    source = 0;
    number = *options.org;
    what = "original form " + std::to_string(number);
  } else {
    source = query.Load(options.file);
    what = options.file;
  }
  int columns = 0, lines = 0;
  CStringArray head, table, foot;
  const int names = query.GetSpaceNameMFC(source, number, columns, lines, head, table, foot);
  if (names < 0) throw Failure(what + ": the form cannot be loaded");
  PrintDescription({{"names", names},
                    {"head", NamesToJson(head)},
                    {"columns", columns},
                    {"lines", lines},
                    {"table", NamesToJson(table)},
                    {"foot", NamesToJson(foot)}});
}

}  // namespace

void AddFieldsCommand(CLI::App& app) {
  auto options = std::make_shared<FieldsOptions>();
  CLI::App* fields =
      app.add_subcommand("fields", "The data-entry fields of a form: head, table line, foot");
  CLI::Option* file = fields->add_option("FILE", options->file, "A format or original-form file");
  CLI::Option* format = fields->add_option(
      "--format", options->format, "The format file of this number in the installed data folder");
  CLI::Option* org = fields->add_option(
      "--org", options->org, "The original-form file of this number in the installed data folder");
  file->excludes(format, org);
  format->excludes(org);
  fields->callback([options, file, format, org] {
    if (file->count() + format->count() + org->count() == 0)
      throw CLI::RequiredError("FILE, --format or --org");
    Fields(*options);
  });
}

}  // namespace vextform
