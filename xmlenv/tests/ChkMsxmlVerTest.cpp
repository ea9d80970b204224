#include "xmlSncEnv.h"

#include <gtest/gtest.h>

#include <string>

#include "ScopedRegistry.h"

using vext::testing::ScopedEnv;
using vext::testing::ScopedRegistry;

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kClass =
    "[HKEY_CLASSES_ROOT\\MSXML.DOMDocument\\CLSID]\r\n@=\"{2933BF90-7B36-11D2-B20E-00C04F983E60}"
    "\"\r\n";

std::string Server(const std::string& value) {
  return "[HKEY_CLASSES_ROOT\\CLSID\\{2933BF90-7B36-11D2-B20E-00C04F983E60}\\InProcServer32]\r\n@"
         "=" +
         value + "\r\n";
}

TEST(ChkMsxmlVer, ServerLibraryGivesTheGeneration) {
  ScopedEnv systemRoot("SystemRoot", "C:\\WINNT");
  struct Row {
    const char* what;
    std::string registry;
    int expected;
  };
  const Row rows[] = {
      {"expanded, reduced to its name, upper-cased",
       kClass + Server(R"("%SystemRoot%\\System32\\msxml3.dll")"), 3},
      {"expandable string value",
       kClass +
           Server("hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,"
                  "5c,00,6d,00,73,00,78,00,6d,00,6c,00,34,00,2e,00,64,00,6c,00,6c,00,00,00"),
       4},
      {"plain path", kClass + Server(R"("C:\\WINNT\\SYSTEM32\\MSXML.DLL")"), 1},
      {"no folder", kClass + Server(R"("Msxml2.Dll")"), 2},
      {"later generation", kClass + Server(R"("C:\\Windows\\System32\\msxml6.dll")"), 0},
      {"similar name", kClass + Server(R"("C:\\x\\MSXML3.DLL.bak")"), 0},
      {"folder only", kClass + Server(R"("C:\\x\\MSXML3.DLL\\")"), 0},
      {"server value missing",
       kClass +
           "[HKEY_CLASSES_ROOT\\CLSID\\{2933BF90-7B36-11D2-B20E-00C04F983E60}\\InProcServer32]\r\n",
       0},
      {"server key missing", kClass, 0},
      {"class identifier missing",
       "[HKEY_CLASSES_ROOT\\MSXML.DOMDocument\\CLSID]\r\n" + Server(R"("msxml3.dll")"), 0},
      {"identifier taken from the class key",
       "[HKCR\\MSXML.DOMDocument\\CLSID]\r\n@=\"{OTHER}\"\r\n" + Server(R"("msxml3.dll")") +
           "[HKCR\\CLSID\\{OTHER}\\InProcServer32]\r\n@=\"msxml2.dll\"\r\n",
       2},
      {"registered under the machine's classes",
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\MSXML.DOMDocument\\CLSID]\r\n@=\"{X}\"\r\n"
       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{X}\\InProcServer32]\r\n@=\"MSXML4."
       "DLL\"\r\n",
       4},
      {"class key missing", Server(R"("msxml3.dll")"), -1},
      {"only the document key",
       "[HKEY_CLASSES_ROOT\\MSXML.DOMDocument]\r\n@=\"XML DOM Document\"\r\n", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ScopedRegistry reg;
    reg.Add(kHeader + row.registry);
    EXPECT_EQ(ChkMsxmlVer(), row.expected);
  }
}

TEST(ChkMsxmlVer, BuiltinDefaultsNameTheXmlLibrary) {
  ScopedRegistry reg(true);
  EXPECT_EQ(ChkMsxmlVer(), 0);
  reg.Add(kHeader + "[-HKEY_CLASSES_ROOT\\MSXML.DOMDocument]\r\n");
  EXPECT_EQ(ChkMsxmlVer(), -1);
}

TEST(ChkMsxmlVer, NoRegistryAtAll) {
  ScopedRegistry reg;
  EXPECT_EQ(ChkMsxmlVer(), -1);
}

}  // namespace
