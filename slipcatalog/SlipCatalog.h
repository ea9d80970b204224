// SlipCatalog: the catalogue of slip-form layouts, the user's pick-up
// forms, and the recent, custom and downloaded form lists.
//
// Five files below the installed data folder (CVextEnv), each one list of
// records (CatalogRecords.h):
//   mainPath      \Data\MyData\SlipCatalog.dat  mainList      major categories
//   originalPath  \Data\MyData\Original.dat     pickUpList    minor categories of pick-up forms
//   recentPath    \Data\MyData\Recent.dat       recentList    one wrapped layout per entry
//   customPath    \Data\MyData\Custom.dat       customList    major categories
//   downloadPath  \Data\MyData\DownLoad.dat     downloadList  major categories
// The files are the only truth: every operation re-reads what it needs,
// replacing the list in memory (and invalidating record pointers handed
// out from it), and every change rewrites a whole file, atomically. A
// missing SlipCatalog.dat or Original.dat is an error; the other three
// read as empty lists.
//
// The merged view. ReadMain reads SlipCatalog.dat and DownLoad.dat and
// merges the downloaded forms into the main list: categories are matched
// by name at each level, a downloaded layout with the identifier of a
// catalogue layout replaces that layout's data in place, a new one is
// added at the end of its minor category, and an unmatched middle or minor
// category is moved over whole. catalogView then holds mainList's
// pointers. A downloaded major category that matches no catalogue major
// category stays in downloadList and is not in the view.
//
// Ownership. No record is ever owned by two lists. mainList, pickUpList,
// recentList, customList and downloadList own their records; catalogView
// owns nothing. When the merge moves a middle category from a downloaded
// major category into a catalogue one, the catalogue's (mainList's) is the
// record itself, and the downloaded major category, which stays in
// downloadList while it holds such middle categories, keeps deep copies of
// them. While any downloaded major category is left in downloadList after
// a merge, WriteMotoData refuses to write.
//
// Editing. Each editing operation holds an exclusive edit lock on its file
// (EditLock, "<file>.lock" beside it) from its read to its write, so that
// two processes editing one list lose neither change, and never writes
// back a list it could not read: when the file exists but cannot be
// opened or decoded, the operation returns 0 and the file stays as it was.
//
// Failures are shown in an OK message box with the catalogue's texts and
// reported as 0, -1, null or an empty string; no exception leaves the
// library.
#pragma once

#include "CatalogRecords.h"
#include "InstallQuery.h"
#include "SlipCatalogApi.h"
#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/fs/Archive.h"

class SLIPCATALOG_API CSlipCatalog : public CObject {
  DECLARE_SERIAL(CSlipCatalog)
 public:
  // Builds the five paths from the installed data folder; reads nothing.
  CSlipCatalog();
  ~CSlipCatalog() override;
  CSlipCatalog(const CSlipCatalog&) = delete;
  CSlipCatalog& operator=(const CSlipCatalog&) = delete;

  // Empties catalogView (its records are mainList's).
  void ClearData();
  // Destroy the records of mainList, pickUpList, recentList, customList,
  // downloadList respectively.
  void ClearMData();
  void ClearPData();
  void ClearRData();
  void ClearCData();
  void ClearDData();

  // ReadMain, ReadPickUp, ReadRecent, ReadCustom, stopping at the first 0.
  int ReadDataFile();
  // Original.dat; 0 when it is missing (with a message), cannot be opened
  // (silently) or cannot be decoded (with a message).
  int ReadPickUp();

  // Write one list as the whole of its file: 1, or 0 after a message.
  // WriteMotoData refuses (0, "cannot make the main data") when mainList
  // is empty or when a merge left downloaded categories in downloadList.
  int WriteMotoData();
  int WritePickUp();
  int WriteRecent();
  int WriteCustom();
  int WriteDownLoad();

  // ---- lookups by layout identifier --------------------------------------
  // The layout, owned by the catalogue and valid until its file is read
  // again, or nullptr. Identifiers of 40000 and more are looked for among
  // the pick-up forms first (nullptr when Original.dat cannot be read);
  // then the merged view, then the custom forms.
  CLayoutInfo* GetLayoutInfo(LONG layoutId);
  CString GetLayoutTitle(LONG layoutId);  // "" when not found
  CString GetExcelName(LONG layoutId);    // "" when not found
  int IsRenzoku(LONG layoutId);           // -1 when not found
  int GetFormGenre(LONG layoutId);        // -1 when not found
  int bExistTaiouPaper(LONG layoutId);    // 1 when found with a matching paper
  // 1 when the layout is below the major category "宛名印刷" (address
  // printing) in one of its middle categories "シール", "はがき", "封筒".
  int IsAtenaTack(LONG layoutId);
  // motoLayoutId of the pick-up form: the first non-zero one, category by
  // category; 0 when none.
  LONG GetMotoLayoutID(LONG layoutId);
  // Every custom layout, or nullptr when there is none. The array is the
  // caller's to delete; its records stay the catalogue's.
  CTypedPtrArray<CObArray, CLayoutInfo*>* GetAllCustomLayout();
  // The names of the pick-up categories, in order.
  int GetPickUpBunrui(CStringArray& names);
  // Titles and identifiers of the pick-up category at `index`; 0 when the
  // index is outside the list.
  int GetPickUpForm(int index, CStringArray& titles, CDWordArray& layoutIds);

  // ---- editing -----------------------------------------------------------
  // Registers the pick-up form `newLayoutId` in the pick-up category at
  // `position` (moving it there when another category holds it), made from
  // `motoLayoutId`, whose fields it takes when the two differ; then copies
  // it to the linked slip product (`toDen`) and waybill product (`toOku`,
  // `genreFlag` as in SetOkuPickUp). The result is that of writing
  // Original.dat; 0 without writing when `position` is outside the list.
  int SetPickUp(const CString& title, LONG motoLayoutId, LONG newLayoutId, int position,
                CString formPath, int toDen, int toOku, int genreFlag);
  // Removes the pick-up form and its recent entry; 0 when there is none.
  int DelPickUp(LONG layoutId);
  // Copy `record` into the linked slip (waybill) product's Original.dat, a
  // flat list of layouts, replacing the earlier copy of the same
  // identifier; the copy gets linkFlag 1 (and formGenre 2 when genreFlag
  // is non-zero, else 0). 0 when the link is off, the product has no data
  // folder, or its file cannot be read or written. `record` stays the
  // caller's and unchanged.
  int SetDenPickUp(CLayoutInfo* record);
  int SetOkuPickUp(CLayoutInfo* record, int genreFlag);
  // Refreshes the pick-up forms `layoutIds` from the layouts they were made
  // from: formGenre and excelName with `copyFlag`, else formGenre 0.
  // Rewrites Original.dat even when nothing changed.
  int UpdateFormGenre(CDWordArray& layoutIds, int copyFlag);

  // The recent list: most recent first, at most 15 entries after every
  // change (a longer file is trimmed by the next change). An entry is a
  // major category whose first middle category's first minor category's
  // first layout is the entry's layout; its layoutId is the key.
  //
  // With an entry: on 1 the entry is the catalogue's (kept, or destroyed
  // when an entry of its key moved to the front instead); on 0 nothing was
  // written and it is still the caller's (also when it holds no layout).
  int SetRecent(CDaiBunrui* entry);
  // With a layout, which stays the caller's: its entry moves to the front,
  // or a new entry "ﾋﾟｯｸｱｯﾌﾟ" / "" / "" wrapping a copy of it is added.
  int SetRecent(CLayoutInfo* layout);
  // Moves the entry at `position` to the front; 0 when there is none.
  int ResetRecent(int position);
  // Removes the first entry of that key; 0 when there is none.
  int DelRecent(LONG layoutId);

  // Adds a custom entry: merged into the custom major category of its name
  // (middle categories by name, then minor categories by name, layouts by
  // identifier), else appended. On 1 the entry is the catalogue's (kept or
  // destroyed); on 0 it is still the caller's, unchanged.
  int SetCustom(CDaiBunrui* entry);
  // Removes the layout from each custom minor category that holds it and
  // prunes the categories left empty; rewrites Custom.dat even when nothing
  // matched.
  int DelCustom(LONG layoutId);

  // Merges downloaded major categories into downloadList as SetCustom does.
  // On 1 every category given is the catalogue's and `majors` is emptied;
  // on 0 nothing was written and `majors` is unchanged, still the caller's.
  int SetDownLoad(CTypedPtrArray<CObArray, CDaiBunrui*>& majors);
  // Removes the first downloaded layout with that identifier, leaving its
  // categories even when empty; 0 when there is none.
  int DelDownLoad(LONG layoutId);

  CDaiBunruiArray catalogView;  // mainList's pointers after the merge; owns nothing
  CDaiBunruiArray mainList;
  CShoBunruiArray pickUpList;
  CDaiBunruiArray recentList;
  CDaiBunruiArray customList;
  CString mainPath;
  CString originalPath;
  CString recentPath;
  CString customPath;
  CString downloadPath;
  CDaiBunruiArray downloadList;

 protected:
  // SlipCatalog.dat and DownLoad.dat, merged into catalogView. 0 (with a
  // message) when SlipCatalog.dat is missing, cannot be opened or decoded.
  int ReadMain();
  // Recent.dat, Custom.dat, DownLoad.dat: a missing file, or one that
  // cannot be opened, is an empty list (1); one that cannot be decoded is
  // 0 with a message.
  int ReadRecent();
  int ReadCustom();
  int ReadDownLoad();
  // Merges downloadList into mainList and fills catalogView.
  void CreateMainData();
  // Merge `source` into `target` one level down: children matched by name
  // are merged (and the source's emptied child destroyed), the others are
  // appended to `target`. The appended children stay listed in `source`
  // too: the caller detaches them (CreateDai's callers) or the level above
  // does (CreateChu, CreateSho).
  void CreateDai(CDaiBunrui* target, CDaiBunrui* source);
  void CreateChu(CChuBunrui* target, CChuBunrui* source);
  // Layouts: one with the identifier of a target layout gives that layout
  // its data and is destroyed; the others are appended.
  void CreateSho(CShoBunrui* target, CShoBunrui* source);
};
