// Storing and loading a record through an archive in memory, for the fuzz
// targets of the form library's files. A small archive buffer makes every
// refill path of the reader run.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/fs/Archive.h"
#include "platform/fs/MemFile.h"

namespace vext_fuzz {

constexpr int kBufferSize = 64;

template <typename Record>
std::string Stored(Record& record) {
  CMemFile file;
  CArchive ar(&file, CArchive::store, kBufferSize);
  record.Serialize(ar);
  ar.Close();
  return std::string(reinterpret_cast<const char*>(file.GetBytes()), file.GetLength());
}

// The bytes the record took, or nullopt when it did not load.
template <typename Record>
std::optional<std::size_t> Load(Record& record, std::string bytes) {
  CMemFile file(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  try {
    CArchive ar(&file, CArchive::load, kBufferSize);
    record.Serialize(ar);
    ar.Close();
  } catch (const CArchiveException&) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(file.GetPosition());
}

}  // namespace vext_fuzz
