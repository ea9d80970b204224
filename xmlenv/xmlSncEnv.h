// xmlSncEnv: whether an XML DOM parser is registered on this machine.
//
// The exchange library loads this library by its file name, looks up
// ChkMsxmlVer by name, calls it once and unloads the library again.
#pragma once

#define XMLSNCENV_API __attribute__((visibility("default")))

// Which parser library serves the generic DOM document class:
//   -1  the class is not registered ("MSXML.DOMDocument\CLSID" missing)
//    0  registered, but its in-process server is missing or unknown
//  1-4  served by MSXML.DLL, MSXML2.DLL, MSXML3.DLL or MSXML4.DLL
// Every result but -1 means a parser is available. Only the registry is
// read; the parser is neither loaded nor started.
extern "C" XMLSNCENV_API int ChkMsxmlVer();
