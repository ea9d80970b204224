// vextform: for people who prepare forms, and for tests and demos. Turns
// readable descriptions of forms (UTF-8 JSON) into format files, data files
// and original-form files, and shows any of these files as a description;
// lists a form's data-entry fields and renumbers original-form files; and
// moves the documents of a data file to and from text files of records.
#include <iostream>

#include "Commands.h"
#include "Failure.h"
#include "FormFiles.h"

int main(int argc, char** argv) {
  try {
    CLI::App app{"vextform: form formats and data sets"};
    app.require_subcommand(1);
    vextform::AddFormatCommand(app);
    vextform::AddDataCommand(app);
    vextform::AddShowCommand(app);
    vextform::AddFieldsCommand(app);
    vextform::AddRenumberCommand(app);
    vextform::AddRecordsCommands(app);
    try {
      app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
      return app.exit(error);
    }
  } catch (const vextform::Failure& failure) {
    // An empty failure was shown to the user already.
    if (*failure.what()) std::cerr << "vextform: " << failure.what() << '\n';
    return 1;
  } catch (const CException& error) {
    std::cerr << "vextform: " << vextform::Describe(error) << '\n';
    return 1;
  } catch (const std::exception& error) {
    std::cerr << "vextform: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
