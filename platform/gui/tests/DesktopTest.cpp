// The desktop interface as a person works it, on a virtual X server: each
// dialog opened by its real caller on a thread of its own (as a host's
// user-interface thread), worked with the mouse and keyboard (xdotool),
// and judged by what the caller got back and what the windows show. Each
// test leaves a picture of its dialogs in $VEXT_SCREENS_DIR (default: the
// build folder's screens/), which docs/screens/ keeps.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

#include "HostTable.h"
#include "Probe.h"
#include "RecConv.h"
#include "RecConvTestSupport.h"
#include "SnXmlConv.h"
#include "Spawn.h"
#include "VEXTMSG.h"
#include "platform/text/Sj.h"

namespace {

namespace fs = std::filesystem;
namespace probe = vext::gui::probe;
using vext::test::U8;

constexpr int kWait = 10000;  // ms for a window to come

void Xdo(const std::string& arguments) {
  ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
}

void Click(const probe::DialogView& dialog, int id) {
  const vext::gui::ControlView* control = dialog.Control(id);
  ASSERT_TRUE(control) << id;
  const wxPoint centre = control->screen.GetPosition() + control->screen.GetSize() / 2;
  Xdo("mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) + " click 1");
}

void ClickOn(unsigned templateId, int id) {
  if (const std::optional<probe::DialogView> dialog = probe::WaitForDialog(templateId, kWait))
    Click(*dialog, id);
}

using Check = std::function<bool()>;

bool Within(int ms, const Check& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// Does `act` until `done` holds: input that comes while a new window is
// still being placed on a busy machine may be lost, and is given again.
void Until(const std::function<void()>& act, const Check& done, const std::string& what) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    act();
    if (Within(3000, done)) return;
  }
  ADD_FAILURE() << "never happened: " << what;
}

Check Shows(unsigned templateId, std::function<bool(const probe::DialogView&)> test) {
  return [templateId, test = std::move(test)] {
    const std::optional<probe::DialogView> dialog = probe::WaitForDialog(templateId, 0);
    return dialog && test(*dialog);
  };
}
Check Opened(unsigned templateId) {
  return [templateId] { return probe::WaitForDialog(templateId, 0).has_value(); };
}
Check Gone(unsigned templateId) {
  return [templateId] { return probe::WaitForNoDialog(templateId, 0); };
}
bool StandardDialogShown() { return !probe::WaitForStandardDialog(0).empty(); }

fs::path Screens() {
  const char* dir = std::getenv("VEXT_SCREENS_DIR");
  const fs::path folder =
      dir ? fs::path(dir) : fs::path(std::getenv("VEXT_TEST_BINARY_DIR")) / "screens";
  fs::create_directories(folder);
  return folder;
}

// The dialog, drawn in the stand-in gothic without a missing glyph and
// with every text inside its control; its picture saved as `name`.
probe::DialogView Drawn(unsigned templateId, const std::string& name) {
  std::optional<probe::DialogView> dialog = probe::WaitForDialog(templateId, kWait);
  if (!dialog) {
    ADD_FAILURE() << "dialog " << templateId << " did not come";
    return {};
  }
  EXPECT_EQ(dialog->face, "IPAPGothic") << templateId;
  EXPECT_EQ(dialog->missingGlyphs, "") << templateId;
  for (const vext::gui::ControlView& control : dialog->controls)
    EXPECT_EQ(control.fitProblem, "") << templateId << "/" << control.id << " " << control.text;
  EXPECT_TRUE(probe::Screenshot(templateId, (Screens() / name).string()));
  return *dialog;
}

// Waits for the answer of a call running on a host thread.
template <typename T>
T Result(std::future<T>& call) {
  if (call.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    // The call waits on a window nobody will work: no way on but out.
    ADD_FAILURE() << "the call never returned";
    std::fflush(nullptr);
    std::_Exit(1);
  }
  return call.get();
}

TEST(Desktop, TheWaitDialogPlaysUntilAnotherThreadEndsIt) {
  std::promise<HWND> shown;
  std::promise<bool> closedInTime;
  std::thread host([&] {
    CWaitDlg wait(0);
    shown.set_value(wait.m_hWnd);
    // The host's message loop: the end message comes from another thread.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (wait.m_hWnd && std::chrono::steady_clock::now() < end) {
      vext::PumpMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    closedInTime.set_value(wait.m_hWnd == nullptr);
  });
  const HWND window = shown.get_future().get();
  const probe::DialogView first = Drawn(CWaitDlg::IDD, "wait-151.png");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  const std::optional<probe::DialogView> later = probe::WaitForDialog(CWaitDlg::IDD, kWait);
  ASSERT_TRUE(later);
  EXPECT_NE(later->clipFrame, first.clipFrame) << "the clip plays";
  EXPECT_TRUE(first.busyCursor);
  EXPECT_EQ(first.title, "");
  ASSERT_TRUE(first.Control(1017));
  EXPECT_EQ(first.Control(1017)->text, U8(u8"しばらくお待ちください…"));
  // Centred on the screen, as it has no owner.
  const wxPoint centre = first.screen.GetPosition() + first.screen.GetSize() / 2;
  EXPECT_NEAR(centre.x, 640, 4);
  EXPECT_NEAR(centre.y, 512, 4);

  ASSERT_TRUE(PostMessage(window, WM_USER_ENDINFODLG, 0, 0));
  auto closed = closedInTime.get_future();
  EXPECT_TRUE(Result(closed));
  host.join();
  EXPECT_TRUE(probe::WaitForNoDialog(CWaitDlg::IDD, kWait));
}

// A dialog with a control that Tab passes by (no WS_TABSTOP), one that it
// skips while disabled, a radio group whose second button is checked and a
// list wider than it shows; it shows a wait dialog over itself when asked.
constexpr int kName = 101, kHelp = 102, kList = 103, kFirst = 104, kSecond = 105, kCopy = 106;
constexpr vext::DialogControl kOwnerControls[] = {
    {kName, vext::ControlKind::Edit, 7, 7, 100, 12, WS_TABSTOP, ""},
    {kHelp, vext::ControlKind::PushButton, 115, 7, 50, 14, 0, "ヘルプ"_sj},
    {kList, vext::ControlKind::ListBox, 7, 26, 100, 40,
     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY, ""},
    {kFirst, vext::ControlKind::RadioButton, 115, 26, 50, 10, WS_GROUP | WS_TABSTOP, "様"_sj},
    {kSecond, vext::ControlKind::RadioButton, 115, 40, 50, 10, 0, "殿"_sj},
    {kCopy, vext::ControlKind::CheckBox, 7, 72, 100, 10, WS_GROUP | WS_TABSTOP | WS_DISABLED,
     "控えを印刷する"_sj},
    {IDOK, vext::ControlKind::DefPushButton, 60, 90, 50, 14, WS_TABSTOP, "OK"},
    {IDCANCEL, vext::ControlKind::PushButton, 115, 90, 50, 14, WS_TABSTOP, "ｷｬﾝｾﾙ"_sj},
};
constexpr vext::DialogTemplate kOwnerDialogs[] = {
    {600, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 172, 112, "宛先"_sj,
     "ＭＳ Ｐゴシック"_sj, 9, kOwnerControls}};
constexpr vext::ResourceModule kOwnerModule{kOwnerDialogs, {}};

class COwnerDlg : public CDialog {
 public:
  enum { IDD = 600 };
  static constexpr UINT kShowWait = WM_USER + 1;
  static constexpr UINT kEndWait = WM_USER + 2;
  COwnerDlg() : CDialog(IDD, nullptr) {}
  std::atomic<int> m_nameFocused{0};  // times the name field got the focus

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    auto* list = static_cast<CListBox*>(GetDlgItem(kList));
    list->AddString("髙橋 一郎　大阪府大阪市北区梅田一丁目一番地"_sj);
    list->SetHorizontalExtent(400);
    static_cast<CButton*>(GetDlgItem(kSecond))->SetCheck(BST_CHECKED);
    GetDlgItem(kName)->SetFocus();
    return FALSE;
  }
  void OnNameSetFocus() { ++m_nameFocused; }
  LRESULT OnShowWait(WPARAM /*unused*/, LPARAM /*unused*/) {
    vext::SetMainWindow(this);
    m_wait = std::make_unique<CWaitDlg>(0);
    vext::SetMainWindow(nullptr);
    return 0;
  }
  LRESULT OnEndWait(WPARAM /*unused*/, LPARAM /*unused*/) {
    m_wait.reset();
    return 0;
  }
  std::unique_ptr<CWaitDlg> m_wait;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COwnerDlg, CDialog)
ON_EN_SETFOCUS(kName, OnNameSetFocus)
ON_MESSAGE(kShowWait, OnShowWait)
ON_MESSAGE(kEndWait, OnEndWait)
END_MESSAGE_MAP()

TEST(Desktop, TabStopsFrameAndAWaitDialogOverItsOwner) {
  COwnerDlg dialog;
  auto call = std::async(std::launch::async, [&dialog] {
    vext::ResourceScope resources(&kOwnerModule);
    return dialog.DoModal();
  });
  const probe::DialogView sample = Drawn(COwnerDlg::IDD, "owner-600.png");

  // Only a close box: neither minimised, resized nor maximised.
  EXPECT_NE(std::find(sample.actions.begin(), sample.actions.end(), "CLOSE"), sample.actions.end());
  for (const char* refused : {"MINIMIZE", "RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"})
    EXPECT_EQ(std::find(sample.actions.begin(), sample.actions.end(), refused),
              sample.actions.end())
        << refused;
  // The list scrolls across its widest item.
  EXPECT_GT(sample.Control(kList)->scrollWidth, sample.Control(kList)->screen.width);

  // Tab visits the tab stops in template order, passing by the help
  // button and the disabled check box, entering the radio group at its
  // checked button; the dialog hears of each move.
  const struct {
    const char* key;
    int focus;
  } steps[] = {
      {"Tab", kList},       {"Tab", kSecond},        {"Tab", IDOK},       {"Tab", IDCANCEL},
      {"Tab", kName},       {"shift+Tab", IDCANCEL}, {"shift+Tab", IDOK}, {"shift+Tab", kSecond},
      {"shift+Tab", kList}, {"shift+Tab", kName},
  };
  const auto focused = [](int id) {
    return Shows(COwnerDlg::IDD, [id](const probe::DialogView& v) {
      const vext::gui::ControlView* control = v.Control(id);
      return control && control->focused;
    });
  };
  ASSERT_TRUE(Within(kWait, focused(kName)));
  const HWND window = dialog.m_hWnd;
  for (const auto& step : steps) {
    Xdo(std::string("key ") + step.key);
    EXPECT_TRUE(Within(3000, focused(step.focus))) << step.key << " to " << step.focus;
  }
  // At the start, and twice by Tab.
  EXPECT_TRUE(Within(3000, [&dialog] { return dialog.m_nameFocused == 3; }))
      << dialog.m_nameFocused;
  // A wait dialog over it: centred on it, and it disabled until the wait
  // dialog goes.
  ASSERT_TRUE(PostMessage(window, COwnerDlg::kShowWait, 0, 0));
  const std::optional<probe::DialogView> wait = probe::WaitForDialog(CWaitDlg::IDD, kWait);
  ASSERT_TRUE(wait);
  const auto centre = [](const wxRect& r) { return r.GetPosition() + r.GetSize() / 2; };
  EXPECT_NEAR(centre(wait->screen).x, centre(sample.screen).x, 4);
  EXPECT_NEAR(centre(wait->screen).y, centre(sample.screen).y, 20);
  EXPECT_TRUE(
      Within(3000, Shows(COwnerDlg::IDD, [](const probe::DialogView& v) { return !v.enabled; })));
  ASSERT_TRUE(PostMessage(window, COwnerDlg::kEndWait, 0, 0));
  EXPECT_TRUE(probe::WaitForNoDialog(CWaitDlg::IDD, kWait));
  EXPECT_TRUE(
      Within(3000, Shows(COwnerDlg::IDD, [](const probe::DialogView& v) { return v.enabled; })));
  // The keyboard reaches it again.
  Until([] { Xdo("key Escape"); }, Gone(COwnerDlg::IDD), "the sample dialog closed");
  EXPECT_EQ(Result(call), IDCANCEL);
}

TEST(Desktop, TheConverterShowsItsWaitDialogWhileItWorks) {
  vext::test::ScratchDir dir;
  fs::create_directories(dir / "c" / "Common");
  fs::create_directories(dir / "drives");
  fs::create_directories(dir / "shots");
  fs::create_symlink(dir / "c", dir / "drives" / "c:");
  vext::test::WriteBytes(dir / "registry.reg",
                         "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\NQ\\SorentaV\\CommonV]\r\n"
                         "\"CommonDir\"=\"C:\\\\Common\"\r\n");
  vext::test::WriteBytes(dir / "c" / "Common" / "xmlSnc.csv",
                         "090-1111-2222,5300001,"_sj
                         "大阪府,大阪市北区,梅田,1-1,27127,髙橋 ①郎,\r\n"_sj);
  const fs::path program =
      fs::path(std::getenv("VEXT_TEST_BINARY_DIR")) / "converter" / "xmlSncConv";
  const vext::test::ChildRun run =
      vext::test::Spawn(program.string(), {"/W:\"C:\\book.xml\""},
                        {{"VEXT_REGISTRY", (dir / "registry.reg").string()},
                         {"VEXT_DRIVES", (dir / "drives").string()},
                         {"VEXT_RUNTIME_DIR", (dir / "run").string()},
                         {"VEXT_UI", "gui"},
                         {"VEXT_GUI_SCREENSHOTS", (dir / "shots").string()}});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(fs::exists(dir / "c" / "book.xml"));
  EXPECT_FALSE(fs::exists(dir / "c" / "Common" / "xmlSnc.csv"));
  // Drawn by the converter's own process while it worked.
  EXPECT_GT(fs::file_size(dir / "shots" / "151.png"), 1000u);
}

TEST(Desktop, TheCompanyOrPersonQuestionAndAMessageBox) {
  vext::test::ScratchDir dir;
  vext::test::WriteBytes(
      dir / "book.xml",
      U8(u8"<?xml version='1.0' encoding='UTF-8'?>\n"
         u8"<ContactXML xmlns='http://www.xmlns.org/2002/ContactXML' version='1.1'>"
         u8"<ContactXMLItem><Address>"
         u8"<AddressItem locationType='Home'><FullAddress>自宅</FullAddress></AddressItem>"
         u8"<AddressItem locationType='Office'><FullAddress>会社</FullAddress></AddressItem>"
         u8"</Address></ContactXMLItem></ContactXML>\n"));
  vext::test::HostTable table({"Address"});
  const CString path = vext::test::SystemPath(dir / "book.xml");
  auto call = std::async(std::launch::async, [&] {
    CContactXmlConv conv;
    return conv.ImportContactXML(path, 0, table.get());
  });
  const probe::DialogView choice = Drawn(14000, "choice-14000.png");
  EXPECT_EQ(choice.title, U8(u8"会社/個人の選択"));
  EXPECT_TRUE(choice.Control(14001)->checked);

  // Labels break at any character and only there; closing punctuation
  // never starts a line.
  const struct {
    std::string text;
    int width;  // pixels
    std::size_t lines;
  } labels[] = {
      {U8(u8"どちらを読み込むか選択して【OK】をクリックしてください。"), 120, 3},
      {U8(u8"あいう、えお。かき"), 37, 3},  // three characters a line; 、 and 。 stay
      {U8(u8"しばらくお待ちください…"), 400, 1},
      {"a\nb", 400, 2},
  };
  for (const auto& label : labels) {
    const std::string wrapped = probe::WrapInDialog(14000, label.text, label.width);
    std::string joined;
    std::size_t lines = 1;
    for (std::size_t at = 0; at < wrapped.size(); ++at) {
      if (wrapped[at] != '\n') {
        joined += wrapped[at];
        continue;
      }
      ++lines;
      if (label.text.find('\n') != std::string::npos) joined += '\n';
      for (const std::string& closing : {U8(u8"、"), U8(u8"。"), U8(u8"）"), U8(u8"…")})
        EXPECT_NE(wrapped.compare(at + 1, closing.size(), closing), 0) << wrapped;
    }
    EXPECT_EQ(joined, label.text);
    EXPECT_EQ(lines, label.lines) << wrapped;
  }
  Until([] { ClickOn(14000, 14002); },  // the person's data
        Shows(14000, [](const probe::DialogView& v) { return v.Control(14002)->checked; }),
        "the second choice checked");
  Until([] { ClickOn(14000, IDOK); }, Gone(14000), "the question closed");
  EXPECT_EQ(Result(call), 1);
  ASSERT_EQ(table.Records(), 1);
  EXPECT_EQ(vext::test::Utf8(table.Row(1).GetAt(1).str()), U8(u8"自宅"));

  // A question whose default is the second button: Enter takes it.
  auto question = std::async(std::launch::async, [] {
    return AfxMessageBox("上書きしますか?"_sj, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  });
  ASSERT_NE(probe::WaitForStandardDialog(kWait), "");
  EXPECT_EQ(probe::StandardDialogContents(), U8(u8"上書きしますか?"));
  EXPECT_TRUE(probe::Screenshot(0, (Screens() / "message-box.png").string()));
  Until([] { Xdo("key Return"); }, [] { return !StandardDialogShown(); }, "the box closed");
  EXPECT_EQ(Result(question), IDNO);
}

TEST(Desktop, RecordsWrittenAndReadBackThroughTheFourDialogs) {
  using namespace recconv_test;
  Suite suite;
  auto previous = vext::ui::SetCurrent(vext::ui::CreateFromEnvironment());
  constexpr UINT kForm = 1001;
  suite.MakeFormat(FormJson(kForm, 1, {{1, "date"}, {2, "name"}, {3, "memo"}}));
  CKorbe95Data data;
  auto doc = Suite::NewDoc(kForm);
  Fill(*doc, 0, {{1, "1-1"}, {2, "①㈱髙"_sj}, {3, "x"}});
  data.GetVextDocList().AddTail(doc.release());
  CWnd owner;
  owner.CreateEx(WS_VISIBLE);
  const auto convert = [&](int isExport, CKorbe95Data& target) {
    return std::async(std::launch::async, [&target, &owner, isExport] {
      CVextCnvProc proc(&owner);
      CString name("Slips");
      return proc.VextCnvInOut(isExport, kForm, 0, &target, name, 0);
    });
  };
  const fs::path folder = suite.install.Native("");
  // The user's documents, where the save dialog starts.
  const fs::path documents = suite.install.root().path() / "c" / "Users" / "u" / "Documents";
  fs::create_directories(documents);

  // Writing: the save dialog, given a name without its extension.
  auto writing = convert(1, data);
  ASSERT_NE(probe::WaitForStandardDialog(kWait), "");
  EXPECT_EQ(
      probe::StandardDialogContents(),
      "Slips.TXT\nText Files (*.txt)\n" +
          (suite.install.root().path() / "drives" / "c:" / "Users" / "u" / "Documents").string());
  EXPECT_TRUE(probe::Screenshot(0, (Screens() / "save-dialog.png").string()));
  Until(
      [&] {
        Xdo("key ctrl+a");
        Xdo("type --delay 10 '" + (folder / "out").string() + "'");
        Xdo("key Return");
      },
      Opened(133), "the name taken");

  const probe::DialogView order = Drawn(133, "out-order-133.png");
  EXPECT_FALSE(order.Control(IDOK)->enabled);
  const auto chosen = [](const probe::DialogView& v) { return v.Control(1010)->items.size() == 3; };
  Until([] { ClickOn(133, 1000); }, Shows(133, chosen), "every field chosen");  // in order
  std::optional<probe::DialogView> moved = probe::WaitForDialog(133, kWait);
  ASSERT_TRUE(moved);
  EXPECT_EQ(moved->Control(1010)->items,
            (std::vector<std::string>{"date\t1-1", U8(u8"name\t①㈱髙"), "memo\tx"}));
  EXPECT_TRUE(moved->Control(IDOK)->enabled);

  // Stored under a title typed into the title dialog, whose field asks
  // for Japanese input.
  Until([] { ClickOn(133, 1021); }, Opened(132), "the title dialog");
  const probe::DialogView title = Drawn(132, "title-132.png");
  EXPECT_EQ(title.Control(1001)->inputMethod, "free form");
  EXPECT_FALSE(title.Control(IDOK)->enabled);
  Until(
      [] {
        Xdo("key ctrl+a");
        Xdo("type --delay 10 abc");
      },
      Shows(132,
            [](const probe::DialogView& v) {
              return v.Control(1001)->text == "abc" && v.Control(IDOK)->enabled;
            }),
      "the title typed");
  Until([] { ClickOn(132, IDOK); }, Gone(132), "the title dialog closed");

  // The stored definitions, listed by the list dialog; Escape leaves it.
  Until([] { ClickOn(133, 1020); }, Opened(131), "the list dialog");
  const probe::DialogView list = Drawn(131, "list-131.png");
  ASSERT_TRUE(list.Control(1009));
  EXPECT_EQ(list.Control(1009)->items, std::vector<std::string>{"abc"});
  Until([] { Xdo("key Escape"); }, Gone(131), "the list dialog closed");

  Until([] { ClickOn(133, IDOK); }, StandardDialogShown, "the end message");
  Until([] { Xdo("key Return"); }, [] { return !StandardDialogShown(); }, "the message closed");
  EXPECT_EQ(Result(writing), 1);
  EXPECT_EQ(vext::test::ReadBytes(folder / "out.TXT"), "\"1-1\",\"①㈱髙\",\"x\"\r\n"_sj);

  // Reading it back: the open dialog, then the item dialog, column k to
  // field k.
  CKorbe95Data back;
  auto reading = convert(0, back);
  ASSERT_NE(probe::WaitForStandardDialog(kWait), "");
  // The open dialog starts in the installed data folder.
  EXPECT_EQ(probe::StandardDialogContents(),
            "\nText Files (*.txt)\n" + folder.parent_path().string());
  EXPECT_TRUE(probe::Screenshot(0, (Screens() / "open-dialog.png").string()));
  Until(
      [&] {
        Xdo("key ctrl+l");
        Xdo("type --delay 10 '" + (folder / "out.TXT").string() + "'");
        Xdo("key Return");
      },
      Opened(134), "the file opened");
  Drawn(134, "in-item-134.png");
  for (int column = 0; column < 3; ++column) {
    const std::optional<probe::DialogView> now = probe::WaitForDialog(134, kWait);
    ASSERT_TRUE(now);
    const std::vector<std::string> before = now->Control(1010)->items;
    Until([] { ClickOn(134, 1017); },
          Shows(134,
                [before](const probe::DialogView& v) { return v.Control(1010)->items != before; }),
          "a column associated");
  }
  Until([] { ClickOn(134, IDOK); }, Gone(134), "the item dialog closed");
  EXPECT_EQ(Result(reading), 1);
  ASSERT_EQ(back.GetVextDocList().GetCount(), 1);
  EXPECT_EQ(Value(*back.GetVextDocList().GetHead(), 2, 0), "①㈱髙"_sj);
  vext::ui::SetCurrent(previous);
}

}  // namespace
