#include "FormFiles.h"

#include "Failure.h"
#include "platform/fs/File.h"
#include "platform/text/Cp932.h"

namespace vextform {

namespace {

// More than this after a record is not a marker but a mistaken file.
constexpr ULONGLONG kMaxTrailingBytes = 65536;

constexpr UINT kRead = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kWrite = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;

// What is left of `file` after the record just read.
std::string ReadRest(CFile& file) {
  const ULONGLONG rest = file.GetLength() - file.GetPosition();
  if (rest > kMaxTrailingBytes)
    throw Failure(vext::Cp932ToUtf8Lossy(file.GetFilePath().view()) + ": " + std::to_string(rest) +
                  " bytes follow the record; this is no form file");
  std::string bytes(static_cast<std::size_t>(rest), '\0');
  if (file.Read(bytes.data(), static_cast<UINT>(rest)) != rest)
    throw CFileException(CFileException::endOfFile, -1, file.GetFilePath());
  return bytes;
}

template <typename Record>
void Write(const CString& path, Record& record, const std::string& trailingBytes) {
  CFile file(path, kWrite);
  CArchive ar(&file, CArchive::store);
  record.Serialize(ar);
  ar.Close();
  file.Write(trailingBytes.data(), static_cast<UINT>(trailingBytes.size()));
  file.Close();
}

}  // namespace

FileKind DetectKind(const CString& path) {
  CFile file(path, kRead);
  char signature[4] = {};
  if (file.Read(signature, sizeof signature) != sizeof signature) return FileKind::Unknown;
  const std::string_view text(signature, sizeof signature);
  return text == "VXFM" ? FileKind::Format : text == "VXDS" ? FileKind::DataSet : FileKind::Unknown;
}

std::unique_ptr<CNVextLayoutData> ReadFormatFile(const CString& path, std::string& trailingBytes) {
  CFile file(path, kRead);
  auto layout = std::make_unique<CNVextLayoutData>();
  CArchive ar(&file, CArchive::load);
  layout->Serialize(ar);
  ar.Close();
  trailingBytes = ReadRest(file);
  return layout;
}

void WriteFormatFile(const CString& path, const CNVextLayoutData& layout,
                     const std::string& trailingBytes) {
  Write(path, const_cast<CNVextLayoutData&>(layout), trailingBytes);
}

DataFileContents ReadDataFile(const CString& path) {
  CFile file(path, kRead);
  DataFileContents contents;
  contents.io = std::make_unique<CVextFileIO>();
  CArchive ar(&file, CArchive::load);
  contents.io->Serialize(ar);
  ar.Close();
  contents.trailingBytes = ReadRest(file);
  return contents;
}

void WriteDataFile(const CString& path, const DataFileContents& contents) {
  Write(path, *contents.io, contents.trailingBytes);
}

CString SystemPathArgument(const std::string& utf8) {
  auto cp932 = vext::Utf8ToCp932(utf8);
  if (!cp932) throw Failure(utf8 + ": the path has characters outside CP932 (Shift_JIS)");
  return CString(std::move(*cp932));
}

std::string Describe(const CException& error) {
  // The platform's text is the cause, then the file name on a line of its own.
  std::string text = vext::Cp932ToUtf8Lossy(error.GetErrorMessage().view());
  const std::size_t newline = text.find('\n');
  if (newline == std::string::npos) return text;
  return text.substr(newline + 1) + ": " + text.substr(0, newline);
}

}  // namespace vextform
