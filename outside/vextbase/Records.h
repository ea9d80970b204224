// The records of the library's files, all in the object-archive encoding
// of platform/fs/Archive.h (little-endian integers, counts and strings by
// its rules). Every record starts with its schema number, a WORD: 1 for
// all records written today. A reader accepts schemas 1..kSchema and
// refuses any other (badSchema), so a later schema can add members behind
// today's and still read today's files.
//
// Layout (format file, and inside the other files):
//   DWORD "VXFM" signature, WORD schema, LONG id, string name, string
//   comment, LONG sort, DWORD date, LONG user number, LONG faces,
//   LONG table first order, LONG table last order, LONG table lines,
//   LONG top, bottom, left, right margins, LONG percent, LONG paper,
//   count + head objects, count + body objects
// Property object:
//   WORD schema, DWORD order, string item name, DWORD attributes,
//   LONG item size, BYTE index-key number
// Document body:
//   WORD schema, string title, string memo, LONG id, LONG sort, DWORD date,
//   LONG user number, count + (BYTE key, string value) per index key that
//   is set (keys ascending), count + values: 0 for a blank document, else
//   one string per object (head list, then body list) for each face, face
//   after face
// Data set:
//   WORD schema, LONG counter identifier, count + layouts, count +
//   (DWORD layout number, 1-based, 0 for none; document body) per document
// Data file and original-form file:
//   DWORD "VXDS" signature, WORD schema, data set
// Document on its own (CNVextDoc::Serialize):
//   WORD schema, BYTE 1 + layout or BYTE 0, document body
//
// Checks on reading, each a CArchiveException: counts and lengths larger
// than the bytes left (the archive's own), a wrong signature (badClass),
// an unknown schema (badSchema), and contents no layout or document may
// have (generic): an order outside 1..NVEXT_MAX_ORDER or given twice, an
// index-key number above NVEXT_INDEX_COUNT, faces outside
// 0..NVEXT_MAX_MEN, a layout number that names no layout, index keys out
// of range or order, a value count that fits neither 0 nor the layout.
#pragma once

#include "platform/fs/Archive.h"

namespace vext::base {

constexpr WORD kSchema = 1;

constexpr DWORD Signature(const char (&text)[5]) {
  return static_cast<DWORD>(static_cast<BYTE>(text[0])) |
         static_cast<DWORD>(static_cast<BYTE>(text[1])) << 8 |
         static_cast<DWORD>(static_cast<BYTE>(text[2])) << 16 |
         static_cast<DWORD>(static_cast<BYTE>(text[3])) << 24;
}
constexpr DWORD kLayoutSignature = Signature("VXFM");
constexpr DWORD kDataFileSignature = Signature("VXDS");

// Writes kSchema; reads a schema and checks it.
void StoreSchema(CArchive& ar);
WORD LoadSchema(CArchive& ar);
// Reads a signature; badClass when it is not `expected`.
void LoadSignature(CArchive& ar, DWORD expected);
// Contents that no record may have.
[[noreturn]] void ThrowMalformed(const CArchive& ar);

}  // namespace vext::base
