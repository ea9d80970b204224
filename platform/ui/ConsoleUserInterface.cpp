#include "platform/ui/detail/ConsoleUserInterface.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "platform/text/Ascii.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogActions.h"
#include "platform/ui/detail/ConsoleDialog.h"

namespace vext::ui {

namespace {

constexpr std::size_t kMaxInputLine = 4096;
constexpr auto kSpinnerPeriod = std::chrono::milliseconds(100);
constexpr const char* kClearLine = "\r\x1b[K";

bool IsTerminal(std::FILE* file) { return file && isatty(fileno(file)) == 1; }

const char* ButtonName(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "キャンセル"_sj;
    case IDYES: return "はい"_sj;
    case IDNO: return "いいえ"_sj;
    default: return "?";
  }
}

// How a dialog that nobody works was ended, and why.
CString Unattended(CDialog& dialog, const char* because) {
  const DialogModel* model = dialog.Model();
  CString button;
  if (const WindowState* control = model ? model->State().Find(model->DefaultId()) : nullptr)
    button = control->text;
  if (EndUnattended(dialog) == DialogAction::Kind::Default)
    return "  -> [" + button + "]（"_sj + because + "既定のボタン）\n"_sj;
  return CString("  -> キャンセル（"_sj) + because + "既定のボタンは押せません）\n"_sj;
}

CString ActionHelp() {
  return CString("  操作: click:番号 / check:番号 / select:番号:項目 / dblclick:番号:項目"_sj) +
         " / text:番号:文字 / ok / cancel（空行で既定のボタン）\n"_sj;
}

// "[エラー] " and so on: the icon a message box would show.
const char* IconPrefix(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return "[エラー] "_sj;
    case MB_ICONQUESTION: return "[確認] "_sj;
    case MB_ICONEXCLAMATION: return "[警告] "_sj;
    case MB_ICONINFORMATION: return "[情報] "_sj;
    default: return "";
  }
}

CString ButtonList(const std::vector<int>& buttons) {
  CString list("  [");
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (i) list += " / ";
    list += ButtonName(buttons[i]);
  }
  return list + "]";
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A typed answer (UTF-8 from the terminal) as one of `buttons`, or 0.
int ParseAnswer(const std::string& typed, const std::vector<int>& buttons, int defaultButton) {
  const std::string answer = Trim(typed);
  if (answer.empty()) return defaultButton;
  if (answer.size() == 1 && answer[0] >= '1' && answer[0] <= '9') {
    const std::size_t index = static_cast<std::size_t>(answer[0] - '1');
    return index < buttons.size() ? buttons[index] : 0;
  }
  const std::string lower = ToLowerAscii(answer);
  for (int button : buttons) {
    const bool matches = lower == Cp932ToUtf8Lossy(ButtonName(button)) ||
                         (button == IDOK && (lower == "ok" || lower == "o")) ||
                         (button == IDCANCEL && (lower == "cancel" || lower == "c")) ||
                         (button == IDYES && (lower == "yes" || lower == "y")) ||
                         (button == IDNO && (lower == "no" || lower == "n"));
    if (matches) return button;
  }
  return 0;
}

}  // namespace

struct ConsoleUserInterface::State {
  std::FILE* in;
  std::FILE* out;
  std::mutex mutex;  // guards everything below and the output
  std::condition_variable wake;
  std::thread spinner;
  bool spinning = false;
  bool paused = false;
  std::string waitText;  // UTF-8

  // Writes CP932 text as UTF-8; the caller holds `mutex`.
  void Write(const CString& cp932) {
    if (spinning && !paused) std::fputs(kClearLine, out);
    std::fputs(Cp932ToUtf8Lossy(cp932.view()).c_str(), out);
    std::fflush(out);
  }

  // One line from the terminal; nullopt at end of input. Overlong lines are
  // cut, never buffered whole.
  std::optional<std::string> ReadLine() {
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF && c != '\n')
      if (line.size() < kMaxInputLine) line += static_cast<char>(c);
    if (c == EOF && line.empty()) return std::nullopt;
    return line;
  }

  // One frame of the spinner; the caller holds `mutex`.
  void Draw(std::size_t frame) {
    static constexpr char kFrames[] = {'|', '/', '-', '\\'};
    std::fprintf(out, "\r%c %s\x1b[K", kFrames[frame % 4], waitText.c_str());
    std::fflush(out);
  }

  void Spin() {
    std::unique_lock lock(mutex);
    for (std::size_t frame = 1;; ++frame) {
      wake.wait_for(lock, kSpinnerPeriod);
      if (!spinning) break;
      if (!paused) Draw(frame);
    }
    std::fputs(kClearLine, out);
    std::fflush(out);
  }

  void StopSpinner() {
    {
      std::lock_guard lock(mutex);
      spinning = false;
    }
    wake.notify_all();
    if (spinner.joinable()) spinner.join();
  }
};

ConsoleUserInterface::ConsoleUserInterface(std::FILE* in, std::FILE* out)
    : m_state(std::make_unique<State>()) {
  m_state->in = in;
  m_state->out = out;
}

ConsoleUserInterface::~ConsoleUserInterface() { m_state->StopSpinner(); }

int ConsoleUserInterface::MessageBox(const CString& text, UINT type) {
  const std::vector<int> buttons = ButtonsOf(type);
  const int defaultButton = DefaultButton(type);
  CString message = IconPrefix(type) + text;
  message.Replace("\r\n", "\n");
  message += "\n";

  std::unique_lock lock(m_state->mutex);
  if (buttons.size() == 1) {
    m_state->Write(message);
    return buttons.front();
  }
  if (!IsTerminal(m_state->in)) {
    m_state->Write(message + ButtonList(buttons) + " -> " + ButtonName(defaultButton) +
                   "（標準入力が端末でないため既定のボタン）\n"_sj);
    return defaultButton;
  }
  m_state->Write(message);
  m_state->paused = true;
  int answer = 0;
  while (answer == 0) {
    m_state->Write(ButtonList(buttons) + "（既定: "_sj + ButtonName(defaultButton) + "）> "_sj);
    const std::optional<std::string> line = m_state->ReadLine();
    if (!line) {
      answer = defaultButton;
      m_state->Write(CString("\n  -> ") + ButtonName(answer) +
                     "（入力の終わりのため既定のボタン）\n"_sj);
    } else {
      answer = ParseAnswer(*line, buttons, defaultButton);
    }
  }
  m_state->paused = false;
  return answer;
}

std::optional<CString> ConsoleUserInterface::FileDialog(const FileDialogRequest& request) {
  CString heading = request.open ? "[ファイルを開く] "_sj : "[名前を付けて保存] "_sj;
  heading += request.title + "\n";

  std::unique_lock lock(m_state->mutex);
  if (!IsTerminal(m_state->in)) {
    m_state->Write(heading + "  -> キャンセル（標準入力が端末でないため）\n"_sj);
    return std::nullopt;
  }
  m_state->Write(heading);
  m_state->paused = true;
  std::optional<CString> chosen;
  for (;;) {
    CString prompt = "  ファイル名"_sj;
    if (!request.fileName.IsEmpty()) prompt += "（既定: "_sj + request.fileName + "）"_sj;
    m_state->Write(prompt + "（Ctrl+D で取り消し）> "_sj);
    const std::optional<std::string> line = m_state->ReadLine();
    if (!line) {
      m_state->Write("\n");
      break;
    }
    const std::string typed = Trim(*line);
    if (typed.empty()) {
      if (!request.fileName.IsEmpty()) chosen = request.fileName;
      break;
    }
    if (const std::optional<std::string> path = Utf8ToCp932(typed)) {
      chosen = CString(*path);
      break;
    }
    m_state->Write("  この名前はシフトJISで表せません。\n"_sj);
  }
  m_state->paused = false;
  if (chosen && !request.defaultExt.IsEmpty()) {
    // As the file dialog did: a name without an extension gets the default one.
    const int slash = std::max(chosen->ReverseFind('\\'), chosen->ReverseFind('/'));
    if (chosen->Find('.', slash + 1) < 0) *chosen += "." + request.defaultExt;
  }
  return chosen;
}

int ConsoleUserInterface::DoModal(CDialog& dialog) {
  if (!dialog.Model()) return -1;
  const auto running = [&dialog] { return dialog.Model() && !dialog.Model()->Ended(); };
  const auto show = [this](const CString& text) {
    std::lock_guard lock(m_state->mutex);
    m_state->Write(text);
  };
  show(RenderDialogText(*dialog.Model()));
  if (!IsTerminal(m_state->in)) {
    show(Unattended(dialog, "標準入力が端末でないため"_sj));
    return dialog.Model() ? dialog.Model()->Result() : -1;
  }
  bool wasPaused;
  {
    std::lock_guard lock(m_state->mutex);
    wasPaused = std::exchange(m_state->paused, true);
  }
  show(ActionHelp());
  // The lock is not held while the dialog works: its handlers may show
  // messages and dialogs of their own.
  while (running()) {
    std::optional<std::string> line;
    {
      std::lock_guard lock(m_state->mutex);
      m_state->Write("> ");
      line = m_state->ReadLine();
    }
    if (!line) {
      show("\n" + Unattended(dialog, "入力の終わりのため"_sj));
      break;
    }
    const std::string typed = Trim(*line);
    const std::optional<DialogAction> action =
        typed.empty() ? std::optional(DialogAction{DialogAction::Kind::Default, 0, 0, {}})
                      : ParseDialogAction(typed);
    if (!action) {
      show(ActionHelp());
      continue;
    }
    if (const ActionRefusal refusal = PerformDialogAction(dialog, *action);
        refusal != ActionRefusal::None) {
      show(CString("  ") + RefusalText(refusal) + "\n");
      continue;
    }
    if (running()) show(RenderDialogText(*dialog.Model()));
  }
  {
    std::lock_guard lock(m_state->mutex);
    m_state->paused = wasPaused;
  }
  return dialog.Model() ? dialog.Model()->Result() : -1;
}

void ConsoleUserInterface::WaitShown(const WaitView& view) {
  if (!IsTerminal(m_state->out)) return;
  m_state->StopSpinner();
  std::lock_guard lock(m_state->mutex);
  m_state->waitText = Cp932ToUtf8Lossy(view.Text().view());
  m_state->spinning = true;
  m_state->paused = false;
  m_state->Draw(0);  // at once: the operation may be over before the first tick
  m_state->spinner = std::thread([state = m_state.get()] { state->Spin(); });
}

void ConsoleUserInterface::WaitTextChanged(const WaitView& view) {
  std::lock_guard lock(m_state->mutex);
  m_state->waitText = Cp932ToUtf8Lossy(view.Text().view());
}

void ConsoleUserInterface::WaitHidden(const WaitView& /*view*/) { m_state->StopSpinner(); }

}  // namespace vext::ui
