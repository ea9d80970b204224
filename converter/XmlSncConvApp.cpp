#include "XmlSncConvApp.h"

#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "CommandLine.h"
#include "CsvWriter.h"
#include "VEXTMSG.h"
#include "platform/base/BoolConstants.h"
#include "platform/fs/File.h"
#include "platform/fs/PathMap.h"
#include "platform/system/Registry.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

namespace {

constexpr const char* kMutexName = "hXmlSncConv";
constexpr const char* kCommonKey = "SOFTWARE\\NQ\\SorentaV\\CommonV";
constexpr const char* kCommonValue = "CommonDir";
constexpr std::size_t kCommonDirBuffer = 260;
constexpr const char* kCsvFileName = "\\xmlSnc.csv";

const char* const kNoCommonFolder = "Sorentaシリーズ共通フォルダが取得できませんでした。"_sj;
const char* const kBadCommandLine = "コマンドライン引数が不正です"_sj;

// True when the two paths name one existing file, however spelt (links
// included).
bool SameFile(const CString& a, const CString& b) {
  const auto nativeA = vext::NativePath(a);
  const auto nativeB = vext::NativePath(b);
  struct stat statusA {};
  struct stat statusB {};
  return nativeA && nativeB && ::stat(nativeA->c_str(), &statusA) == 0 &&
         ::stat(nativeB->c_str(), &statusB) == 0 && statusA.st_dev == statusB.st_dev &&
         statusA.st_ino == statusB.st_ino;
}

// A missing key or value reads as an empty folder name.
CString ReadCommonFolder() {
  const auto key = vext::registry::Key::Open(vext::registry::Hive::LocalMachine, kCommonKey);
  if (!key) return CString();
  return key->ReadString(kCommonValue, kCommonDirBuffer).value_or(CString());
}

}  // namespace

int CXmlSncConvApp::Run(int argc, const char* const* argv) {
  m_argc = argc;
  m_argv = argv;
  InitInstance();
  return ExitInstance();
}

BOOL CXmlSncConvApp::InitInstance() {
  // ActiveX hosting, the "jpn" locale and OLE have no counterpart here:
  // CString is CP932-aware by itself and there is no COM to start.

  // A running converter marks itself by the mutex; a second one leaves
  // without a word. Creating the mutex and learning whether it was there
  // are one step, so of converters started together exactly one runs.
  m_hMutex = vext::NamedMutex::Create(kMutexName);
  if (m_hMutex && m_hMutex->AlreadyExisted()) {
    m_hMutex.reset();
    m_nExitCode = kExitAnotherInstance;
    return FALSE;
  }
  m_bInstance = m_hMutex ? 1 : 0;

  // The phone book's path is a plain concatenation, so a folder given with
  // a final backslash yields two in a row, as it always did.
  const CString commonDir = ReadCommonFolder();
  if (commonDir.IsEmpty()) {
    AfxMessageBox(kNoCommonFolder, MB_OK);
    m_nExitCode = kExitRefused;
    return FALSE;
  }
  m_conv.m_strCsvPath = commonDir + kCsvFileName;

  // COM and three-dimensional dialog controls: nothing to do here.

  const std::optional<CString> tail = vext::converter::CommandLineTail(m_argc, m_argv);
  const std::optional<vext::converter::CommandLine> commandLine =
      tail ? vext::converter::ParseCommandLine(*tail) : std::nullopt;
  if (!commandLine) {
    AfxMessageBox(kBadCommandLine, MB_OK);
    m_nExitCode = kExitRefused;
    return FALSE;
  }
  m_conv.m_nMode = commandLine->mode;
  m_conv.m_strXmlPath = commandLine->xmlPath;

  // The wait dialog is shown for the length of the work.
  auto waitDialog = std::make_unique<CWaitDlg>(0);
  Convert();
  waitDialog->DestroyWindow();
  waitDialog.reset();
  return FALSE;
}

void CXmlSncConvApp::Convert() {
  m_nExitCode = kExitFailed;
  // The document and the phone book are two files: one written over the
  // other would lose both. Nothing is touched then.
  if (SameFile(m_conv.m_strXmlPath, m_conv.m_strCsvPath)) {
    CFileException(CFileException::badPath, EINVAL, m_conv.m_strXmlPath).ReportError();
    return;
  }
  if (m_conv.m_nMode == vext::converter::kReadMode) {
    if (m_conv.Import()) {
      m_nExitCode = kExitConverted;
    } else if (!m_conv.CsvUnwritable()) {
      // A failed read leaves an empty phone book behind.
      WritePhoneBook(m_conv.m_strCsvPath, {});
    }
    return;
  }
  // Write mode: the phone book is deleted only once the document is
  // safely saved; a failed export keeps it.
  if (!m_conv.ReadPhoneBook() || !m_conv.Export()) return;
  try {
    CFile::Remove(m_conv.m_strCsvPath);
  } catch (const CFileException&) {
    // The document is saved; a phone book that stays is converted again
    // next time, no harm done.
  }
  m_nExitCode = kExitConverted;
}

int CXmlSncConvApp::ExitInstance() {
  // The documents are released here rather than with the static object,
  // while the parser is certainly still there.
  m_conv.m_pRoot = vext::xml::Node();
  m_conv.m_pReader.reset();
  m_conv.m_pWriter.reset();
  if (m_bInstance == 1) m_hMutex.reset();
  return m_nExitCode;
}
