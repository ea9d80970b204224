// The record distributor: a whole text file turned into documents of a
// data set. A form of F faces (F >= 2) takes F records per document, at
// face indexes 1..F; any other form one record per document, at face
// index 0. Each finished document, and the last one however full, goes to
// the front of the data set's list, so the list ends in reverse file
// order. A document after the first is a blank one of the print frame,
// cleared, with the template header.
#pragma once

#include <memory>
#include <vector>

#include "CnvDefData.h"
#include "vextbase/VextBase.h"

namespace vext::recconv {

struct RecordTarget {
  CKorbe95Data* data;             // receives the documents
  CVextBasePrtFrm* frame;         // makes the documents after the first
  const tagNVEXTDOC* header;      // their header (and layout)
  const CCnvDefData* definition;  // which column fills which field
  bool batch;                     // empty values are not stored
};

// Reads the file at `path` (its messages: "読み込み用ファイルが見つかりま
// せん。", "メモリー不足です。…") and distributes it; 1 when every byte
// became part of a document.
int DistributeRecords(const CString& path, bool quoted, std::unique_ptr<CNVextDoc> first,
                      const RecordTarget& target);
// The same over bytes in memory. A quoted record that does not start with
// a double quote stops the reading with "読み込みデータは先頭に改行が入っ
// た不適当なデータ形式です。…": the documents finished before it stay in
// the data set, the one being filled is deleted.
int DistributeBytes(const char* bytes, std::size_t size, bool quoted,
                    std::unique_ptr<CNVextDoc> first, const RecordTarget& target);

// Stores a record's fields in `doc` at face index `face`: the k-th order
// of the definition takes the field of its k-th column (an empty value
// when it has none or the record is shorter). In batch mode an empty
// value is not stored.
void ApplyRecord(CNVextDoc& doc, int face, const CCnvDefData& definition,
                 const std::vector<CString>& fields, bool batch);

}  // namespace vext::recconv
