// A document as RecConv and FmtQuery use it: faces, fields by order,
// values, index keys, the header copy and its memory handle.
#include <gtest/gtest.h>

#include <cstring>

#include "FormBuilder.h"
#include "platform/text/Sj.h"

using namespace vextbase_test;

namespace {

// Orders 2, 5 and 9 take data; 7 is a fixed label; 12 is in the body list.
std::unique_ptr<CNVextLayoutData> Slip(int faces) {
  return MakeLayout(77, faces,
                    {{2, "date", NVPROP_INPUT, 1},
                     {5, "customer", NVPROP_SELECT, 3},
                     {7, "title", 0},
                     {9, "amount", NVPROP_INPUT | 0x10},
                     {12, "note", NVPROP_INPUT, 0, true}});
}

TEST(Document, FaceIndexesFollowTheFaceCount) {
  struct Case {
    int faces;
    std::vector<int> valid, invalid;
  } cases[] = {{0, {0}, {-1, 1, 2}}, {1, {0}, {1, 2}}, {2, {1, 2}, {0, 3}}, {3, {1, 2, 3}, {0, 4}}};
  for (const Case& c : cases) {
    auto layout = Slip(c.faces);
    auto doc = MakeDoc(*layout);
    EXPECT_EQ(doc->GetMenCount(), c.faces);
    for (int men : c.valid) {
      SCOPED_TRACE(testing::Message() << c.faces << " faces, face " << men);
      EXPECT_EQ(doc->GetMaxOrder(men), 12u);
      ASSERT_NE(doc->GetPropObjByOrder(9, men), nullptr);
      EXPECT_TRUE(doc->SetStrDataByOrder(9, men, CString("v") + char('0' + men), 0));
    }
    for (int men : c.valid) {  // every face keeps its own value
      int index = -1;
      CString name;
      EXPECT_EQ(doc->GetStrDataByOrder(9, men, index, name), CString("v") + char('0' + men));
    }
    for (int men : c.invalid) {
      SCOPED_TRACE(testing::Message() << c.faces << " faces, bad face " << men);
      EXPECT_EQ(doc->GetMaxOrder(men), 0u);
      EXPECT_EQ(doc->GetPropObjByOrder(9, men), nullptr);
      EXPECT_FALSE(doc->SetStrDataByOrder(9, men, "x", 0));
    }
  }
}

TEST(Document, FieldsByOrder) {
  auto layout = Slip(1);
  auto doc = MakeDoc(*layout);
  struct Case {
    UINT order;
    bool exists, dataEntry;
    int indexNo;
    const char* name;
  } cases[] = {{2, true, true, 1, "date"},   {5, true, true, 3, "customer"},
               {7, true, false, 0, "title"}, {9, true, true, 0, "amount"},
               {12, true, true, 0, "note"},  {1, false, false, 0, ""},
               {8, false, false, 0, ""},     {13, false, false, 0, ""},
               {0, false, false, 0, ""},     {NVEXT_MAX_ORDER + 1, false, false, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.order);
    const CNPropObj* obj = doc->GetPropObjByOrder(c.order, 0);
    ASSERT_EQ(obj != nullptr, c.exists);
    if (obj) {
      EXPECT_EQ(obj->GetOrder(), c.order);
      EXPECT_EQ(obj->IsDataField() != 0, c.dataEntry);
    }
    EXPECT_EQ(doc->SetStrDataByOrder(c.order, 0, "value", 0) != 0, c.exists);
    int index = 99;
    CString name = "stale";
    const CString value = doc->GetStrDataByOrder(c.order, 0, index, name);
    EXPECT_EQ(value, c.exists ? "value" : "");
    EXPECT_EQ(index, c.indexNo);
    EXPECT_EQ(name, c.name);
  }
}

TEST(Document, IndexKeysAndInitData) {
  auto layout = Slip(2);
  auto doc = MakeDoc(*layout);
  doc->SetTitle("kept");
  for (int key : {1, 20}) EXPECT_TRUE(doc->SetIndex(key, CString("k") + char('0' + key % 10), 1));
  for (int key : {0, 21, -1}) EXPECT_FALSE(doc->SetIndex(key, "bad", 1));
  EXPECT_EQ(doc->GetIndex(1), "k1");
  EXPECT_EQ(doc->GetIndex(20), "k0");
  EXPECT_EQ(doc->GetIndex(21), "");
  doc->SetStrDataByOrder(2, 2, "value", 0);
  doc->InitData();
  int index;
  CString name;
  EXPECT_EQ(doc->GetStrDataByOrder(2, 2, index, name), "");
  EXPECT_EQ(doc->GetIndex(1), "");
  EXPECT_EQ(doc->GetIndex(20), "");
  EXPECT_EQ(doc->GetTitle(), "kept");
  EXPECT_TRUE(doc->SetStrDataByOrder(2, 2, "again", 0));
  EXPECT_EQ(doc->GetStrDataByOrder(2, 2, index, name), "again");
}

TEST(Document, RefListGivesTheLayoutsObjectsHeadFirst) {
  auto layout =
      MakeLayout(1, 1, {{30, "b1", 0, 0, true}, {4, "h1"}, {2, "h2"}, {1, "b2", 0, 0, true}});
  auto doc = MakeDoc(*layout);
  CPropDataList& list = doc->RefList();
  ASSERT_EQ(list.GetCount(), 1);
  const CNPropObjList& objects = list.GetHead()->GetObjList();
  std::vector<UINT> orders;
  for (POSITION pos = objects.GetHeadPosition(); pos;)
    orders.push_back(objects.GetNext(pos)->GetOrder());
  EXPECT_EQ(orders, (std::vector<UINT>{4, 2, 30, 1}));
  EXPECT_EQ(list.GetHead()->GetFormat(), doc->GetFormat());
  CNVextDoc empty;
  EXPECT_EQ(empty.RefList().GetCount(), 0);
  EXPECT_EQ(empty.GetFormat(), nullptr);
}

// The header copy owns one memory handle that the caller frees; the
// sanitizer build finds a handle that is not freed or freed twice.
TEST(Document, HeaderCopyCarriesTheLayoutIntoAnEmptyDocument) {
  auto layout = Slip(3);
  auto source = MakeDoc(*layout);
  source->SetTitle("伝票"_sj);
  source->SetMemo("memo");
  source->SetSort(4);
  source->SetDate(20240401);
  source->SetUserNo(9);
  source->SetStrDataByOrder(9, 3, "kept by the source", 0);

  tagNVEXTDOC header;
  std::memset(&header, 0x7F, sizeof header);
  ASSERT_TRUE(source->GetVEXTDOC(&header, 0));
  ASSERT_NE(header.hFormat, nullptr);
  EXPECT_STREQ(header.szTitle, "伝票"_sj);
  EXPECT_EQ(header.lFormID, 77);

  CNVextDoc copy;
  ASSERT_TRUE(copy.SetVEXTDOC(&header, 0));
  // While the source lives, both share one layout.
  EXPECT_EQ(copy.GetFormat(), source->GetFormat());
  EXPECT_EQ(copy.GetTitle(), "伝票"_sj);
  EXPECT_EQ(copy.GetMemo(), "memo");
  EXPECT_EQ(copy.GetSort(), 4);
  EXPECT_EQ(copy.GetDate(), 20240401u);
  EXPECT_EQ(copy.GetUserNo(), 9);
  int index;
  CString name;
  EXPECT_EQ(copy.GetStrDataByOrder(9, 3, index, name), "");  // values are not in the header

  // Once every document of that layout is gone, the handle's own bytes serve.
  source.reset();
  CNVextDoc later;
  ASSERT_TRUE(later.SetVEXTDOC(&header, 0));
  ASSERT_NE(later.GetFormat(), nullptr);
  EXPECT_EQ(later.GetMenCount(), 3);
  EXPECT_EQ(later.GetFormat()->GetID(), 77);
  EXPECT_NE(later.GetPropObjByOrder(12, 2), nullptr);
  EXPECT_EQ(GlobalFree(header.hFormat), nullptr);
}

TEST(Document, HeaderTextsAreCutAtAWholeCharacterAndReadWithinTheirField) {
  auto layout = Slip(1);
  auto doc = MakeDoc(*layout);
  // 62 ASCII bytes then a double-byte character: 64 bytes do not fit in 63.
  doc->SetTitle(CString(std::string(62, 'a')) + "髙"_sj);
  tagNVEXTDOC header{};
  ASSERT_TRUE(doc->GetVEXTDOC(&header, 0));
  EXPECT_EQ(std::strlen(header.szTitle), 62u);
  GlobalFree(header.hFormat);

  // A title without its NUL is read up to the end of its field, no further.
  std::memset(header.szTitle, 'x', sizeof header.szTitle);
  std::memset(header.szMemo, 'y', sizeof header.szMemo);
  header.hFormat = nullptr;  // keeps the document's layout
  ASSERT_TRUE(doc->SetVEXTDOC(&header, 0));
  EXPECT_EQ(doc->GetTitle(), CString(std::string(64, 'x')));
  EXPECT_EQ(doc->GetMemo(), CString(std::string(256, 'y')));
  EXPECT_EQ(doc->GetFormat()->GetID(), 77);
}

TEST(Document, HeaderWithAForeignHandleIsRefused) {
  auto layout = Slip(1);
  auto doc = MakeDoc(*layout);
  doc->SetTitle("before");
  for (const std::string& bytes : {std::string(), std::string("VXHD"), std::string(40, '\0'),
                                   std::string("VXHD") + std::string(8, '\xEE') + "VXFM\x01"}) {
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    tagNVEXTDOC header{};
    std::strcpy(header.szTitle, "after");
    header.hFormat = block;
    EXPECT_FALSE(doc->SetVEXTDOC(&header, 0)) << bytes.size();
    EXPECT_EQ(doc->GetTitle(), "before");
    GlobalFree(block);
  }
  EXPECT_FALSE(doc->SetVEXTDOC(nullptr, 0));
  EXPECT_FALSE(doc->GetVEXTDOC(nullptr, 0));
}

TEST(Document, TakingAnotherLayoutKeepsTheValuesBothCanHold) {
  auto three = Slip(3);
  auto doc = MakeDoc(*three);
  doc->SetStrDataByOrder(2, 1, "date on face 1", 0);
  doc->SetStrDataByOrder(9, 3, "amount on face 3", 0);
  doc->SetStrDataByOrder(12, 2, "note on face 2", 0);
  auto other = MakeLayout(88, 2, {{9, "amount"}, {12, "note"}, {40, "new"}});
  auto donor = MakeDoc(*other);
  tagNVEXTDOC header{};
  ASSERT_TRUE(donor->GetVEXTDOC(&header, 0));
  ASSERT_TRUE(doc->SetVEXTDOC(&header, 0));
  GlobalFree(header.hFormat);
  int index;
  CString name;
  EXPECT_EQ(doc->GetMenCount(), 2);
  EXPECT_EQ(doc->GetStrDataByOrder(12, 2, index, name), "note on face 2");
  EXPECT_EQ(doc->GetStrDataByOrder(2, 1, index, name), "");  // no order 2 any more
  EXPECT_EQ(doc->GetStrDataByOrder(9, 2, index, name), "");  // face 3 is gone
  EXPECT_EQ(doc->RefList().GetHead()->GetObjList().GetCount(), 3);
}

}  // namespace
