// The wrapper over the real library: copies and releases leave no object
// released twice or used after release (the sanitizer build checks the
// memory side), and the host's type codes reach the renderer.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BarShim.h"

namespace {

TEST(RealLibrary, CopiesAndReleasesNeverTouchAFreedObject) {
  auto original = std::make_unique<CBarWrap>();
  ASSERT_EQ(original->Wrap_BarcodeCreate(nullptr), 1);
  ASSERT_EQ(original->Wrap_BarcodePutValue("490123456789"), 1);
  CBarWrap copy(*original);
  CBarWrap assigned;
  assigned = copy;
  original.reset();
  char value[BARCODE_MAX_VALUE + 1];
  EXPECT_EQ(copy.Wrap_BarcodeGetValue(value), 12);
  EXPECT_STREQ(value, "490123456789");
  EXPECT_EQ(copy.Wrap_BarcodeRelease(), 1);
  EXPECT_EQ(assigned.Wrap_BarcodeGetValue(value), 12);
  const unsigned long id = assigned.GetBarcodeID();
  EXPECT_EQ(assigned.Wrap_BarcodeRelease(), 1);

  // The object is gone: its old handle is refused, not followed.
  EXPECT_EQ(BarcodeGetValue(reinterpret_cast<HBARCODE>(id), value), 0);
  EXPECT_EQ(BarcodeGetErrorNumber(reinterpret_cast<HBARCODE>(id)), BARCODE_ERROR_HANDLE);
  // A released wrapper forwards the null handle, which the library refuses.
  EXPECT_EQ(assigned.Wrap_BarcodeRelease(), 0);
  EXPECT_EQ(assigned.Wrap_BarcodePutValue("1"), 0);
  EXPECT_EQ(assigned.Wrap_BarcodeGetErrorNumber(), BARCODE_ERROR_HANDLE);
}

TEST(RealLibrary, HostTypeCodesReachTheRenderer) {
  CBarWrap wrap;
  ASSERT_EQ(wrap.Wrap_BarcodeCreate(nullptr), 1);
  wrap.Wrap_BarcodePutType(0);  // the host's UPC-A
  EXPECT_EQ(BarcodeGetType(reinterpret_cast<HBARCODE>(wrap.GetBarcodeID())), BARCODE_TYPE_UPCA);
  EXPECT_EQ(wrap.Wrap_BarcodeGetType(), 0);
  wrap.Wrap_BarcodePutValue("03600029145");
  EXPECT_GT(wrap.Wrap_BarcodeGetWidth(), 0);
  // The host's 2 is the library's JAN-13, for which 11 digits are too few.
  wrap.Wrap_BarcodePutType(2);
  EXPECT_EQ(wrap.Wrap_BarcodeGetWidth(), 0.0);
  EXPECT_EQ(wrap.Wrap_BarcodeGetErrorNumber(), BARCODE_ERROR_LENGTH);
  wrap.Wrap_BarcodePutType(30);
  EXPECT_EQ(wrap.Wrap_BarcodeGetType(), 10);
}

}  // namespace
