#include "RecordFile.h"

#include <algorithm>
#include <cstdint>

#include "CnvMessages.h"
#include "RecordParser.h"
#include "platform/ui/UserInterface.h"

namespace vext::recconv {

namespace {

// The most one Read call is asked for.
constexpr std::size_t kChunk = std::size_t(1) << 30;
// What the preview reads first; it reads four times more each time the
// record runs on.
constexpr std::size_t kPreviewBytes = 64 * 1024;

}  // namespace

RecordFile::~RecordFile() { Free(); }

void RecordFile::Free() {
  if (m_block) {
    GlobalUnlock(m_block);
    GlobalFree(m_block);
  }
  m_file.reset();
  m_block = nullptr;
  m_bytes = nullptr;
  m_size = 0;
  m_length = 0;
}

RecordFile::Result RecordFile::Open(const CString& path) {
  Free();
  auto file = std::make_unique<CFile>();
  if (!file->Open(path, CFile::modeRead | CFile::shareDenyWrite)) return Result::NotFound;
  const ULONGLONG length = file->GetLength();
  if (length >= SIZE_MAX) return Result::NoMemory;
  m_block = GlobalAlloc(GHND, static_cast<SIZE_T>(length) + 1);
  m_bytes = m_block ? static_cast<char*>(GlobalLock(m_block)) : nullptr;
  if (!m_bytes) {
    Free();
    return Result::NoMemory;
  }
  m_file = std::move(file);
  m_length = static_cast<std::size_t>(length);
  return Result::Read;
}

bool RecordFile::OpenOrTell(const CString& path) {
  switch (Open(path)) {
    case Result::Read: return true;
    case Result::NotFound: AfxMessageBox(kInputNotFound); return false;
    case Result::NoMemory: AfxMessageBox(kNoMemory); return false;
  }
  return false;
}

void RecordFile::ReadUpTo(std::size_t bytes) {
  const std::size_t goal = std::min(bytes, m_length);
  while (m_file && m_size < goal) {
    const auto want = static_cast<UINT>(std::min(goal - m_size, kChunk));
    const UINT got = m_file->Read(m_bytes + m_size, want);
    m_size += got;
    if (got < want) m_length = m_size;  // the file ended early
  }
}

int ReadPreview(const CString& path, bool quoted, std::vector<CString>& preview) {
  RecordFile file;
  if (!file.OpenOrTell(path)) return 0;
  for (std::size_t wanted = kPreviewBytes;; wanted *= 4) {
    file.ReadUpTo(wanted);
    std::vector<CString> fields;
    const std::size_t taken = ParseRecord(file.Bytes(), file.Size(), quoted, fields);
    // A record that takes all bytes read may run on into those not read.
    if (taken < file.Size() || file.Complete()) {
      preview.insert(preview.end(), fields.begin(), fields.end());
      return 1;
    }
  }
}

}  // namespace vext::recconv
