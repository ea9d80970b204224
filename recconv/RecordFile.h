// A text file of form records, held in one memory block (the file's
// length and one zero byte) and parsed in place; and the preview, the
// fields of its first record.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/GlobalMemory.h"
#include "platform/fs/File.h"

namespace vext::recconv {

class RecordFile {
 public:
  enum class Result { Read, NotFound, NoMemory };

  RecordFile() = default;
  ~RecordFile();
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens the file and gets the block for all of it; nothing is read yet.
  // A file that cannot be opened is NotFound, a block that cannot be had
  // NoMemory.
  Result Open(const CString& path);
  // Open, and on failure the message that says why (NotFound: "読み込み用
  // ファイルが見つかりません。", NoMemory: "メモリー不足です。…"); true
  // when open.
  bool OpenOrTell(const CString& path);
  // Reads on until at least `bytes` bytes (or the whole file) are in the
  // block; read errors throw CFileException. A file that shrinks meanwhile
  // gives what it still has.
  void ReadUpTo(std::size_t bytes);
  void ReadAll() { ReadUpTo(m_length); }
  // Everything read, up to its end.
  bool Complete() const { return m_size == m_length; }

  const char* Bytes() const { return m_bytes; }
  std::size_t Size() const { return m_size; }

 private:
  void Free();

  std::unique_ptr<CFile> m_file;
  HGLOBAL m_block = nullptr;
  char* m_bytes = nullptr;
  std::size_t m_size = 0;    // bytes read
  std::size_t m_length = 0;  // bytes the file had when it was opened
};

// The fields of the file's first record, in `preview`; 0 (after the
// message) when the file cannot be opened or its block cannot be had, 1
// otherwise. Only as much of the file is read as the record takes.
int ReadPreview(const CString& path, bool quoted, std::vector<CString>& preview);

}  // namespace vext::recconv
