// The xmlSncConv application: one conversion per process between the
// suite's phone-book CSV file and a ContactXML file, started by the suite
// with "/W:" (CSV to XML) or "/R:" (XML to CSV) and the XML path.
#pragma once

#include <memory>

#include "PhoneBookConv.h"
#include "platform/base/AfxTypes.h"
#include "platform/system/NamedMutex.h"

// Exit statuses: the suite sees the outcome in the files, a script in these.
enum XmlSncConvExit : int {
  kExitConverted = 0,
  kExitRefused = 1,          // bad command line or environment (message shown)
  kExitAnotherInstance = 2,  // a converter is already running
  kExitFailed = 3,           // the conversion failed or had nothing to do
};

class CXmlSncConvApp {
 public:
  // Runs the start-up steps and the exit; returns the exit status.
  int Run(int argc, const char* const* argv);

  // The start-up steps, the conversion included. Always FALSE: no message
  // loop follows.
  BOOL InitInstance();
  // Closes the mutex handle; returns the exit status.
  int ExitInstance();

  int m_bInstance = 0;  // 1 when the single-instance mutex was created
  std::unique_ptr<vext::NamedMutex> m_hMutex;
  CPhoneBookConv m_conv;

 private:
  void Convert();

  int m_argc = 0;
  const char* const* m_argv = nullptr;
  int m_nExitCode = kExitRefused;
};
