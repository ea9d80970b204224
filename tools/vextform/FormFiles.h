// The files vextform reads and writes, named by the system's own paths
// (CP932; see platform/fs/PathMap.h). File and archive errors arrive as the
// platform's CFileException and CArchiveException.
#pragma once

#include <memory>
#include <string>

#include "DataSetJson.h"
#include "vextbase/VextBase.h"

namespace vextform {

enum class FileKind { Format, DataSet, Unknown };

// Tells a format file from a data file (or original-form file) by its
// first bytes.
FileKind DetectKind(const CString& path);

// The layout of a format file, and in `trailingBytes` what follows it.
std::unique_ptr<CNVextLayoutData> ReadFormatFile(const CString& path, std::string& trailingBytes);
void WriteFormatFile(const CString& path, const CNVextLayoutData& layout,
                     const std::string& trailingBytes);

// The data set of a data file or original-form file and the bytes after it.
DataFileContents ReadDataFile(const CString& path);
void WriteDataFile(const CString& path, const DataFileContents& contents);

// A path from the command line (UTF-8) as the system names it.
CString SystemPathArgument(const std::string& utf8);
// The text of a platform error, for the terminal.
std::string Describe(const CException& error);

}  // namespace vextform
