// The subcommands of vextform, one file each. Each adds itself to the
// application; its callback does the work and throws Failure (or lets a
// platform CException through) when it cannot.
#pragma once

#include <CLI/CLI.hpp>

namespace vextform {

void AddFormatCommand(CLI::App& app);    // format new DESC.json [-o FILE]
void AddDataCommand(CLI::App& app);      // data new DESC.json (-o FILE | --org N)
void AddShowCommand(CLI::App& app);      // show FILE
void AddFieldsCommand(CLI::App& app);    // fields (FILE | --format N | --org N)
void AddRenumberCommand(CLI::App& app);  // renumber ORG-FILE NEW-ID
// export FORMAT DATA.dat; import FORMAT -o OUT.dat [--into DATA.dat] [--batch]
void AddRecordsCommands(CLI::App& app);

}  // namespace vextform
