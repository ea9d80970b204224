// One barcode object of the library and the table of live objects behind
// the handles.
#pragma once

#include <memory>
#include <string>

#include "Errors.h"
#include "Properties.h"
#include "barcode2/Barcode2.h"

namespace vext::barcode2 {

struct BarcodeObject {
  explicit BarcodeObject(HWND owner) : parent(owner) {}

  // Records the cause and returns `failed`.
  template <class Result>
  Result Fail(long number, Result failed) {
    error = MakeError(number);
    return failed;
  }
  void Succeed() { error = Error{}; }

  HWND parent;
  Properties properties;
  std::string value;   // bytes, NULs allowed
  int printerDpi = 0;  // the printer's resolution for metafiles, 0 for none
  Error error;
};

// A new live object; its handle is never handed out again once released.
HBARCODE AddObject(std::unique_ptr<BarcodeObject> object);
// The object behind a live handle, kept alive while the caller holds it.
std::shared_ptr<BarcodeObject> FindObject(HBARCODE handle);
bool RemoveObject(HBARCODE handle);

// The calling thread's last error of a call that had no live object.
Error& HandleError();

}  // namespace vext::barcode2
