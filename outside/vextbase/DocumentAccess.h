// What the library's own parts (the data set, the print frame, the header
// block) do with a document's insides.
#pragma once

#include <memory>

#include "vextbase/NVextDoc.h"

namespace vext::base {

struct DocumentAccess {
  static const std::shared_ptr<CNVextLayoutData>& Layout(const CNVextDoc& doc) {
    return doc.m_layout;
  }
  // Gives the document a layout, keeping the values both layouts can hold.
  static void AdoptLayout(CNVextDoc& doc, std::shared_ptr<CNVextLayoutData> layout) {
    doc.AdoptLayout(std::move(layout));
  }
  // The document body record (Records.h), for the document's layout.
  static void StoreBody(CArchive& ar, const CNVextDoc& doc);
  static void LoadBody(CArchive& ar, CNVextDoc& doc);
};

}  // namespace vext::base
