// Who releases the barcode object, and how often: never twice, never one a
// copy still uses, and nothing at all for a wrapper that never had one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "BarShim.h"
#include "Barcode2Recorder.h"

namespace {

std::string Release(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", reinterpret_cast<void*>(id));
  return std::string("BarcodeRelease(") + (id ? text : "0") + ")";
}

long Releases() {
  const auto& calls = recorder::Calls();
  return std::count_if(calls.begin(), calls.end(),
                       [](const std::string& c) { return c.rfind("BarcodeRelease(", 0) == 0; });
}

class Lifetime : public ::testing::Test {
 protected:
  void SetUp() override { recorder::Calls().clear(); }
};

TEST_F(Lifetime, WrapperNeverCreatedCallsNothing) {
  {
    CBarWrap wrap;
    EXPECT_EQ(wrap.GetBarcodeID(), 0u);
    CBarWrap copy(wrap);
    CBarWrap assigned;
    assigned = wrap;
  }
  EXPECT_TRUE(recorder::Calls().empty());
}

TEST_F(Lifetime, DestructorReleasesOnce) {
  unsigned long id = 0;
  {
    CBarWrap wrap;
    wrap.Wrap_BarcodeCreate(HWND(0x10));
    id = wrap.GetBarcodeID();
    EXPECT_NE(id, 0u);
  }
  ASSERT_EQ(recorder::Calls().size(), 2u);
  EXPECT_EQ(recorder::Calls()[0], "BarcodeCreate(0x10)");
  EXPECT_EQ(recorder::Calls()[1], Release(id));
}

TEST_F(Lifetime, ExplicitReleaseLeavesNothingForTheDestructor) {
  unsigned long id = 0;
  {
    CBarWrap wrap;
    wrap.Wrap_BarcodeCreate(nullptr);
    id = wrap.GetBarcodeID();
    EXPECT_EQ(wrap.Wrap_BarcodeRelease(), recorder::kInt);
    EXPECT_EQ(wrap.GetBarcodeID(), 0u);
    // A second release passes the null handle on, as any member does.
    EXPECT_EQ(wrap.Wrap_BarcodeRelease(), recorder::kInt);
    CBarWrap copyAfterRelease(wrap);
    EXPECT_EQ(copyAfterRelease.GetBarcodeID(), 0u);
  }
  ASSERT_EQ(recorder::Calls().size(), 3u);
  EXPECT_EQ(recorder::Calls()[1], Release(id));
  EXPECT_EQ(recorder::Calls()[2], Release(0));
}

// Copies in every order of going away: the object goes with the last one.
TEST_F(Lifetime, CopiesShareOneObjectReleasedByTheLast) {
  auto original = std::make_unique<CBarWrap>();
  original->Wrap_BarcodeCreate(nullptr);
  const unsigned long id = original->GetBarcodeID();
  auto copy = std::make_unique<CBarWrap>(*original);
  CBarWrap assigned;
  assigned = *copy;
  EXPECT_EQ(copy->GetBarcodeID(), id);
  EXPECT_EQ(assigned.GetBarcodeID(), id);

  original.reset();
  EXPECT_EQ(Releases(), 0);
  EXPECT_EQ(copy->Wrap_BarcodeRelease(), 1);  // only this wrapper's hold ends
  EXPECT_EQ(Releases(), 0);
  EXPECT_EQ(copy->GetBarcodeID(), 0u);
  copy.reset();
  EXPECT_EQ(Releases(), 0);
  assigned.Wrap_BarcodeRelease();
  EXPECT_EQ(Releases(), 1);
  EXPECT_EQ(recorder::Calls().back(), Release(id));
}

TEST_F(Lifetime, AssignmentAndRecreationGiveTheOldObjectUp) {
  CBarWrap first, second;
  first.Wrap_BarcodeCreate(nullptr);
  second.Wrap_BarcodeCreate(nullptr);
  const unsigned long firstId = first.GetBarcodeID(), secondId = second.GetBarcodeID();
  recorder::Calls().clear();

  // Self-assignment through a reference, as a host's generic code would do it.
  CBarWrap &firstAgain = first, &secondAgain = second;
  first = firstAgain;  // nothing happens
  second = secondAgain;
  EXPECT_TRUE(recorder::Calls().empty());

  first = second;  // first's object had no other holder
  ASSERT_EQ(recorder::Calls().size(), 1u);
  EXPECT_EQ(recorder::Calls()[0], Release(firstId));
  first = second;  // the same object already: nothing
  EXPECT_EQ(recorder::Calls().size(), 1u);

  // Creating again gives up the shared hold; the other copy keeps it.
  first.Wrap_BarcodeCreate(nullptr);
  EXPECT_EQ(Releases(), 1);
  EXPECT_NE(first.GetBarcodeID(), secondId);
  second.Wrap_BarcodeCreate(nullptr);
  EXPECT_EQ(Releases(), 2);
  EXPECT_EQ(recorder::Calls()[recorder::Calls().size() - 2], Release(secondId));
}

}  // namespace
