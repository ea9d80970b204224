// xmlSncConv: converts the suite's phone book between "xmlSnc.csv" in the
// common folder and a ContactXML file.
#include "XmlSncConvApp.h"

namespace {

CXmlSncConvApp theApp;

}  // namespace

int main(int argc, char** argv) { return theApp.Run(argc, argv); }
