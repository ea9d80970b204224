// A layout and its description, the JSON of a format:
//
//   {"kind": "format", "id": 1001, "name": "納品書", "faces": 3,
//    "table": {"firstOrder": 11, "lastOrder": 50, "lines": 10},
//    "fields": [{"order": 1, "name": "日付", "flags": 1, "size": 11,
//                "indexKey": 1}, ...]}
//
// Optional members and their defaults: comment "", sort 0, date 0
// (yyyymmdd), userNo 0, faces 1, table all 0, margins {top, bottom, left,
// right} all 0 (0.1 mm), percent 100, paper 9 (A4), fields [] (the head
// list), bodyFields [] (the body list); in a field: flags 0 (bit 0 or 1
// makes a data-entry field), size 0, indexKey 0. Writing a layout out
// leaves out every member that has its default, so that a description
// written that way comes back unchanged.
#pragma once

#include <memory>
#include <string>

#include "TextJson.h"
#include "vextbase/VextBase.h"

namespace vextform {

// The members of a layout; `where` names the object in messages. A "kind"
// member is accepted (and must be "format") only when `topLevel`.
std::unique_ptr<CNVextLayoutData> LayoutFromJson(const Json& desc, const std::string& where,
                                                 bool topLevel);
// The description of a layout; with "kind": "format" first when `topLevel`.
Json LayoutToJson(const CNVextLayoutData& layout, bool topLevel);

}  // namespace vextform
