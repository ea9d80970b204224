// xmlSncConv: converts the suite's phone book between "xmlSnc.csv" in the
// common folder and a ContactXML file.
#include <exception>

#include "EscapedError.h"
#include "XmlSncConvApp.h"

namespace {

CXmlSncConvApp theApp;

}  // namespace

int main(int argc, char** argv) {
  try {
    return theApp.Run(argc, argv);
  } catch (...) {
    // Whatever escaped ends the run with its message; the application still
    // lets go of its documents and its mutex.
    vext::converter::ReportEscapedError(std::current_exception());
    try {
      theApp.ExitInstance();
    } catch (...) {
      // Nothing more can be done; the status below still tells.
    }
    return kExitFailed;
  }
}
