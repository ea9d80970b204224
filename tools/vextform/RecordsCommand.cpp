// vextform export FORMAT DATA.dat [--name NAME]
// vextform import FORMAT -o OUT.dat [--into DATA.dat] [--batch] [--old-to-new FILE]
// The documents of a data file written to a text file of records, and a
// text file read into a data set, through the conversion library as a
// host calls it: file dialogs, order and item dialogs and messages come
// from the current user interface ($VEXT_UI), the folders from the
// registry.
#include <iostream>
#include <memory>

#include "Commands.h"
#include "Failure.h"
#include "FormFiles.h"
#include "RecConv.h"
#include "platform/text/Cp932.h"
#include "platform/ui/Window.h"

namespace vextform {

namespace {

struct RecordsOptions {
  UINT format = 0;
  std::string data;
  std::string output;
  std::string name = "Korbe";
  bool batch = false;
  std::string oldToNew;
};

// The host's main window, which owns the dialogs.
class MainWindow {
 public:
  MainWindow() {
    m_window.CreateEx(WS_VISIBLE);
    vext::SetMainWindow(&m_window);
  }
  ~MainWindow() { vext::SetMainWindow(nullptr); }
  CWnd* get() { return &m_window; }

 private:
  CWnd m_window;
};

// Runs one conversion; a refused one (its message shown already) and a
// file or archive error (shown as the platform's file-error text) end
// the command with a failure.
void Convert(const RecordsOptions& options, bool isExport, CKorbe95Data& data) {
  MainWindow main;
  CVextCnvProc proc(main.get());
  if (!options.oldToNew.empty()) proc.SetOldToNewFilePath(SystemPathArgument(options.oldToNew));
  CString name = SystemPathArgument(options.name);
  int done = 0;
  try {
    done =
        proc.VextCnvInOut(isExport ? 1 : 0, options.format, 0, &data, name, options.batch ? 1 : 0);
  } catch (const CException& error) {
    error.ReportError();
    throw Failure("");
  }
  if (!done) throw Failure("");
}

void Export(const RecordsOptions& options) {
  const DataFileContents contents = ReadDataFile(SystemPathArgument(options.data));
  CKorbe95Data& data = *contents.io->GetKorbeData();
  Convert(options, true, data);
  std::cout << data.GetVextDocList().GetCount() << " document(s) written\n";
}

void Import(const RecordsOptions& options) {
  DataFileContents contents;
  if (options.data.empty())
    contents.io = std::make_unique<CVextFileIO>();
  else
    contents = ReadDataFile(SystemPathArgument(options.data));
  CKorbe95Data& data = *contents.io->GetKorbeData();
  Convert(options, false, data);
  const CNVextDocList& docs = data.GetVextDocList();
  if (data.GetCounterID() == 0 && !docs.IsEmpty() && docs.GetHead()->GetFormat())
    data.SetCounterID(docs.GetHead()->GetFormat()->GetID());
  const CString output = SystemPathArgument(options.output);
  WriteDataFile(output, contents);
  std::cout << docs.GetCount() << " document(s) read into " << vext::Cp932ToUtf8Lossy(output.view())
            << '\n';
}

}  // namespace

void AddRecordsCommands(CLI::App& app) {
  auto exportOptions = std::make_shared<RecordsOptions>();
  CLI::App* exporter = app.add_subcommand(
      "export", "Write the documents of a data file to a text file (file and order dialogs)");
  exporter->add_option("FORMAT", exportOptions->format, "The form format number")->required();
  exporter->add_option("DATA", exportOptions->data, "The data file")->required();
  exporter->add_option("--name", exportOptions->name,
                       "Base name of the first text file of a format without settings");
  exporter->callback([exportOptions] { Export(*exportOptions); });

  auto importOptions = std::make_shared<RecordsOptions>();
  CLI::App* importer =
      app.add_subcommand("import", "Read a text file into a data set and write it to a data file");
  importer->add_option("FORMAT", importOptions->format, "The form format number")->required();
  importer->add_option("-o,--output", importOptions->output, "The data file to write")->required();
  importer->add_option("--into", importOptions->data,
                       "A data file whose documents the text replaces (default: a new data set)");
  importer->add_flag("--batch", importOptions->batch,
                     "No dialog: read <InstalledDataDir>\\<FORMAT>.txt (or --old-to-new) with the "
                     "default definition, then delete it");
  importer->add_option("--old-to-new", importOptions->oldToNew,
                       "Batch input read with the definition the migration file "
                       "<CD-Drive>:\\PRTFRMCNV\\OldToNew.cnv keeps for its name");
  importer->add_option("--name", importOptions->name,
                       "Base name of the first text file of a format without settings");
  importer->callback([importOptions] { Import(*importOptions); });
}

}  // namespace vextform
