// The records of the slip-form catalogue: major categories (CDaiBunrui)
// hold middle categories (CChuBunrui), which hold minor categories
// (CShoBunrui), which hold form layouts (CLayoutInfo).
//
// Every record is a serial class registered by its own name with schema 1,
// so that an archive can create it from the name stored in a file. A
// category owns the records in its childList and destroys them with
// itself; a childList may hold null entries (a file may store them), and
// every walk of the catalogue skips them. Records are not copy-constructible
// (two lists would own the same children): Copy and operator= make deep
// copies.
//
// Stored form (after the class tag of the archive), all integers
// little-endian:
//   category  version DWORD, name string, childList as count + objects
//   layout    version DWORD, title, layoutId, motoLayoutId, taiouPaper,
//             extraText1, fileName, extraText2, isPickUp, excelName,
//             renzoku, formGenre, linkFlag, extraText3 (strings and DWORDs)
// A record whose version is above 1 (a later product's) is loaded as its
// version alone, the other fields keeping their initial values, and is
// stored the same way, as its version alone: storing fields that a reader
// of that version would not read would shift everything after them.
// Versions 0 and 1 are read and written in full.
#pragma once

#include "SlipCatalogApi.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/fs/Archive.h"

class CLayoutInfo;
class CShoBunrui;
class CChuBunrui;
class CDaiBunrui;

using CLayoutInfoArray = CTypedPtrArray<CObArray, CLayoutInfo*>;
using CShoBunruiArray = CTypedPtrArray<CObArray, CShoBunrui*>;
using CChuBunruiArray = CTypedPtrArray<CObArray, CChuBunrui*>;
using CDaiBunruiArray = CTypedPtrArray<CObArray, CDaiBunrui*>;

// One printable form layout.
class SLIPCATALOG_API CLayoutInfo : public CObject {
  DECLARE_SERIAL(CLayoutInfo)
 public:
  CLayoutInfo();
  ~CLayoutInfo() override;
  CLayoutInfo(const CLayoutInfo&) = delete;

  // Takes every field of `src` except version.
  void Copy(CLayoutInfo* src);
  void operator=(CLayoutInfo& src);
  void Serialize(CArchive& ar) override;

  CString title;
  LONG layoutId;       // the key of every lookup; 40000 and more: pick-up forms first
  LONG motoLayoutId;   // the layout a pick-up form was made from
  CString taiouPaper;  // the matching paper, empty when there is none
  CString extraText1;  // carried for the host, not interpreted
  CString fileName;    // form file of a pick-up form, without folder
  CString extraText2;  // carried for the host, not interpreted
  LONG isPickUp;       // 1 once registered as a pick-up form
  CString excelName;
  LONG renzoku;        // continuous form
  LONG formGenre;      // form genre code
  LONG linkFlag;       // 1 in the copies kept in a linked product's file
  CString extraText3;  // carried for the host, not interpreted
  DWORD version;
};

// Minor category: holds layouts.
class SLIPCATALOG_API CShoBunrui : public CObject {
  DECLARE_SERIAL(CShoBunrui)
 public:
  CShoBunrui();
  ~CShoBunrui() override;
  CShoBunrui(const CShoBunrui&) = delete;

  // Takes version and name, destroys the own children and copies those of
  // `src`, in order: the result shares nothing with `src`.
  void Copy(CShoBunrui* src);
  void operator=(CShoBunrui& src);
  void Serialize(CArchive& ar) override;

  CString name;  // matched byte for byte
  CLayoutInfoArray childList;
  DWORD version;
};

// Middle category: holds minor categories.
class SLIPCATALOG_API CChuBunrui : public CObject {
  DECLARE_SERIAL(CChuBunrui)
 public:
  CChuBunrui();
  ~CChuBunrui() override;
  CChuBunrui(const CChuBunrui&) = delete;

  void Copy(CChuBunrui* src);  // deep, as CShoBunrui::Copy
  void operator=(CChuBunrui& src);
  void Serialize(CArchive& ar) override;

  CString name;
  CShoBunruiArray childList;
  DWORD version;
};

// Major category: holds middle categories.
class SLIPCATALOG_API CDaiBunrui : public CObject {
  DECLARE_SERIAL(CDaiBunrui)
 public:
  CDaiBunrui();
  ~CDaiBunrui() override;
  CDaiBunrui(const CDaiBunrui&) = delete;

  void Copy(CDaiBunrui* src);  // deep, as CShoBunrui::Copy
  void operator=(CDaiBunrui& src);
  void Serialize(CArchive& ar) override;

  CString name;
  CChuBunruiArray childList;
  DWORD version;
};
