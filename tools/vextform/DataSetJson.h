// A data set and its description, the JSON of a data file or an
// original-form file:
//
//   {"kind": "data", "layout": {...a format without "kind"...},
//    "documents": [{"title": "...", "indexKeys": {"1": "2024/04/01"},
//                   "faces": [{"1": "2024/04/01", "3": "㈱髙橋商店"}, {}, {}]}],
//    "trailingBytes": "32"}
//
// "layout" is the layout the documents share: the members of a format, or
// the name of a format description file (relative to the data set's
// description) that holds them. A document made with
// another one carries its own "layout" (null: none). A document has
// optional "title", "memo", "sort", "date", "userNo", "id" (by default its
// layout's identifier), "indexKeys" (key number: value) and "faces": one
// object per face, from the first face on, mapping order numbers to values;
// faces and values left out are blank. "counterId" is by default the
// layout's identifier. "trailingBytes" (hex) are the bytes that follow the
// data set in the file, such as the marker byte of an original-form file.
// As for a format, members with their defaults are left out when written.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "TextJson.h"
#include "vextbase/VextBase.h"

namespace vextform {

struct DataFileContents {
  std::unique_ptr<CVextFileIO> io;
  std::string trailingBytes;
};

// `folder` is where layout file names are looked up.
DataFileContents DataSetFromJson(const Json& desc, const std::filesystem::path& folder);
Json DataSetToJson(const CKorbe95Data& data, const std::string& trailingBytes);

}  // namespace vextform
