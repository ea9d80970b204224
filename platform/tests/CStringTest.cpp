// CString: searches start only on character boundaries and case changes
// touch single-byte ASCII only, so a trail byte never matches or changes.
#include <gtest/gtest.h>

#include "platform/base/CString.h"
#include "platform/base/Collections.h"
#include "platform/base/Object.h"
#include "platform/text/Sj.h"

namespace {

// "ソ" is 0x83 0x5C: its trail byte is the backslash.
const CString kSoBackslash = "ソ\\x"_sj;

TEST(CStringSearch, TrailBytesNeverMatch) {
  EXPECT_EQ(kSoBackslash.Find('\\'), 2);
  EXPECT_EQ(kSoBackslash.ReverseFind('\\'), 2);
  EXPECT_EQ(CString("ソ"_sj).Find('\\'), -1);
  EXPECT_EQ(CString("ソ"_sj).ReverseFind('\\'), -1);
  // "ア" is 0x83 0x41: its trail byte is 'A'.
  EXPECT_EQ(CString("アA"_sj).Find("A"), 2);
  EXPECT_EQ(CString("アA"_sj).FindOneOf("A"), 2);
  EXPECT_EQ(CString("xアA"_sj).Find("A", 2), 3);  // start inside a character moves on
}

TEST(CStringSearch, FindAndReverseFind) {
  const CString path = "C:\\Common\\xmlSnc.csv";
  EXPECT_EQ(path.Find("Common"), 3);
  EXPECT_EQ(path.Find("Common", 4), -1);
  EXPECT_EQ(path.ReverseFind('\\'), 9);
  EXPECT_EQ(path.Mid(path.ReverseFind('\\') + 1), "xmlSnc.csv");
  EXPECT_EQ(path.Find(""), 0);
  EXPECT_EQ(CString().Find("a"), -1);
}

TEST(CStringCase, OnlyAsciiChanges) {
  CString s = "msxml3.dllａｂｃ"_sj;  // full-width letters stay
  s.MakeUpper();
  EXPECT_EQ(s, CString("MSXML3.DLLａｂｃ"_sj));
  CString t = "ｱa"_sj;  // half-width kana is single-byte and not a letter
  t.MakeUpper();
  EXPECT_EQ(t, CString("ｱA"_sj));
  CString trail = "ア"_sj;  // trail byte 'A' must not be lowered
  trail.MakeLower();
  EXPECT_EQ(trail, CString("ア"_sj));
  EXPECT_EQ(CString("AbC").CompareNoCase("aBc"), 0);
}

TEST(CStringSlices, ClampedLikeTheFramework) {
  const CString s = "abcdef";
  EXPECT_EQ(s.Left(2), "ab");
  EXPECT_EQ(s.Left(99), "abcdef");
  EXPECT_EQ(s.Mid(4), "ef");
  EXPECT_EQ(s.Mid(9), "");
  EXPECT_EQ(s.Mid(1, 2), "bc");
  EXPECT_EQ(s.Right(2), "ef");
  EXPECT_EQ(s.Left(-1), "");
}

TEST(CStringEdit, ReplaceFormatTrim) {
  CString s = "a\r\nb\r\n";
  EXPECT_EQ(s.Replace("\r\n", "\n"), 2);
  EXPECT_EQ(s, "a\nb\n");
  CString q = "ソ\\"_sj;  // the 0x5C trail byte is not a backslash to replace
  EXPECT_EQ(q.Replace("\\", "/"), 1);
  EXPECT_EQ(q, CString("ソ/"_sj));
  CString f;
  f.Format("%s:%s", "type", "値"_sj);
  EXPECT_EQ(f, CString("type:値"_sj));
  CString t = "  x \t";
  t.TrimLeft();
  t.TrimRight();
  EXPECT_EQ(t, "x");
  EXPECT_EQ(CString(std::string("a\0b", 3)).GetLength(), 3);
}

TEST(Collections, ArraysAndListsKeepOrder) {
  CStringArray a;
  a.Add("x");
  a.Add("z");
  a.InsertAt(1, "y");
  ASSERT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a[1], "y");
  a.SetAtGrow(4, "w");
  EXPECT_EQ(a.GetSize(), 5);
  EXPECT_EQ(a[3], "");
  EXPECT_THROW(a.GetAt(5), std::out_of_range);

  CStringList l;
  l.AddTail("b");
  l.AddHead("a");
  l.AddTail("c");
  std::string joined;
  for (POSITION pos = l.GetHeadPosition(); pos;) joined += l.GetNext(pos).str();
  EXPECT_EQ(joined, "abc");
  POSITION b = l.Find("b");
  ASSERT_NE(b, nullptr);
  l.RemoveAt(b);
  EXPECT_EQ(l.GetCount(), 2);
  EXPECT_EQ(l.GetTail(), "c");
}

// A record whose CObject part does not start the object: a typed array
// must hand out the record itself, not its CObject part taken for one.
struct Tagged {
  virtual ~Tagged() = default;
  int tag = 7;
};
struct Record : Tagged, CObject {
  explicit Record(int v) : value(v) {}
  int value;
};

TEST(Collections, TypedPointerArrayHandsOutTheElementType) {
  Record a(1), b(2), c(3);
  CTypedPtrArray<CObArray, Record*> records;
  records.Add(&a);
  records.Add(&b);
  const CObArray& slots = records;
  ASSERT_NE(static_cast<const void*>(slots.GetAt(0)), static_cast<const void*>(&a))
      << "the test needs a CObject part at an offset";

  const Record* second = records[1];
  EXPECT_EQ(second, &b);
  EXPECT_EQ(records[1]->value, 2);
  EXPECT_EQ(records.ElementAt(0)->tag, 7);
  records[0] = &c;  // stored as the base's CObject*
  EXPECT_EQ(slots.GetAt(0), static_cast<CObject*>(&c));
  EXPECT_EQ(records.GetAt(0), &c);
  records.ElementAt(1) = records[0];
  EXPECT_EQ(records.GetAt(1)->value, 3);
  const auto& constRecords = records;
  EXPECT_EQ(constRecords[1], &c);

  CTypedPtrArray<CPtrArray, Record*> untyped;
  untyped.Add(&a);
  EXPECT_EQ(untyped[0]->value, 1);
  EXPECT_THROW(untyped.ElementAt(1), std::out_of_range);
}

}  // namespace
