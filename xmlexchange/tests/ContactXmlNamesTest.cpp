// Location sets: each attribute has its own two words; everything else,
// other letter case and the other attribute's words included, is set 2.
#include <gtest/gtest.h>

#include "ContactXmlNames.h"

namespace {

using namespace vext::contactxml;

struct Row {
  const char* value;
  LocationSet ofLocationType;
  LocationSet ofUsage;
};

TEST(LocationSet, WordsOfEachAttribute) {
  const Row rows[] = {
      {"Office", LocationSet::Office, LocationSet::Other},
      {"Home", LocationSet::Home, LocationSet::Other},
      {"Official", LocationSet::Other, LocationSet::Office},
      {"Private", LocationSet::Other, LocationSet::Home},
      {"", LocationSet::Other, LocationSet::Other},
      {"office", LocationSet::Other, LocationSet::Other},
      {"HOME", LocationSet::Other, LocationSet::Other},
      {"Private ", LocationSet::Other, LocationSet::Other},
      {"Mobile", LocationSet::Other, LocationSet::Other},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LocationSetOfLocationType(row.value), row.ofLocationType) << '"' << row.value << '"';
    EXPECT_EQ(LocationSetOfUsage(row.value), row.ofUsage) << '"' << row.value << '"';
  }
  EXPECT_EQ(static_cast<int>(LocationSet::Office), 0);
  EXPECT_EQ(static_cast<int>(LocationSet::Home), 1);
  EXPECT_EQ(static_cast<int>(LocationSet::Other), 2);
}

}  // namespace
