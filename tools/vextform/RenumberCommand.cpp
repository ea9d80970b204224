// vextform renumber ORG-FILE NEW-ID: an original-form file given a new
// layout identifier, through the field-query library (ChangeOrgNewID).
#include <cstdint>
#include <iostream>

#include "Commands.h"
#include "Failure.h"
#include "FmtQuery.h"
#include "FormFiles.h"

namespace vextform {

namespace {

struct RenumberOptions {
  std::string file;
  long id = 0;
};

void Renumber(const RenumberOptions& options) {
  if (!CFmtDataGet().ChangeOrgNewID(SystemPathArgument(options.file), options.id, nullptr))
    throw Failure(options.file +
                  ": not renumbered (no original-form file with a document, or it could not be "
                  "written)");
  std::cout << options.file << " renumbered to layout " << options.id << '\n';
}

}  // namespace

void AddRenumberCommand(CLI::App& app) {
  auto options = std::make_shared<RenumberOptions>();
  CLI::App* renumber =
      app.add_subcommand("renumber", "Give an original-form file a new layout identifier");
  renumber->add_option("ORG-FILE", options->file, "The original-form file")->required();
  renumber->add_option("NEW-ID", options->id, "The new layout identifier")
      ->required()
      ->check(CLI::Range(static_cast<long>(INT32_MIN), static_cast<long>(INT32_MAX)));
  renumber->callback([options] { Renumber(*options); });
}

}  // namespace vextform
