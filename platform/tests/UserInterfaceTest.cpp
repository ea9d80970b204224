// The user-interaction layer: default buttons, the scripted interface that
// tests of every component rely on (records, answers, the cross-process log
// line format) and what the console prints when nobody can answer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "UiTestSupport.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/detail/ConsoleUserInterface.h"
#include "platform/ui/detail/ScriptedUserInterface.h"

namespace {

using ::testing::ElementsAre;
using vext::ui::ConsoleUserInterface;
using vext::ui::ScriptedEvent;
using vext::ui::ScriptedUserInterface;

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class FixedView : public vext::ui::WaitView {
 public:
  FixedView(CString text, int clip) : m_text(std::move(text)), m_clip(clip) {}
  CString Text() const override { return m_text; }
  int ClipId() const override { return m_clip; }

 private:
  CString m_text;
  int m_clip;
};

// Sets an environment variable for the life of the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (m_old)
      setenv(m_name, m_old->c_str(), 1);
    else
      unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

std::string TempPath(const char* stem) {
  const char* dir = std::getenv("TMPDIR");
  std::string path = std::string(dir ? dir : "/tmp") + "/" + stem + "-" + std::to_string(getpid());
  std::remove(path.c_str());
  return path;
}

// ---------------------------------------------------------------------------

TEST(MessageBoxButtons, DefaultIsTheNamedButtonOrElseTheFirst) {
  struct Row {
    UINT type;
    int expected;
  };
  const Row rows[] = {
      {MB_OK, IDOK},
      {MB_OK | MB_DEFBUTTON2, IDOK},  // no second button
      {MB_OKCANCEL | MB_ICONQUESTION, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
      {0x000F, IDOK},  // unknown button set
  };
  for (const Row& row : rows)
    EXPECT_EQ(vext::ui::DefaultButton(row.type), row.expected) << std::hex << row.type;
}

// ---------------------------------------------------------------------------

TEST(ScriptedUserInterface, AnswersQuestionsFromTheQueueThenByDefault) {
  ScriptedUserInterface ui;
  ui.QueueAnswer(IDNO);
  ui.QueueAnswer(IDCANCEL);

  EXPECT_EQ(ui.MessageBox("完了しました。"_sj, MB_OK), IDOK);  // takes nothing
  EXPECT_EQ(ui.MessageBox("上書きしますか？"_sj, MB_YESNO), IDNO);
  EXPECT_EQ(ui.MessageBox("続けますか？"_sj, MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(ui.MessageBox("削除しますか？"_sj, MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(ui.MessageBox("続けますか？"_sj, MB_OKCANCEL), IDOK);

  EXPECT_THAT(ui.Messages(), ElementsAre(CString("完了しました。"_sj),
                                         CString("上書きしますか？"_sj), CString("続けますか？"_sj),
                                         CString("削除しますか？"_sj), CString("続けますか？"_sj)));
  const auto events = ui.Events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[1].type, MB_YESNO);
  EXPECT_EQ(events[1].result, IDNO);
  EXPECT_EQ(events[4].result, IDOK);
}

TEST(ScriptedUserInterface, FileDialogs) {
  ScriptedUserInterface ui;
  ui.QueueFileResult(CString("C:\\データ\\住所録.xml"_sj));

  vext::ui::FileDialogRequest request;
  request.open = false;
  request.title = "名前を付けて保存"_sj;
  EXPECT_EQ(ui.FileDialog(request), CString("C:\\データ\\住所録.xml"_sj));
  EXPECT_EQ(ui.FileDialog(request), std::nullopt);  // queue empty: cancelled

  const auto events = ui.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, ScriptedEvent::Kind::FileDialog);
  EXPECT_EQ(events[0].chosenPath, CString("C:\\データ\\住所録.xml"_sj));
}

TEST(ScriptedUserInterface, EnvironmentLogLinesAndAnswers) {
  const std::string log = TempPath("vext-ui-log");
  const std::string answers = "no,file:/tmp/" + U8(u8"住所録.xml") + ",file:,maybe,ok";
  ScopedEnv logEnv("VEXT_UI_LOG", log.c_str());
  ScopedEnv answersEnv("VEXT_UI_ANSWERS", answers.c_str());
  auto ui = ScriptedUserInterface::FromEnvironment();

  EXPECT_EQ(
      ui->MessageBox("Sorentaシリーズ共通フォルダが取得できませんでした。"_sj, MB_OK | MB_ICONSTOP),
      IDOK);
  EXPECT_EQ(ui->MessageBox("一行目\n\t二行目\\"_sj, MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(ui->MessageBox("もう一度？"_sj, MB_OKCANCEL), IDOK);
  vext::ui::FileDialogRequest request;
  request.title = "開く"_sj;
  request.fileName = "a.xml";
  EXPECT_EQ(ui->FileDialog(request), CString("/tmp/住所録.xml"_sj));
  EXPECT_EQ(ui->FileDialog(request), std::nullopt);
  const FixedView view("しばらくお待ちください…"_sj, 207);
  ui->WaitShown(view);
  ui->WaitTextChanged(FixedView("変換中"_sj, 207));
  ui->WaitHidden(view);
  ui->BeginWaitCursor();
  ui->EndWaitCursor();

  EXPECT_THAT(
      ReadLines(log),
      ElementsAre("bad-answer\tmaybe",
                  U8(u8"message\t0010\tSorentaシリーズ共通フォルダが取得できませんでした。"),
                  U8(u8"message\t0024\t一行目\\n\\t二行目\\\\"), U8(u8"message\t0001\tもう一度？"),
                  U8(u8"file-dialog\topen\t開く\ta.xml"), U8(u8"file-dialog\topen\t開く\ta.xml"),
                  U8(u8"wait-shown\t207\tしばらくお待ちください…"), U8(u8"wait-text\t変換中"),
                  "wait-hidden", "wait-cursor\tbegin", "wait-cursor\tend"));
  std::remove(log.c_str());
}

TEST(UserInterfaceChoice, VextUiNamesTheImplementation) {
  struct Row {
    const char* value;
    bool scripted;
  };
  const Row rows[] = {{"scripted", true},
                      {"console", false},
                      {"gui", false},
                      {"nonsense", false},
                      {nullptr, false}};
  auto saved = vext::ui::SetCurrent(nullptr);
  // Without a display "gui" and the default are the console.
  const ScopedEnv x11("DISPLAY", nullptr);
  const ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
  for (const Row& row : rows) {
    ScopedEnv env("VEXT_UI", row.value);
    vext::ui::SetCurrent(nullptr);
    const auto current = vext::ui::Current();
    EXPECT_EQ(dynamic_cast<ScriptedUserInterface*>(current.get()) != nullptr, row.scripted)
        << (row.value ? row.value : "(unset)");
    EXPECT_EQ(dynamic_cast<ConsoleUserInterface*>(current.get()) != nullptr, !row.scripted)
        << (row.value ? row.value : "(unset)");
  }
  vext::ui::SetCurrent(std::move(saved));
}

TEST(UserInterfaceChoice, AfxMessageBoxGoesThroughTheInstalledImplementation) {
  auto scripted = std::make_unique<ScriptedUserInterface>();
  ScriptedUserInterface* ui = scripted.get();
  ui->QueueAnswer(IDCANCEL);
  auto saved = vext::ui::SetCurrent(std::move(scripted));
  EXPECT_EQ(AfxMessageBox("保存しますか？"_sj, MB_OKCANCEL), IDCANCEL);
  EXPECT_THAT(ui->Messages(), ElementsAre(CString("保存しますか？"_sj)));
  vext::ui::SetCurrent(std::move(saved));
}

// An interface that notes when it is destroyed while a call runs through it.
class CountingInterface : public ScriptedUserInterface {
 public:
  explicit CountingInterface(std::atomic<int>& destroyedInCall)
      : m_destroyedInCall(destroyedInCall) {}
  ~CountingInterface() override {
    if (m_running != 0) ++m_destroyedInCall;
  }
  int MessageBox(const CString& text, UINT type) override {
    ++m_running;
    std::this_thread::yield();
    const int answer = ScriptedUserInterface::MessageBox(text, type);
    --m_running;
    return answer;
  }

 private:
  std::atomic<int> m_running{0};
  std::atomic<int>& m_destroyedInCall;
};

TEST(UserInterfaceChoice, ReplacedWhileOtherThreadsCallThroughIt) {
  std::atomic<int> destroyedInCall{0};
  auto saved = vext::ui::SetCurrent(std::make_shared<CountingInterface>(destroyedInCall));
  std::atomic<bool> stop{false};
  std::vector<std::thread> callers;
  for (int i = 0; i < 3; ++i)
    callers.emplace_back([&stop] {
      while (!stop) AfxMessageBox("x", MB_OK);
    });
  for (int i = 0; i < 2000; ++i)
    vext::ui::SetCurrent(std::make_shared<CountingInterface>(destroyedInCall));
  stop = true;
  for (std::thread& caller : callers) caller.join();
  vext::ui::SetCurrent(saved);
  EXPECT_EQ(destroyedInCall, 0);
}

// ---------------------------------------------------------------------------
// The console with nobody to answer: standard input is not a terminal.

class ConsoleWithoutTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    in = std::fopen("/dev/null", "r");
    out = std::tmpfile();
    ASSERT_TRUE(in && out);
    ui = std::make_unique<ConsoleUserInterface>(in, out);
  }
  void TearDown() override {
    ui.reset();
    std::fclose(in);
    std::fclose(out);
  }
  std::FILE* in = nullptr;
  std::FILE* out = nullptr;
  std::unique_ptr<ConsoleUserInterface> ui;
};

TEST_F(ConsoleWithoutTerminal, MessagesInUtf8WithTheIconKind) {
  EXPECT_EQ(ui->MessageBox("コマンドライン引数が不正です"_sj, MB_OK), IDOK);
  EXPECT_EQ(ui->MessageBox("OLE初期化に失敗しました。"_sj, MB_OK | MB_ICONSTOP), IDOK);
  EXPECT_EQ(ui->MessageBox("確認①\r\n次の行"_sj, MB_OK | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(ui->MessageBox("終わり"_sj, MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(ReadAll(out), U8(u8"コマンドライン引数が不正です\n"
                             u8"[エラー] OLE初期化に失敗しました。\n"
                             u8"[警告] 確認①\n次の行\n"
                             u8"[情報] 終わり\n"));
}

TEST_F(ConsoleWithoutTerminal, QuestionsTakeTheDefaultButtonAndSaySo) {
  EXPECT_EQ(ui->MessageBox("上書きしますか？"_sj, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2),
            IDNO);
  EXPECT_EQ(ui->MessageBox("続けますか？"_sj, MB_OKCANCEL), IDOK);
  EXPECT_EQ(ReadAll(out),
            U8(u8"[確認] 上書きしますか？\n"
               u8"  [はい / いいえ] -> いいえ（標準入力が端末でないため既定のボタン）\n"
               u8"続けますか？\n"
               u8"  [OK / キャンセル] -> OK（標準入力が端末でないため既定のボタン）\n"));
}

TEST_F(ConsoleWithoutTerminal, FileDialogsCancel) {
  vext::ui::FileDialogRequest request;
  request.title = "ContactXMLファイル"_sj;
  EXPECT_EQ(ui->FileDialog(request), std::nullopt);
  EXPECT_EQ(ReadAll(out), U8(u8"[ファイルを開く] ContactXMLファイル\n"
                             u8"  -> キャンセル（標準入力が端末でないため）\n"));
}

TEST_F(ConsoleWithoutTerminal, WaitDialogIsSilentWhenOutputIsNoTerminal) {
  const FixedView view("しばらくお待ちください…"_sj, 205);
  ui->WaitShown(view);
  ui->WaitTextChanged(view);
  ui->WaitHidden(view);
  EXPECT_EQ(ReadAll(out), "");
}

TEST(ConsoleOnStandardError, AfxMessageBoxWritesUtf8ToStandardError) {
  std::FILE* capture = std::tmpfile();
  ASSERT_NE(capture, nullptr);
  std::fflush(stderr);
  const int savedErr = dup(STDERR_FILENO);
  const int savedIn = dup(STDIN_FILENO);
  const int devNull = open("/dev/null", O_RDONLY);
  dup2(fileno(capture), STDERR_FILENO);
  dup2(devNull, STDIN_FILENO);
  auto saved = vext::ui::SetCurrent(std::make_unique<ConsoleUserInterface>());
  const int answer = AfxMessageBox("メモリ不足です"_sj, MB_OKCANCEL | MB_DEFBUTTON2);
  vext::ui::SetCurrent(std::move(saved));
  std::fflush(stderr);
  dup2(savedErr, STDERR_FILENO);
  dup2(savedIn, STDIN_FILENO);
  close(savedErr);
  close(savedIn);
  close(devNull);
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(ReadAll(capture),
            U8(u8"メモリ不足です\n"
               u8"  [OK / キャンセル] -> キャンセル（標準入力が端末でないため既定のボタン）\n"));
  std::fclose(capture);
}

// ---------------------------------------------------------------------------
// The console on a terminal: a pseudo-terminal plays the user.

class ConsoleOnTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    terminal = std::fopen(ptsname(master), "r+");
    ASSERT_NE(terminal, nullptr);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  }
  void TearDown() override {
    if (terminal) std::fclose(terminal);
    close(master);
  }
  void Type(const std::string& text) {
    ASSERT_EQ(write(master, text.data(), text.size()), ssize_t(text.size()));
  }
  // Whatever the terminal showed so far (echo included).
  std::string Screen() {
    std::string shown;
    char buffer[4096];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, 200) > 0) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      shown.append(buffer, static_cast<std::size_t>(n));
    }
    return shown;
  }
  int master = -1;
  std::FILE* terminal = nullptr;
};

TEST_F(ConsoleOnTerminal, QuestionsAreAnsweredByTheUser) {
  std::FILE* out = std::tmpfile();
  ConsoleUserInterface ui(terminal, out);
  Type("no\n");
  EXPECT_EQ(ui.MessageBox("上書きしますか？"_sj, MB_YESNO), IDNO);
  Type("what\n2\n");  // not a button: asked again
  EXPECT_EQ(ui.MessageBox("続けますか？"_sj, MB_OKCANCEL), IDCANCEL);
  Type(U8(u8"はい\n"));
  EXPECT_EQ(ui.MessageBox("削除しますか？"_sj, MB_YESNO | MB_DEFBUTTON2), IDYES);
  Type("\n");  // Enter: the default button
  EXPECT_EQ(ui.MessageBox("削除しますか？"_sj, MB_YESNO | MB_DEFBUTTON2), IDNO);
  const std::string shown = ReadAll(out);
  EXPECT_NE(shown.find(U8(u8"  [はい / いいえ]（既定: はい）> ")), std::string::npos) << shown;
  EXPECT_NE(shown.find(U8(u8"  [OK / キャンセル]（既定: OK）> ")), std::string::npos) << shown;
  std::fclose(out);
}

TEST_F(ConsoleOnTerminal, FileDialogReadsAPathAndAddsTheDefaultExtension) {
  std::FILE* out = std::tmpfile();
  ConsoleUserInterface ui(terminal, out);
  vext::ui::FileDialogRequest request;
  request.defaultExt = "xml";
  request.fileName = "addr.xml";
  Type(U8(u8"/home/ユーザー/住所録\n"));
  EXPECT_EQ(ui.FileDialog(request), CString("/home/ユーザー/住所録.xml"_sj));
  Type("\n");  // Enter takes the proposed name
  EXPECT_EQ(ui.FileDialog(request), CString("addr.xml"));
  Type("a.b/c\n");  // the dot is in a folder name
  EXPECT_EQ(ui.FileDialog(request), CString("a.b/c.xml"));
  std::fclose(out);
}

TEST_F(ConsoleOnTerminal, WaitSpinnerShowsTheTextAndClearsTheLine) {
  std::FILE* in = std::fopen("/dev/null", "r");
  {
    ConsoleUserInterface ui(in, terminal);
    ui.WaitShown(FixedView("しばらくお待ちください…"_sj, 210));
    ui.WaitHidden(FixedView("しばらくお待ちください…"_sj, 210));
  }
  const std::string shown = Screen();
  EXPECT_NE(shown.find(U8(u8" しばらくお待ちください…")), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 4), "\r\x1b[K");
  std::fclose(in);
}

}  // namespace
