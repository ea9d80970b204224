// Are the sibling products of the suite installed, linked and running?
// Read from the local-machine registry (read only) and from the named
// mutexes their main programs hold. No function reports anything to the
// user: every failure gives the negative answer, 0 or an empty string.
//
//   slip product     SOFTWARE\NQ\SorentaV\DiduveV   ("Ver", "InstalledDataDir")
//   waybill product  SOFTWARE\NQ\SorentaV\DadudivV  ("Ver", "InstalledDataDir", "DenRen")
//   link switches    SOFTWARE\NQ\SorentaV\ShiteiV   ("DenRen", "OkuriRen")
#pragma once

#include "SlipCatalogApi.h"
#include "platform/base/CString.h"

// 1 when ShiteiV "DenRen" is non-zero and the slip product's "Ver" is at
// least 610; a value that is missing counts as 0.
SLIPCATALOG_API int IsDenRenOnData();
// 1 when ShiteiV "OkuriRen" is non-zero and the waybill product's "Ver" is
// at least 610.
SLIPCATALOG_API int IsOkuRenOnData();
// 1 when the waybill product's own "DenRen" is non-zero (no version test).
SLIPCATALOG_API int IsOkuDenRen();
// The products' installed data folders, as stored (no separator added);
// empty when the key or the value (at most 259 bytes) cannot be read.
SLIPCATALOG_API CString GetDenInstDir();
SLIPCATALOG_API CString GetOkuriInstDir();
// 1 while the slip product's main program runs (mutex "hZaviziv"),
// respectively the waybill product's ("hDadudiv"). The mutex is only
// tested, never created.
SLIPCATALOG_API int IsAllreadyDenMain();
SLIPCATALOG_API int IsAllreadyOkuriMain();
