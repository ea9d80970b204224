// recconv_RecConvBench [records]: a data set of one-face documents of a
// 20-field form (1,000,000 by default, about 100 MB of text) written to a
// quoted text file through CVextCnvProc::VextCnvInOut, and the file read
// back in batch mode into a new data set, each in a process of its own.
// Reported: MB/s of the text file by the wall time of the call (the best
// of three runs) and by its CPU time, and the memory the reading needs
// beyond what it started with (peak resident set), beside the file's size
// and the memory the documents themselves take (the same documents built
// directly).
// Targets: at least 100 MB/s both ways; reading memory no more than the
// file plus the documents made (5 % slack for the allocator).
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "RecConv.h"
#include "platform/fs/File.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kFormat = 2020;
constexpr UINT kFields = 20;

struct Measure {
  double seconds = 0;
  double cpuSeconds = 0;
  double grownMiB = 0;  // resident set at its peak less what it was before
  double fileMB = 0;
  long documents = 0;
};

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string name = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.rfind(name, 0) == 0) return std::atol(line.c_str() + name.size());
  return 0;
}

// The peak resident set starts again from the current one.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Runs `work` in a child process and returns what it measured.
Measure InChild(const std::function<Measure()>& work) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) std::exit(2);
  const pid_t pid = fork();
  if (pid == 0) {
    const Measure m = work();
    if (write(pipeFds[1], &m, sizeof m) != sizeof m) _exit(3);
    _exit(0);
  }
  Measure m;
  if (read(pipeFds[0], &m, sizeof m) != sizeof m) std::exit(4);
  int status = 0;
  waitpid(pid, &status, 0);
  close(pipeFds[0]);
  close(pipeFds[1]);
  return m;
}

// A scratch installation: drive C: a folder, the registry naming C:\Vext.
struct Installation {
  Installation() {
    root = fs::temp_directory_path() / ("recconv-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "c" / "Vext" / "DATA" / "FMT");
    fs::create_directories(root / "drives");
    fs::create_directory_symlink(root / "c", root / "drives" / "c:");
    std::ofstream(root / "registry.reg")
        << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\n"
        << "\"InstalledDataDir\"=\"C:\\\\Vext\"\n";
    setenv("VEXT_DRIVES", (root / "drives").c_str(), 1);
    setenv("VEXT_REGISTRY", (root / "registry.reg").c_str(), 1);
    setenv("VEXT_REGISTRY_DEFAULTS", "0", 1);
    CNVextLayoutData layout;
    layout.SetID(kFormat);
    for (UINT order = 1; order <= kFields; ++order)
      layout.AddPropObj(new CNPropObj(order, "F", NVPROP_INPUT, 10));
    CFile file(CVextBase::GetFormatFilePath(kFormat),
               CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CArchive ar(&file, CArchive::store);
    layout.Serialize(ar);
    ar.Close();
    file.Close();
  }
  ~Installation() { fs::remove_all(root); }
  fs::path TextFile() const { return root / "c" / "Vext" / (std::to_string(kFormat) + ".txt"); }

  fs::path root;
};

// The documents: record r holds r's digits, cut to 1..4 bytes, in each field.
void MakeDocuments(CKorbe95Data& data, long records) {
  CVextBasePrtFrm frame;
  frame.SetFormat(kFormat);
  CNVextDocList& docs = data.GetVextDocList();
  char value[16];
  for (long r = 0; r < records; ++r) {
    CNVextDoc* doc = frame.GetData(0, 0);
    for (UINT order = 1; order <= kFields; ++order) {
      std::snprintf(value, sizeof value, "%ld", (r * 7 + order) % 100);
      doc->SetStrDataByOrder(order, 0, value, 0);
    }
    docs.AddTail(doc);
  }
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The run of the three with the shortest wall time.
Measure BestOfThree(const std::function<Measure()>& work) {
  Measure best = InChild(work);
  for (int i = 0; i < 2; ++i) {
    const Measure m = InChild(work);
    if (m.seconds < best.seconds) best = m;
  }
  return best;
}

void Print(const char* what, const Measure& m, const char* target, bool met) {
  std::printf("  %-22s %7.2f s %8.1f MB/s %7.2f s %8.1f MB/s %8.1f MiB   %-44s %s\n", what,
              m.seconds, m.fileMB / m.seconds, m.cpuSeconds, m.fileMB / m.cpuSeconds, m.grownMiB,
              target, met ? "ok" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
  Installation installation;
  auto ui = std::make_shared<vext::ui::ScriptedUserInterface>();
  vext::ui::SetCurrent(ui);
  CWnd window;
  window.CreateEx(WS_VISIBLE);

  // The documents alone, as the reading makes them.
  const Measure documents = InChild([&] {
    Measure m;
    const long before = StatusKiB("VmRSS");
    CKorbe95Data data;
    const auto start = std::chrono::steady_clock::now();
    MakeDocuments(data, records);
    m.seconds = Seconds(start);
    m.grownMiB = static_cast<double>(StatusKiB("VmRSS") - before) / 1024;
    m.documents = data.GetVextDocList().GetCount();
    return m;
  });

  const Measure writing = BestOfThree([&] {
    CKorbe95Data data;
    MakeDocuments(data, records);
    ui->QueueFileResult(CString(("C:\\Vext\\" + std::to_string(kFormat) + ".txt").c_str()));
    ui->QueueDialog({"click:1000", "ok"});
    CVextCnvProc proc(&window);
    CString name("bench");
    Measure m;
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (proc.VextCnvInOut(1, kFormat, 0, &data, name, 0) != 1) _exit(5);
    m.seconds = Seconds(start);
    m.cpuSeconds = CpuSeconds() - cpu;
    m.fileMB = static_cast<double>(fs::file_size(installation.TextFile())) / 1e6;
    m.documents = data.GetVextDocList().GetCount();
    return m;
  });

  // The batch reading deletes its input: each run reads a fresh copy.
  const fs::path kept = installation.root / "kept.txt";
  fs::copy_file(installation.TextFile(), kept, fs::copy_options::overwrite_existing);
  const Measure reading = BestOfThree([&] {
    fs::copy_file(kept, installation.TextFile(), fs::copy_options::overwrite_existing);
    Measure m;
    m.fileMB = static_cast<double>(fs::file_size(installation.TextFile())) / 1e6;
    CKorbe95Data data;
    CVextCnvProc proc(&window);
    CString name("bench");
    malloc_trim(0);
    ResetPeak();
    const long before = StatusKiB("VmRSS");
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (proc.VextCnvInOut(0, kFormat, 0, &data, name, 1) != 1) _exit(6);
    m.seconds = Seconds(start);
    m.cpuSeconds = CpuSeconds() - cpu;
    m.grownMiB = static_cast<double>(StatusKiB("VmHWM") - before) / 1024;
    m.documents = data.GetVextDocList().GetCount();
    return m;
  });

  const double fileMiB = writing.fileMB * 1e6 / (1024 * 1024);
  const double allowedMiB = (fileMiB + documents.grownMiB) * 1.05;
  std::printf("recconv: %ld records of a one-face %u-field form, %.1f MB of quoted text\n", records,
              kFields, writing.fileMB);
  std::printf("  documents alone: %.1f MiB for %ld documents, made in %.2f s\n", documents.grownMiB,
              documents.documents, documents.seconds);
  std::printf("  %-22s %9s %13s %9s %13s %12s\n", "step", "wall", "by wall", "cpu", "by cpu",
              "memory");
  const bool writeOk = writing.fileMB / writing.seconds >= 100;
  const bool readOk = reading.fileMB / reading.seconds >= 100 && reading.grownMiB <= allowedMiB &&
                      reading.documents == records;
  Print("write (VextCnvInOut)", writing, ">= 100 MB/s", writeOk);
  char target[64];
  std::snprintf(target, sizeof target, ">= 100 MB/s, <= %.0f MiB (file + documents)", allowedMiB);
  Print("read (batch)", reading, target, readOk);
  return writeOk && readOk ? 0 : 1;
}
