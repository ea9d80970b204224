// The object archive: exact MFC 4.2 bytes for the catalogue-shaped records,
// and hostile input ending in CArchiveException without a crash or a leak.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "ArchiveSamples.h"
#include "ScratchDir.h"
#include "platform/text/Sj.h"

using namespace vext_sample;

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out;
}

// Expected archive bytes, written out field by field.
struct Bytes {
  std::string s;
  Bytes& Byte(unsigned b) {
    s += static_cast<char>(b & 0xFF);
    return *this;
  }
  Bytes& Word(unsigned w) { return Byte(w).Byte(w >> 8); }
  Bytes& Dword(DWORD d) { return Word(d & 0xFFFF).Word(d >> 16); }
  Bytes& Raw(std::string_view v) {
    s += v;
    return *this;
  }
  Bytes& Str(std::string_view v) { return Byte(static_cast<unsigned>(v.size())).Raw(v); }
  Bytes& NewClass(std::string_view name) {
    return Word(0xFFFF).Word(1).Word(static_cast<unsigned>(name.size())).Raw(name);
  }
  Bytes& ClassRef(unsigned number) { return Word(0x8000 | number); }
};

std::string Store(const std::function<void(CArchive&)>& write) {
  MemoryFile file;
  CArchive ar(&file, CArchive::store);
  write(ar);
  ar.Close();
  return file.Bytes();
}

std::string StoreList(const ObjectList& list) {
  return Store([&](CArchive& ar) { vext_sample::StoreList(ar, list); });
}

ObjectList LoadAll(const std::string& bytes, int bufferSize = 4096) {
  MemoryFile file(bytes);
  CArchive ar(&file, CArchive::load, bufferSize);
  ObjectList list = LoadList(ar);
  EXPECT_EQ(ar.BytesLeft(), 0u);
  return list;
}

// The cause of the archive error that loading `bytes` as a list ends in,
// or -1 when it loads.
int LoadError(const std::string& bytes) {
  try {
    LoadAll(bytes);
    return -1;
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
}

template <typename T>
T* As(const std::unique_ptr<CObject>& object) {
  return object && object->IsKindOf(T::GetThisClass()) ? static_cast<T*>(object.get()) : nullptr;
}

const char* const kPickUp = "ﾋﾟｯｸｱｯﾌﾟ"_sj;

std::unique_ptr<CLayoutInfo> SampleLayout() {
  auto layout = std::make_unique<CLayoutInfo>();
  layout->title = "請求書"_sj;
  layout->layoutId = 40001;
  layout->motoLayoutId = 123;
  layout->taiouPaper = "A4";
  layout->extraText1 = "x1";
  layout->fileName = "P40001.fmt";
  layout->isPickUp = 1;
  layout->excelName = "seikyu.xls";
  layout->renzoku = 1;
  layout->formGenre = 2;
  layout->linkFlag = 0;
  layout->extraText3 = "z";
  return layout;
}

// A major category holding one middle, one minor category and one layout.
std::unique_ptr<CDaiBunrui> SampleChain(const char* name) {
  auto sho = std::make_unique<CShoBunrui>();
  sho->children.push_back(SampleLayout());
  auto chu = std::make_unique<CChuBunrui>();
  chu->children.push_back(std::move(sho));
  auto dai = std::make_unique<CDaiBunrui>();
  dai->name = name;
  dai->children.push_back(std::move(chu));
  return dai;
}

Bytes& LayoutFields(Bytes& b) {
  return b.Dword(1)
      .Str("請求書"_sj)
      .Dword(40001)
      .Dword(123)
      .Str("A4")
      .Str("x1")
      .Str("P40001.fmt")
      .Str("")
      .Dword(1)
      .Str("seikyu.xls")
      .Dword(1)
      .Dword(2)
      .Dword(0)
      .Str("z");
}

// ---- the catalogue's encoding --------------------------------------------

TEST(ArchiveFormat, WorkedExampleByteForByte) {
  ObjectList list;
  list.push_back(SampleChain(kPickUp));

  Bytes expected;
  expected.Word(1)
      .NewClass("CDaiBunrui")
      .Dword(1)
      .Str(kPickUp)
      .Word(1)
      .NewClass("CChuBunrui")
      .Dword(1)
      .Str("")
      .Word(1)
      .NewClass("CShoBunrui")
      .Dword(1)
      .Str("")
      .Word(1)
      .NewClass("CLayoutInfo");
  LayoutFields(expected);
  ASSERT_EQ(std::string(kPickUp).size(), 8u);
  EXPECT_EQ(Hex(StoreList(list)), Hex(expected.s));

  for (int bufferSize : {64, 4096}) {
    const ObjectList loaded = LoadAll(expected.s, bufferSize);
    ASSERT_EQ(loaded.size(), 1u);
    const auto* dai = As<CDaiBunrui>(loaded[0]);
    ASSERT_TRUE(dai);
    EXPECT_EQ(dai->name, kPickUp);
    const auto* chu = As<CChuBunrui>(dai->children.at(0));
    ASSERT_TRUE(chu);
    const auto* sho = As<CShoBunrui>(chu->children.at(0));
    ASSERT_TRUE(sho);
    const auto* layout = As<CLayoutInfo>(sho->children.at(0));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->title, "請求書"_sj);
    EXPECT_EQ(layout->layoutId, 40001);
    EXPECT_EQ(layout->excelName, "seikyu.xls");
    EXPECT_EQ(layout->extraText3, "z");
  }
}

TEST(ArchiveFormat, ClassesSeenBeforeAreReferredToByNumberAcrossLevels) {
  ObjectList list;
  list.push_back(SampleChain(kPickUp));
  list.push_back(SampleChain("B"));
  // A middle category first written inside a nested list, now at the top.
  list.push_back(std::make_unique<CChuBunrui>());
  list.push_back(nullptr);

  Bytes expected;
  expected.Word(4)
      .NewClass("CDaiBunrui")
      .Dword(1)
      .Str(kPickUp)
      .Word(1)
      .NewClass("CChuBunrui")
      .Dword(1)
      .Str("")
      .Word(1)
      .NewClass("CShoBunrui")
      .Dword(1)
      .Str("")
      .Word(1)
      .NewClass("CLayoutInfo");
  LayoutFields(expected);
  // Objects took 2, 4, 6, 8; the second entry's objects take 9 to 12.
  expected.ClassRef(1)
      .Dword(1)
      .Str("B")
      .Word(1)
      .ClassRef(3)
      .Dword(1)
      .Str("")
      .Word(1)
      .ClassRef(5)
      .Dword(1)
      .Str("")
      .Word(1)
      .ClassRef(7);
  LayoutFields(expected);
  expected.ClassRef(3).Dword(1).Str("").Word(0).Word(0);
  EXPECT_EQ(Hex(StoreList(list)), Hex(expected.s));

  const ObjectList loaded = LoadAll(expected.s);
  ASSERT_EQ(loaded.size(), 4u);
  EXPECT_EQ(loaded[3], nullptr);
  ASSERT_TRUE(As<CDaiBunrui>(loaded[1]));
  EXPECT_EQ(As<CDaiBunrui>(loaded[1])->name, "B");
  EXPECT_TRUE(As<CChuBunrui>(loaded[2]));
  EXPECT_EQ(loaded[0]->GetRuntimeClass(), RUNTIME_CLASS(CDaiBunrui));
}

struct LengthRow {
  DWORD length;
  std::string prefix;
};

TEST(ArchiveFormat, StringLengthPrefixes) {
  const LengthRow rows[] = {
      {0, std::string("\x00", 1)},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {0xFFFD, "\xFF\xFD\xFF"},
      {0xFFFE, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
      {0xFFFF, std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7)},
      {0x10000, std::string("\xFF\xFF\xFF\x00\x00\x01\x00", 7)},
  };
  for (const auto& row : rows) {
    const CString text(std::string(row.length, 'a'));
    const std::string bytes = Store([&](CArchive& ar) { ar << text; });
    EXPECT_EQ(Hex(bytes.substr(0, row.prefix.size())), Hex(row.prefix)) << row.length;
    EXPECT_EQ(bytes.size(), row.prefix.size() + row.length);

    MemoryFile file(bytes);
    CArchive ar(&file, CArchive::load);
    CString back;
    ar >> back;
    EXPECT_EQ(back.GetLength(), static_cast<int>(row.length));
    EXPECT_EQ(ar.BytesLeft(), 0u);
  }
}

TEST(ArchiveFormat, CountPrefixes) {
  const LengthRow rows[] = {
      {0, std::string("\x00\x00", 2)},
      {0xFFFE, "\xFE\xFF"},
      {0xFFFF, std::string("\xFF\xFF\xFF\xFF\x00\x00", 6)},
      {0x12345, std::string("\xFF\xFF\x45\x23\x01\x00", 6)},
  };
  for (const auto& row : rows) {
    const std::string bytes = Store([&](CArchive& ar) { ar.WriteCount(row.length); });
    EXPECT_EQ(Hex(bytes), Hex(row.prefix)) << row.length;
    // A count is believed only when that many bytes follow.
    MemoryFile file(bytes + std::string(row.length, '\0'));
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ar.ReadCount(), row.length);
  }
}

TEST(ArchiveFormat, WideStringsAreReadAsCp932) {
  const auto read = [](const std::string& bytes) {
    MemoryFile file(bytes);
    CArchive ar(&file, CArchive::load);
    CString text;
    ar >> text;
    return text;
  };
  EXPECT_EQ(read(std::string("\xFF\xFE\xFF\x03\x41\x00\x60\x24\xA2\x30", 10)), "A①ア"_sj);
  try {
    read(std::string("\xFF\xFE\xFF\x01\xAC\x20", 6));  // the euro sign: no CP932 form
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badIndex);
  }
}

// One numbering over the file: past 0x7FFF, classes and objects take the
// escaped DWORD forms.
TEST(ArchiveFormat, BigClassAndObjectNumbers) {
  std::vector<std::unique_ptr<CObject>> nodes;
  nodes.reserve(0x8000);
  for (int i = 0; i < 0x8000; ++i) nodes.push_back(std::make_unique<CSampleNode>());
  const auto first = SampleLayout();
  const auto second = SampleLayout();
  const auto writeNodes = [&](CArchive& ar, DWORD extra) {
    ar.WriteCount(0x8000 + extra);
    for (const auto& node : nodes) ar.WriteObject(node.get());
  };

  // Node class 1, nodes 2..0x8001, layout class 0x8002, layouts 0x8003, 0x8004.
  const std::string bytes = Store([&](CArchive& ar) {
    writeNodes(ar, 2);
    ar.WriteObject(first.get());
    ar.WriteObject(second.get());
  });
  Bytes secondTag;
  secondTag.Word(0x7FFF).Dword(0x80008002);
  Bytes secondLayout = secondTag;
  LayoutFields(secondLayout);
  EXPECT_EQ(Hex(bytes.substr(bytes.size() - secondLayout.s.size())), Hex(secondLayout.s));
  const ObjectList loaded = LoadAll(bytes);
  ASSERT_EQ(loaded.size(), 0x8002u);
  EXPECT_TRUE(As<CLayoutInfo>(loaded.back()));

  // The same record twice: the second time only its number.
  const std::string twice = Store([&](CArchive& ar) {
    writeNodes(ar, 2);
    ar.WriteObject(first.get());
    ar.WriteObject(first.get());
  });
  Bytes backReference;
  backReference.Word(0x7FFF).Dword(0x8003);
  EXPECT_EQ(Hex(twice.substr(twice.size() - 6)), Hex(backReference.s));
  // A record is owned by one list only; a second reference cannot be loaded.
  EXPECT_EQ(LoadError(twice), CArchiveException::badIndex);
}

// ---- hostile input ------------------------------------------------------------

std::string WorkedExampleBytes() {
  ObjectList list;
  list.push_back(SampleChain(kPickUp));
  return StoreList(list);
}

TEST(ArchiveErrors, EveryTruncationIsEndOfFile) {
  const std::string bytes = WorkedExampleBytes();
  for (std::size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_EQ(LoadError(bytes.substr(0, cut)), CArchiveException::endOfFile) << cut;
  EXPECT_EQ(LoadError(bytes), -1);
}

struct ErrorRow {
  const char* what;
  std::string bytes;
  int cause;
};

TEST(ArchiveErrors, MalformedFiles) {
  const auto chu = [](Bytes b) { return b.NewClass("CChuBunrui").Dword(1).Str("").Word(0); };
  const auto dai = [](Bytes b) { return b.NewClass("CDaiBunrui").Dword(1).Str("D").Word(0); };
  const auto layoutHead = [](Bytes b) { return b.Word(1).NewClass("CLayoutInfo").Dword(1); };
  const ErrorRow rows[] = {
      {"count beyond the file", Bytes().Word(0xFFFF).Dword(0xFFFFFFFF).Word(0).s,
       CArchiveException::endOfFile},
      {"count one more than bytes", Bytes().Word(3).Word(0).s, CArchiveException::endOfFile},
      {"string length beyond the file",
       layoutHead({}).Byte(0xFF).Word(0xFFFF).Dword(0x7FFFFFFF).Raw("abc").s,
       CArchiveException::endOfFile},
      {"wide string beyond the file",
       layoutHead({}).Byte(0xFF).Word(0xFFFE).Byte(0xFF).Word(0xFFFF).Dword(0xFFFFFFFF).s,
       CArchiveException::endOfFile},
      {"unknown class", Bytes().Word(1).NewClass("CNoSuchOne").s, CArchiveException::badClass},
      {"class name of 64 bytes", Bytes().Word(1).NewClass(std::string(64, 'C')).s,
       CArchiveException::badClass},
      {"class name in another case", Bytes().Word(1).NewClass("CDAIBUNRUI").s,
       CArchiveException::badClass},
      {"wrong schema", Bytes().Word(1).Word(0xFFFF).Word(2).Word(10).Raw("CDaiBunrui").s,
       CArchiveException::badSchema},
      {"child of the wrong class",
       Bytes().Word(1).NewClass("CDaiBunrui").Dword(1).Str("").Word(1).NewClass("CLayoutInfo").s,
       CArchiveException::badClass},
      {"class number never given", Bytes().Word(1).ClassRef(5).s, CArchiveException::badIndex},
      {"class number 0", Bytes().Word(1).ClassRef(0).s, CArchiveException::badIndex},
      {"class number naming an object", dai(Bytes().Word(2)).ClassRef(2).s,
       CArchiveException::badIndex},
      {"object number naming a class", dai(Bytes().Word(2)).Word(1).s, CArchiveException::badIndex},
      {"object number never given", dai(Bytes().Word(2)).Word(9).s, CArchiveException::badIndex},
      {"object read before", chu(Bytes().Word(2)).Word(2).s, CArchiveException::badIndex},
      {"big object number never given", Bytes().Word(1).Word(0x7FFF).Dword(0x12345).s,
       CArchiveException::badIndex},
      {"big class number never given", Bytes().Word(1).Word(0x7FFF).Dword(0x80012345).s,
       CArchiveException::badIndex},
  };
  for (const auto& row : rows) EXPECT_EQ(LoadError(row.bytes), row.cause) << row.what;
}

// A chain of nodes nested `depth` deep.
std::string NestedNodes(int depth) {
  auto root = std::make_unique<CSampleNode>();
  CSampleNode* leaf = root.get();
  for (int i = 1; i < depth; ++i) {
    auto child = std::make_unique<CSampleNode>();
    CSampleNode* next = child.get();
    leaf->children.push_back(std::move(child));
    leaf = next;
  }
  ObjectList list;
  list.push_back(std::move(root));
  return StoreList(list);
}

TEST(ArchiveErrors, NestingDeeperThanAnyRealFile) {
  EXPECT_EQ(LoadError(NestedNodes(CArchive::kMaxDepth)), -1);
  EXPECT_EQ(LoadError(NestedNodes(CArchive::kMaxDepth + 1)), CArchiveException::badIndex);
}

// ---- class registry ------------------------------------------------------------

CObject* CreateNode() { return new CSampleNode; }

TEST(RuntimeClassRegistry, ClassesJoinAndLeaveWithTheirLibrary) {
  EXPECT_EQ(CRuntimeClass::FromName("CDaiBunrui"), RUNTIME_CLASS(CDaiBunrui));
  EXPECT_EQ(CRuntimeClass::FromName("CDaiBunrui2"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("cdaibunrui"), nullptr);

  CRuntimeClass plugin = {"CPlugInRecord", sizeof(CSampleNode), 1, CreateNode,
                          RUNTIME_CLASS(CObject)};
  const std::string file =
      Bytes().Word(1).NewClass("CPlugInRecord").Dword(1).Str("").Word(0).Word(0).s;
  EXPECT_EQ(LoadError(file), CArchiveException::badClass);
  {
    const vext::ClassRegistration joined(&plugin);
    EXPECT_EQ(CRuntimeClass::FromName("CPlugInRecord"), &plugin);
    EXPECT_EQ(LoadError(file), -1);
    {
      CRuntimeClass newer = plugin;
      const vext::ClassRegistration alsoJoined(&newer);
      EXPECT_EQ(CRuntimeClass::FromName("CPlugInRecord"), &newer);
    }
    EXPECT_EQ(CRuntimeClass::FromName("CPlugInRecord"), &plugin);
  }
  EXPECT_EQ(CRuntimeClass::FromName("CPlugInRecord"), nullptr);
  EXPECT_EQ(LoadError(file), CArchiveException::badClass);
}

// ---- through a real file ---------------------------------------------------------

class ArchiveFile : public ::testing::Test {
 protected:
  std::string PathOf(const char* name) const { return (m_dir / name).string(); }
  vext::testing::ScratchDir m_scratch{"vext-archive"};
  const std::filesystem::path m_dir = m_scratch.path();
};

TEST_F(ArchiveFile, ErrorNamesTheFile) {
  const std::string path = PathOf("SlipCatalog.dat");
  vext::testing::WriteBytes(path, WorkedExampleBytes().substr(0, 30));
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CArchive ar(&file, CArchive::load);
  try {
    LoadList(ar);
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    EXPECT_EQ(e.GetErrorMessage(),
              CString("予期しないファイルの終わりに達しました。\n"_sj) + path.c_str());
  }
  EXPECT_EQ(CArchiveException(CArchiveException::badSchema, "Recent.dat").GetErrorMessage(),
            "ファイルの形式が正しくありません。\nRecent.dat"_sj);
}

TEST_F(ArchiveFile, StoreThenLoadThroughCFile) {
  const std::string path = PathOf("Custom.dat");
  ObjectList list;
  for (int i = 0; i < 300; ++i) list.push_back(SampleChain("name"));
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CArchive ar(&file, CArchive::store);
    vext_sample::StoreList(ar, list);
    ar.Close();
    file.Close();
  }
  // What follows the archive is left for the file's next reader.
  std::ofstream(path, std::ios::binary | std::ios::app) << "TAIL";
  CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
  CArchive ar(&file, CArchive::load);
  EXPECT_EQ(LoadList(ar).size(), 300u);
  ar.Close();
  char tail[8] = {};
  EXPECT_EQ(file.Read(tail, sizeof tail), 4u);
  EXPECT_STREQ(tail, "TAIL");
}

}  // namespace
