// The parser check that both exported classes offer as CheckXML.
#pragma once

namespace vext::snxml {

// Loads xmlSncEnv.DLL (beside this library first), asks ChkMsxmlVer and
// unloads it. 1 when a parser is available; 0 after a message otherwise.
int CheckXmlParser();

}  // namespace vext::snxml
