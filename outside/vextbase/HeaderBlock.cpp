#include "HeaderBlock.h"

#include <cstring>

#include "LayoutRegistry.h"
#include "Records.h"
#include "platform/fs/MemFile.h"

namespace vext::base {

namespace {

constexpr DWORD kHeaderBlockSignature = Signature("VXHD");
constexpr std::size_t kPrefix = sizeof(DWORD) + sizeof(std::uint64_t);

void PutLittleEndian(BYTE* out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<BYTE>(value >> (8 * i));
}

std::uint64_t GetLittleEndian(const BYTE* in, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(in[i]) << (8 * i);
  return value;
}

// Unlocks the block however the reading ends.
class Locked {
 public:
  explicit Locked(HGLOBAL block) : m_block(block), m_bytes(static_cast<BYTE*>(GlobalLock(block))) {}
  ~Locked() {
    if (m_bytes) GlobalUnlock(m_block);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  BYTE* Bytes() const { return m_bytes; }

 private:
  HGLOBAL m_block;
  BYTE* m_bytes;
};

}  // namespace

HGLOBAL MakeHeaderBlock(const CNVextLayoutData* layout) {
  CMemFile record;
  if (layout) {
    CArchive ar(&record, CArchive::store);
    const_cast<CNVextLayoutData*>(layout)->Serialize(ar);
    ar.Close();
  }
  const auto recordSize = static_cast<std::size_t>(record.GetLength());
  HGLOBAL block = GlobalAlloc(GHND, kPrefix + recordSize);
  if (!block) return nullptr;
  Locked locked(block);
  BYTE* out = locked.Bytes();
  PutLittleEndian(out, kHeaderBlockSignature, sizeof(DWORD));
  PutLittleEndian(out + sizeof(DWORD), layout ? LayoutAccess::Serial(*layout) : 0,
                  sizeof(std::uint64_t));
  if (recordSize) std::memcpy(out + kPrefix, record.GetBytes(), recordSize);
  return block;
}

std::optional<std::shared_ptr<CNVextLayoutData>> LayoutFromHeaderBlock(HGLOBAL block) {
  const std::size_t size = GlobalSize(block);
  Locked locked(block);
  const BYTE* bytes = locked.Bytes();
  if (!bytes || size < kPrefix) return std::nullopt;
  if (GetLittleEndian(bytes, sizeof(DWORD)) != kHeaderBlockSignature) return std::nullopt;
  if (size == kPrefix) return std::shared_ptr<CNVextLayoutData>();
  const std::uint64_t serial = GetLittleEndian(bytes + sizeof(DWORD), sizeof(std::uint64_t));
  if (auto live = FindSharedLayout(serial)) return live;
  if (size - kPrefix > 0xFFFFFFFFu) return std::nullopt;
  auto layout = std::make_unique<CNVextLayoutData>();
  try {
    CMemFile record(locked.Bytes() + kPrefix, static_cast<UINT>(size - kPrefix));
    CArchive ar(&record, CArchive::load);
    layout->Serialize(ar);
    ar.Close();
  } catch (const CException&) {
    return std::nullopt;
  }
  auto shared = ShareLayout(std::move(layout));
  AliasSharedLayout(serial, shared);
  return shared;
}

}  // namespace vext::base
