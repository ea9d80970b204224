#include "platform/system/Registry.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "ScopedRegistry.h"
#include "platform/text/Sj.h"

using vext::registry::ExpandEnvironmentStrings;
using vext::registry::Hive;
using vext::registry::Key;
using vext::testing::ScopedEnv;
using vext::testing::ScopedRegistry;
using vext::testing::ScratchDir;
using vext::testing::U8;

namespace {

constexpr std::string_view kV5 = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr std::string_view kV4 = "REGEDIT4\r\n\r\n";

std::string Utf16Le(std::string_view utf8) {
  iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
  std::string out(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  iconv(cd, &in, &inLeft, &dst, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// Bytes as regedit writes them: "25,00,53,...", wrapped with a trailing
// backslash every `perLine` bytes.
std::string HexList(std::string_view bytes, std::size_t perLine = 8) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (i > 0) out += (i % perLine == 0) ? ",\\\r\n  " : ",";
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

std::optional<CString> ReadString(Hive hive, std::string_view key, std::string_view name,
                                  std::size_t buffer = 260) {
  const auto opened = Key::Open(hive, key);
  if (!opened) return std::nullopt;
  return opened->ReadString(name, buffer);
}

std::optional<DWORD> ReadDword(Hive hive, std::string_view key, std::string_view name) {
  const auto opened = Key::Open(hive, key);
  if (!opened) return std::nullopt;
  return opened->ReadDword(name);
}

constexpr std::string_view kProductKey = "SOFTWARE\\velmor_op\\velmorik";

}  // namespace

TEST(RegistryFile, BothHeadersAreRead) {
  for (std::string_view header : {kV4, kV5}) {
    SCOPED_TRACE(header);
    ScopedRegistry reg;
    reg.Add(std::string(header) +
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\velmor_op\\velmorik]\r\n"
            "\"InstalledDir\"=\"C:\\\\Sorenta\\\\velmorik\"\r\n"
            "\"Ver\"=dword:0000026a\r\n"
            "@=\"default text\"\r\n");
    EXPECT_EQ(ReadString(Hive::LocalMachine, kProductKey, "InstalledDir"),
              CString("C:\\Sorenta\\velmorik"));
    EXPECT_EQ(ReadDword(Hive::LocalMachine, kProductKey, "Ver"), 0x26au);
    EXPECT_EQ(ReadString(Hive::LocalMachine, kProductKey, ""), CString("default text"));
  }
}

TEST(RegistryFile, FileWithoutRegistryHeaderIsIgnored) {
  for (std::string_view header : {"Windows Registry Editor Version 4.00\n",
                                  "[HKEY_LOCAL_MACHINE\\SOFTWARE\\x]\n", "", "\xFE\xFF\0W"}) {
    SCOPED_TRACE(header);
    ScopedRegistry reg;
    reg.Add(std::string(header) + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\x]\n\"A\"=\"1\"\n");
    EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\x"), nullptr);
  }
}

TEST(RegistryFile, DwordForms) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "[HKLM\\SOFTWARE\\n]\n"
          "\"Upper\"=DWORD:FFFFFFFF\n"
          "\"Short\"=dword:1\n"
          "\"Hex4\"=hex(4):6a,02,00,00\n"
          "\"TooLong\"=dword:000000001\n"
          "\"Empty\"=dword:\n"
          "\"Junk\"=dword:12x\n"
          "\"Text\"=\"610\"\n");
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\n");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadDword("Upper"), 0xFFFFFFFFu);
  EXPECT_EQ(key->ReadDword("Short"), 1u);
  EXPECT_EQ(key->ReadDword("Hex4"), 0x26au);
  EXPECT_EQ(key->ReadDword("TooLong"), std::nullopt);
  EXPECT_EQ(key->ReadDword("Empty"), std::nullopt);
  EXPECT_EQ(key->ReadDword("Junk"), std::nullopt);
  // Types are not converted into each other.
  EXPECT_EQ(key->ReadDword("Text"), std::nullopt);
  EXPECT_EQ(key->ReadString("Upper", 260), std::nullopt);
}

TEST(RegistryFile, ExpandableStringInVersion5IsUtf16) {
  ScopedRegistry reg;
  const std::string text = U8(u8"%SystemRoot%\\System32\\伝票.dll");
  reg.Add(std::string(kV5) + "[HKEY_CLASSES_ROOT\\CLSID\\{X}\\InProcServer32]\r\n@=hex(2):" +
          HexList(Utf16Le(text) + std::string(2, '\0')) + "\r\n");
  EXPECT_EQ(ReadString(Hive::ClassesRoot, "CLSID\\{X}\\InProcServer32", ""),
            CString("%SystemRoot%\\System32\\伝票.dll"_sj));
}

TEST(RegistryFile, ExpandableStringInRegedit4IsAnsi) {
  ScopedRegistry reg;
  const std::string cp932 = "%USERPROFILE%\\伝票"_sj;
  reg.Add(std::string(kV4) + "[HKEY_CURRENT_USER\\Env]\r\n\"Path\"=hex(2):" +
          HexList(cp932 + '\0', 4) + "\r\n\"Sz\"=hex(1):41,42,00,43\r\n");
  EXPECT_EQ(ReadString(Hive::CurrentUser, "Env", "Path"), CString(cp932));
  // Text ends at its first terminator.
  EXPECT_EQ(ReadString(Hive::CurrentUser, "Env", "Sz"), CString("AB"));
}

TEST(RegistryFile, BinaryAndMultiStringAreNotText) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "[HKLM\\SOFTWARE\\b]\n\"Bin\"=hex:41,42,43\n\"Multi\"=hex(7):41,00,00,00,00,00\n\"Bad\"="
          "hex:4g\n"
          "\"Z\"=\"z\"\n");
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\b");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Bin", 260), std::nullopt);
  EXPECT_EQ(key->ReadString("Multi", 260), std::nullopt);
  EXPECT_EQ(key->ReadString("Bad", 260), std::nullopt);
  EXPECT_EQ(key->ReadString("Z", 260), CString("z"));
}

TEST(RegistryFile, StringEscapes) {
  struct Row {
    std::string_view written;
    std::string_view read;
  };
  const Row rows[] = {
      {R"("C:\\Sorenta\\Common\\")", R"(C:\Sorenta\Common\)"},
      {R"("say \"hi\"")", R"(say "hi")"},
      {R"("C:\Plain\path")", R"(C:\Plain\path)"},  // a hand-written path keeps its backslashes
      {R"("")", ""},
      {R"(  "padded"  )", "padded"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.written);
    ScopedRegistry reg;
    reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\e]\n\"V\"=" + std::string(row.written) + "\n");
    EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\e", "V"), CString(std::string(row.read)));
  }
}

TEST(RegistryFile, NamesMatchWithoutCase) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "[hkey_local_machine\\Software\\Velmor_OP\\VELMORIK]\n\"cd-drive\"=\"D\"\n"
          "[HKLM\\SOFTWARE\\Classes\\MSXML.DOMDocument\\CLSID]\n@=\"{C}\"\n"
          "[HKCU\\Software\\x]\n" +
          U8(u8"\"ヂ\"=\"trail byte a\"\n\"ａ\"=\"full width\"\n"));
  EXPECT_EQ(ReadString(Hive::LocalMachine, kProductKey, "CD-Drive"), CString("D"));
  // The classes root is the machine's SOFTWARE\Classes.
  EXPECT_EQ(ReadString(Hive::ClassesRoot, "msxml.domdocument\\clsid", ""), CString("{C}"));
  // Only single-byte letters fold: not the second byte of ヂ (0x83 0x61),
  // not full-width letters.
  EXPECT_EQ(ReadString(Hive::CurrentUser, "SOFTWARE\\X", "ヂ"_sj), CString("trail byte a"));
  EXPECT_EQ(ReadString(Hive::CurrentUser, "SOFTWARE\\X", "ア"_sj), std::nullopt);
  EXPECT_EQ(ReadString(Hive::CurrentUser, "SOFTWARE\\X", "ａ"_sj), CString("full width"));
  EXPECT_EQ(ReadString(Hive::CurrentUser, "SOFTWARE\\X", "Ａ"_sj), std::nullopt);
  EXPECT_EQ(Key::Open(Hive::CurrentUser, kProductKey), nullptr);
}

TEST(RegistryFile, KeysAboveAStoredKeyExist) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\a\\b\\c]\n");
  EXPECT_NE(Key::Open(Hive::LocalMachine, "SOFTWARE\\a\\b"), nullptr);
  EXPECT_NE(Key::Open(Hive::LocalMachine, "SOFTWARE\\a\\b\\c\\"), nullptr);
  EXPECT_NE(Key::Open(Hive::LocalMachine, ""), nullptr);
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\a\\\\b"), nullptr);
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "\\SOFTWARE\\a"), nullptr);
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\a\\b\\c\\d"), nullptr);
}

TEST(RegistryFile, LaterFileWinsAndDeletes) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "[HKLM\\SOFTWARE\\p]\n\"Keep\"=\"1\"\n\"Change\"=\"old\"\n\"Drop\"=\"x\"\n"
          "[HKLM\\SOFTWARE\\p\\sub\\deeper]\n\"D\"=\"d\"\n"
          "[HKLM\\SOFTWARE\\p\\sub more]\n\"S\"=\"s\"\n"
          "[HKLM\\SOFTWARE\\p\\sub2]\n\"S\"=\"s\"\n");
  reg.Add(std::string(kV4) +
          "[HKLM\\SOFTWARE\\p]\n\"Change\"=\"new\"\n\"Drop\"=-\n"
          "[-HKLM\\SOFTWARE\\p\\sub]\n\"Ignored\"=\"after a deletion\"\n");
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\p");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Keep", 260), CString("1"));
  EXPECT_EQ(key->ReadString("Change", 260), CString("new"));
  EXPECT_EQ(key->ReadString("Drop", 260), std::nullopt);
  EXPECT_EQ(key->ReadString("Ignored", 260), std::nullopt);
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\p\\sub"), nullptr);
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\p\\sub\\deeper"), nullptr);
  EXPECT_NE(Key::Open(Hive::LocalMachine, "SOFTWARE\\p\\sub more"), nullptr);
  EXPECT_NE(Key::Open(Hive::LocalMachine, "SOFTWARE\\p\\sub2"), nullptr);
}

TEST(RegistryFile, MissingAndUnreadableFilesAreSkipped) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\a]\n\"V\"=\"first\"\n");
  const std::string good = reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\a]\n\"W\"=\"second\"\n");
  ScopedEnv files("VEXT_REGISTRY", "/nonexistent/x.reg::" + reg.dir().path().string() + ":" + good);
  EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\a", "W"), CString("second"));
  EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\a", "V"), std::nullopt);
}

TEST(RegistryFile, Encodings) {
  const std::string body = U8(u8"[HKEY_LOCAL_MACHINE\\SOFTWARE\\伝票]\r\n\"名前\"=\"①㈱～髙\"\r\n");
  struct Row {
    const char* name;
    std::string bytes;
  };
  const Row rows[] = {
      {"UTF-8", std::string(kV5) + body},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + std::string(kV5) + body},
      {"UTF-16LE with BOM", "\xFF\xFE" + Utf16Le(std::string(kV5) + body)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ScopedRegistry reg;
    reg.Add(row.bytes);
    EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\伝票"_sj, "名前"_sj),
              CString("①㈱～髙"_sj));
  }
}

TEST(RegistryFile, ValueWithoutCp932FormIsUnreadable) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\u]\n\"Ok\"=\"fine\"\n\"Emoji\"=\"before\"\n");
  reg.Add("\xFF\xFE" + Utf16Le(std::string(kV5) + U8(u8"[HKLM\\SOFTWARE\\u]\n\"Emoji\"=\"😀\"\n")) +
          std::string("\x00\xD8\n\x00", 4));  // a lone surrogate at the end as well
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\u");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Ok", 260), CString("fine"));
  EXPECT_EQ(key->ReadString("Emoji", 260), std::nullopt);
}

TEST(RegistryFile, ContinuationLines) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "[HKLM\\SOFTWARE\\c]\n"
          "\"Long\"=hex(2):43,00,3a,00,\\\n"
          "    5c,00,41,00,\\\n"
          "  00,00\n"
          "; a comment ending in a backslash \\\n"
          "\"After\"=\"kept\"\n");
  EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\c", "Long"), CString("C:\\A"));
  EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\c", "After"), CString("kept"));
}

TEST(RegistryFile, MalformedLinesAreSkipped) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) +
          "\"BeforeAnyKey\"=\"x\"\n"
          "[HKEY_USERS\\S-1]\n\"InUnknownHive\"=\"x\"\n"
          "[HKLM\\SOFTWARE\\\\double]\n\"InBadKey\"=\"x\"\n"
          "[HKLM\\SOFTWARE\\m\n"
          "[HKLM\\SOFTWARE\\m]\n"
          "\"Unterminated\"=\"abc\n"
          "\"NoEquals\" \"abc\"\n"
          "\"Trailing\"=\"abc\" junk\n"
          "\"Odd\"=hex(2):41,00,4\n"
          "\"BadType\"=hex(2x):41\n"
          "garbage line\n"
          "\"Unknown\"=str:abc\n"
          "=\"no name\"\n"
          "\"Good\"=\"survives\"\n");
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\m");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Good", 260), CString("survives"));
  for (const char* name :
       {"BeforeAnyKey", "Unterminated", "NoEquals", "Trailing", "BadType", "Unknown", ""})
    EXPECT_EQ(key->ReadString(name, 260), std::nullopt) << name;
  // An odd byte of UTF-16 is dropped, not read past.
  EXPECT_EQ(key->ReadString("Odd", 260), CString("A"));
  EXPECT_EQ(Key::Open(Hive::LocalMachine, "SOFTWARE\\double"), nullptr);
}

TEST(RegistryFile, ValueLongerThanItsBufferCountsAsMissing) {
  ScopedRegistry reg;
  reg.Add(std::string(kV5) + "[HKLM\\SOFTWARE\\l]\n\"Fits\"=\"" + std::string(255, 'a') +
          "\"\n\"Over\"=\"" + std::string(256, 'a') +
          "\"\n\"Drive\"=\"D:\"\n\"DriveDir\"=\"D:\\\\\"\n");
  const auto key = Key::Open(Hive::LocalMachine, "SOFTWARE\\l");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Fits", 256), CString(std::string(255, 'a')));
  EXPECT_EQ(key->ReadString("Over", 256), std::nullopt);
  EXPECT_EQ(key->ReadString("Drive", 3), CString("D:"));
  EXPECT_EQ(key->ReadString("DriveDir", 3), std::nullopt);
  EXPECT_EQ(key->ReadString("Drive", 0), std::nullopt);
}

class BuiltinDefaults : public ::testing::Test {
 protected:
  ScratchDir home;
  ScopedEnv homeEnv{"HOME", home.path().string()};
  ScopedEnv configEnv{"XDG_CONFIG_HOME", std::nullopt};
  static constexpr std::string_view kShellFolders =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\User Shell Folders";
};

TEST_F(BuiltinDefaults, AnswerTheParserAndPersonalQuestions) {
  ScopedRegistry reg(true);
  EXPECT_EQ(ReadString(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID", ""),
            CString("{2933BF90-7B36-11D2-B20E-00C04F983E60}"));
  const auto server = ReadString(
      Hive::ClassesRoot, "CLSID\\{2933BF90-7B36-11D2-B20E-00C04F983E60}\\InProcServer32", "");
  ASSERT_TRUE(server);
  EXPECT_NE(server->Find("libxml2.so"), -1) << server->c_str();
  EXPECT_EQ(ReadString(Hive::CurrentUser, kShellFolders, "Personal"),
            CString((home.path() / "Documents").string()));
}

TEST_F(BuiltinDefaults, PersonalFollowsUserDirs) {
  ScopedRegistry reg(true);
  home.Write(".config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
             "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(ReadString(Hive::CurrentUser, kShellFolders, "Personal"),
            CString((home.path() / "Dokumente").string()));
  ScratchDir config;
  config.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
  ScopedEnv configHome("XDG_CONFIG_HOME", config.path().string());
  EXPECT_EQ(ReadString(Hive::CurrentUser, kShellFolders, "Personal"), CString("/srv/docs"));
}

TEST_F(BuiltinDefaults, LieUnderTheFiles) {
  ScopedRegistry reg(true);
  reg.Add(std::string(kV5) + "[-HKEY_CLASSES_ROOT\\MSXML.DOMDocument]\n[" + "HKCU\\" +
          std::string(kShellFolders) + "]\n\"Personal\"=\"C:\\\\Docs\"\n");
  EXPECT_EQ(Key::Open(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID"), nullptr);
  EXPECT_EQ(ReadString(Hive::CurrentUser, kShellFolders, "Personal"), CString("C:\\Docs"));
}

TEST_F(BuiltinDefaults, SwitchOff) {
  {
    ScopedRegistry reg(false);
    EXPECT_EQ(Key::Open(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID"), nullptr);
  }
  ScopedRegistry reg(true);
  vext::registry::SetBuiltinDefaults(false);
  EXPECT_EQ(Key::Open(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID"), nullptr);
  vext::registry::SetBuiltinDefaults(true);
  EXPECT_NE(Key::Open(Hive::ClassesRoot, "MSXML.DOMDocument\\CLSID"), nullptr);
}

TEST(RegistryFile, DefaultFileIsInTheConfigFolder) {
  ScratchDir config;
  ScopedEnv files("VEXT_REGISTRY", std::nullopt);
  ScopedEnv defaults("VEXT_REGISTRY_DEFAULTS", "0");
  ScopedEnv configHome("XDG_CONFIG_HOME", config.path().string());
  config.Write("vext/registry.reg", std::string(kV5) + "[HKLM\\SOFTWARE\\d]\n\"V\"=\"here\"\n");
  EXPECT_EQ(ReadString(Hive::LocalMachine, "SOFTWARE\\d", "V"), CString("here"));
}

TEST(ExpandEnvironmentStrings, Table) {
  ScopedEnv profile("USERPROFILE", "C:\\Users\\u");
  ScopedEnv japanese("VEXT_TEST_JP", U8(u8"書類"));
  ScopedEnv missing("VEXT_TEST_MISSING", std::nullopt);
  struct Row {
    std::string text;
    std::size_t buffer;
    std::string expanded;
  };
  const Row rows[] = {
      {"%USERPROFILE%\\My Documents", 260, "C:\\Users\\u\\My Documents"},
      {"C:\\plain\\path\\", 260, "C:\\plain\\path\\"},
      {"%VEXT_TEST_MISSING%\\x", 260, "%VEXT_TEST_MISSING%\\x"},
      {"%VEXT_TEST_MISSING%USERPROFILE%", 260, "%VEXT_TEST_MISSING%USERPROFILE%"},
      {"100%", 260, "100%"},
      {"%%", 260, "%%"},
      {"%VEXT_TEST_JP%\\%USERPROFILE%", 260, "書類\\C:\\Users\\u"_sj},
      {"ソ%USERPROFILE%"_sj, 260, "ソC:\\Users\\u"_sj},
      {"%USERPROFILE%", 12, "C:\\Users\\u"},  // 10 bytes and the terminator fit
      {"%USERPROFILE%", 11, "C:\\Users\\u"},
      {"%USERPROFILE%", 10, ""},
      {"", 0, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text + " / " + std::to_string(row.buffer));
    EXPECT_EQ(ExpandEnvironmentStrings(CString(row.text), row.buffer), CString(row.expanded));
  }
}
