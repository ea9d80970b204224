// FmtQuery: the data-entry fields (spaces) of one form, counted and named
// in three kinds: before the form's table (head), one line of the table,
// and after it (foot); and the renumbering of an original-form file to a
// new layout identifier.
//
// The form comes from one of two sources, chosen by each query's first
// argument:
//   non-zero  the format file of that number, the installed data folder's
//             "\DATA\FMT\ON<n>.FMT" (one layout)
//   0         the original-form file of that number, "\DATA\ORG\<n>.ORG"
//             (one data set; its first document and that document's layout)
// A query object loads at most one layout and one original-form file in
// its life: once loaded, later queries answer for that form whatever
// number they name. To ask about another form, make another object.
//
// Spaces and the table region. The form's property objects are walked in
// list order; an object is a space when bit 0 or 1 of its attribute flags
// is set. The layout's table region (first order, last order, line count)
// is in use when it lies forwards within the possible order numbers
// (1 <= first <= last <= NVEXT_MAX_ORDER) and has at least one line. Then
// a space below the first order is a head space, one above the last order
// a foot space, and the others belong to the table, which has
// (last - first + 1) / lines columns; only its first line (orders below
// first + columns) is reported. Without a region every space is a head
// space and columns, lines and foot count are 0.
//
// Original-form files end with the data set, or with the data set and one
// marker byte; a rewrite keeps the marker "2". Rewrites are atomic: a
// failure leaves the file as it was.
//
// Failures are shown in an OK message box with the library's texts (or
// the platform's standard file-error text) and reported by the result; no
// exception leaves the library.
//
// The small inline getters and setters of CNVextLayoutData, CNVextDoc,
// CVextBase and CKorbe95Data that hosts reach through this library are
// VextBase's own: they are defined once, in "vextbase/VextBase.h" (included
// here), and come to the host from there.
#pragma once

#include <memory>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "vextbase/VextBase.h"

#define FMTQUERY_API __attribute__((visibility("default")))

class FMTQUERY_API CFmtDataGet {
 public:
  CFmtDataGet();
  virtual ~CFmtDataGet();
  // Two objects must never destroy the same layout or file reader.
  CFmtDataGet(const CFmtDataGet&) = delete;
  CFmtDataGet& operator=(const CFmtDataGet&) = delete;

  // Counts the spaces: head and foot spaces, and the table's columns and
  // lines (table spaces themselves are not counted). 1, or 0 when the form
  // cannot be loaded.
  int GetSpaceCount(int nSource, long lNumber, long& lHeadCount, long& lColumns, long& lLines,
                    long& lFootCount);

  // Copies the space names, each NUL-terminated, into the buffer of its
  // kind at successive multiples of `lItemSize`; table spaces after the
  // first line are skipped. A name longer than lItemSize - 1 bytes is cut
  // there, at a whole character. When a space's kind has already reached
  // its limit (a null buffer counts as a limit of 0), the walk stops. The
  // number of names written; 0 when the form cannot be loaded or lItemSize
  // is below 1 (nothing written).
  int GetSpaceName(int nSource, long lNumber, long lItemSize, long lHeadLimit, long lTableLimit,
                   long lFootLimit, char* pHeadBuffer, char* pTableBuffer, char* pFootBuffer);

  // The space names of the three kinds (the arrays are emptied first), the
  // columns and lines of the table. When fewer first-line names than
  // columns were found, the table names become one per column: the item
  // name of the object with order first + column (of the document on face
  // 0, else face 1; of the layout with the format-file source), or an
  // empty text when there is none. The number of names, or -1 when the
  // form cannot be loaded.
  int GetSpaceNameMFC(int nSource, long lNumber, int& nColumns, int& nLines,
                      CStringArray& headNames, CStringArray& tableNames, CStringArray& footNames);

  // Gives the original-form file at `strPath` the new layout identifier
  // (its data set, documents and their layout) and rewrites it, keeping its
  // marker byte "2". Only the file this object read can be rewritten: when
  // the object holds a data set from another file (by path or by number),
  // nothing is written. 1 on success; 0 when the file cannot be read, has
  // no document or layout, is another file than the one held, or cannot be
  // created (no message); 0 with "書き出しエラー..." when writing fails.
  // The last argument is not used.
  int ChangeOrgNewID(const CString& strPath, long lNewID, const char* pReserved);

 protected:
  // Loads the layout of the format file of that number, unless one is
  // loaded already. A file that cannot be opened is shown (its path and
  // "のﾌｧｲﾙｵｰﾌﾟﾝに失敗しました") and gives 0; an error while reading is
  // shown with the error's own text and the load still counts as done
  // (the layout keeps what was read). 1 when a layout is loaded.
  int GetVextLayoutData(long lFormatNo);
  // The same for a format file named by its path.
  int GetVextLayoutData(const CString& strPath);
  // Loads the original-form file of that number (or at that path), unless
  // one is loaded already, and takes its first document. Nothing is shown;
  // a file that cannot be opened or read whole is not kept. A load by path
  // sets the trailing marker. 1 when a document is available.
  int GetVextDoc(long lFileNo);
  int GetVextDoc(const CString& strPath);
  // The layout's head definition list if it has objects, else its body
  // definition list if that has, else nullptr.
  const CNPropObjList* GetObjList();
  // The objects of the first entry of the document's property list;
  // nullptr without a document or with an empty property list.
  const CNPropObjList* GetObjListFrOrg();

  // The layout read from a format file; null until loaded.
  std::unique_ptr<CNVextLayoutData> m_pLayoutData;
  // The data set read from an original-form file; null until loaded.
  std::unique_ptr<CVextFileIO> m_pFileIO;
  // The first document of that data set (it belongs to the data set).
  CNVextDoc* m_pDoc = nullptr;
  // The byte that followed the data set in a file loaded by path, 0 if
  // none (or when loaded by number).
  BYTE m_byTrailMark = 0;

 private:
  int LoadOrgFile(const CString& strPath, bool byPath);
  int TakeFirstDocument();
  // The object list and the layout whose table region applies, for the
  // source named; nullptr when the form cannot be loaded.
  const CNPropObjList* LoadForm(int nSource, long lNumber, const CNVextLayoutData*& pRegionLayout);

  // The original-form file the data set was read from, as it was named,
  // and the byte that followed the data set there (whichever way it was
  // loaded): a rewrite goes only to that file and keeps its marker.
  CString m_strOrgPath;
  BYTE m_byOrgFileMarker = 0;
};
