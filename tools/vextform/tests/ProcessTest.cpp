// The vextform program as people run it: files in the installed data
// folder by default, and a clear message with a non-zero status for
// whatever it cannot do.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ScopedInstallation.h"
#include "vextbase/VextBase.h"

namespace fs = std::filesystem;
using vext::testing::ScopedInstallation;

namespace {

struct ProgramRun {
  int status;
  std::string output;  // standard output and error together
};

// `env`: assignments the program runs with ("VEXT_UI=console").
ProgramRun Vextform(const std::string& args, const std::string& env = "") {
  const std::string command = env + " " + std::getenv("VEXTFORM") + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, "popen failed"};
  std::string output;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, got);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Sample(const std::string& name) {
  return (fs::path(std::getenv("VEXT_TEST_SOURCE_DIR")) / "samples" / "forms" / name).string();
}

TEST(VextformProgram, WritesIntoTheInstalledDataFolder) {
  ScopedInstallation suite;
  fs::create_directories(suite.Native("DATA\\FMT"));
  fs::create_directories(suite.Native("DATA\\ORG"));
  const ProgramRun format = Vextform("format new " + Sample("invoice.json"));
  ASSERT_EQ(format.status, 0) << format.output;
  EXPECT_NE(format.output.find("C:\\Vext\\DATA\\FMT\\ON1002.FMT"), std::string::npos);
  CVextBase frame;
  ASSERT_TRUE(frame.SetFormat(1002u));
  EXPECT_EQ(frame.GetFormat()->GetPropObjCount(), 10);

  const ProgramRun data = Vextform("data new --org 7 " + Sample("invoice-original.json"));
  ASSERT_EQ(data.status, 0) << data.output;
  const ProgramRun show = Vextform("show " + suite.Native("DATA\\ORG\\7.ORG").string());
  ASSERT_EQ(show.status, 0) << show.output;
  EXPECT_NE(show.output.find("\"trailingBytes\": \"32\""), std::string::npos) << show.output;
}

TEST(VextformProgram, ListsFieldsAndRenumbersOriginalForms) {
  ScopedInstallation suite;
  fs::create_directories(suite.Native("DATA\\FMT"));
  fs::create_directories(suite.Native("DATA\\ORG"));
  ASSERT_EQ(Vextform("format new " + Sample("delivery-slip.json")).status, 0);
  ASSERT_EQ(Vextform("data new --org 1002 " + Sample("invoice-original.json")).status, 0);
  const std::string org = suite.Native("DATA\\ORG\\1002.ORG").string();
  // The same form by number and by path.
  const ProgramRun byNumber = Vextform("fields --format 1001");
  const ProgramRun byPath = Vextform("fields " + suite.Native("DATA\\FMT\\ON1001.FMT").string());
  ASSERT_EQ(byNumber.status, 0) << byNumber.output;
  EXPECT_EQ(byPath.output, byNumber.output);
  EXPECT_NE(byNumber.output.find("\"columns\": 4,\n  \"lines\": 10,"), std::string::npos)
      << byNumber.output;
  EXPECT_EQ(Vextform("fields --org 1002").output, Vextform("fields " + org).output);

  const ProgramRun renumber = Vextform("renumber " + org + " 3002");
  ASSERT_EQ(renumber.status, 0) << renumber.output;
  const ProgramRun show = Vextform("show " + org);
  EXPECT_NE(show.output.find("\"id\": 3002"), std::string::npos) << show.output;
  EXPECT_NE(show.output.find("\"trailingBytes\": \"32\""), std::string::npos) << show.output;

  struct Case {
    std::string args, message;
  } failures[] = {
      {"fields --format 77", "format 77: the form cannot be loaded"},
      {"fields " + Sample("invoice.json"), "no form to ask"},
      {"renumber " + suite.Native("DATA\\FMT\\ON1001.FMT").string() + " 5", "not renumbered"},
      {"renumber " + org + " 4294967296", "NEW-ID"},
  };
  for (const Case& c : failures) {
    const ProgramRun run = Vextform(c.args);
    EXPECT_NE(run.status, 0) << c.args;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.args << "\n" << run.output;
  }
}

TEST(VextformProgram, FailuresAreReportedNeverCrashed) {
  vext::testing::ScratchDir dir;
  const std::string good = (dir.path() / "good.dat").string();
  ASSERT_EQ(Vextform("data new -o " + good + " " + Sample("delivery-slips.json")).status, 0);
  std::ifstream in(good, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const fs::path truncated = dir.Write("truncated.dat", bytes.substr(0, bytes.size() / 2));
  const fs::path other = dir.Write("other.txt", "hello");
  const fs::path badJson = dir.Write("bad.json", "{\"kind\": \"format\", ");
  const fs::path badText =
      dir.Write("outside.json", R"({"kind": "format", "id": 1, "name": "caf\u00e9"})");
  struct Case {
    std::string args, message;
  } cases[] = {
      {"show " + truncated.string(), truncated.string() + ": "},
      {"show " + other.string(), "not a format file, data file or original-form file"},
      {"show " + (dir.path() / "missing.dat").string(), "missing.dat: "},
      {"format new " + badJson.string(), "not a JSON description"},
      {"format new -o " + (dir.path() / "x.fmt").string() + " " + badText.string(),
       "is not in CP932"},
      {"data new " + Sample("delivery-slips.json"), "-o,--output or --org"},
      {"format new -o " + (dir.path() / "no" / "such" / "x.fmt").string() + " " +
           Sample("invoice.json"),
       "x.fmt: "},
  };
  for (const Case& c : cases) {
    const ProgramRun run = Vextform(c.args);
    EXPECT_NE(run.status, 0) << c.args;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.args << "\n" << run.output;
  }
  EXPECT_FALSE(fs::exists(dir.path() / "x.fmt"));
}

TEST(VextformProgram, ExportsAndImportsRecordsThroughTheConversionLibrary) {
  ScopedInstallation suite;
  fs::create_directories(suite.Native("DATA\\FMT"));
  fs::create_directories(suite.Native("DATA\\MYDATA"));
  ASSERT_EQ(Vextform("format new " + Sample("delivery-slip.json")).status, 0);
  const std::string slips = (suite.root().path() / "slips.dat").string();
  ASSERT_EQ(Vextform("data new -o " + slips + " " + Sample("delivery-slips.json")).status, 0);
  const std::string scripted = "VEXT_UI=scripted VEXT_UI_ANSWERS='file:C:\\Vext\\1001.txt,";

  const ProgramRun cancelled = Vextform("export 1001 " + slips, scripted + "dialog:cancel'");
  EXPECT_EQ(cancelled.status, 1) << cancelled.output;
  EXPECT_FALSE(fs::exists(suite.Native("1001.txt")));

  const ProgramRun exported = Vextform("export 1001 " + slips, scripted + "dialog:click:1000;ok'");
  ASSERT_EQ(exported.status, 0) << exported.output;
  EXPECT_GT(fs::file_size(suite.Native("1001.txt")), 0u);

  const std::string read = (suite.root().path() / "read.dat").string();
  const ProgramRun imported = Vextform("import 1001 --batch -o " + read, "VEXT_UI=console");
  ASSERT_EQ(imported.status, 0) << imported.output;
  EXPECT_NE(imported.output.find("2 document(s) read"), std::string::npos) << imported.output;
  EXPECT_FALSE(fs::exists(suite.Native("1001.txt")));  // read, so deleted
  const ProgramRun again = Vextform("import 1001 --batch -o " + read, "VEXT_UI=console");
  EXPECT_EQ(again.status, 1) << again.output;  // nothing left to read
}

}  // namespace
