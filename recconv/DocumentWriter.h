// The document writer: the lines of a document after a writing
// definition, one per face (face index 0 for a form of fewer than two
// faces, else 1..F). A line holds the values of the definition's fields
// in its order, written as the form library returns them:
//   quoted  "v1","v2","v3" CR LF
//   plain   v1,v2,v3 CR LF
// A field that is one of the document's index keys (1..20) also becomes
// that key's value (SetIndex).
#pragma once

#include <string>

#include "CnvDefData.h"
#include "vextbase/VextBase.h"

namespace vext::recconv {

// Appends the document's lines to `out`.
void AppendDocumentLines(CNVextDoc& doc, const CCnvDefData& definition, bool quoted,
                         std::string& out);

// Writes every document of `data`, in list order, to the file at `path`,
// which is replaced only once it is complete (CFileException otherwise).
// A document's lines always reach the file in one write.
void WriteRecordFile(const CString& path, CKorbe95Data& data, const CCnvDefData& definition,
                     bool quoted);

}  // namespace vext::recconv
