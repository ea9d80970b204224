#include "GuiThread.h"

#include <X11/Xlib.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/init.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vext::gui {

namespace {

// Keeps the widgets to the sizes the dialog templates give them: the
// theme's paddings and minimum heights are made for roomier layouts.
constexpr const char* kCompactStyle = R"(
button { padding: 0px; min-height: 0px; min-width: 0px; }
radiobutton, checkbutton { padding: 0px; min-height: 0px; }
radio, check { margin: 0px 2px 0px 0px; min-width: 13px; min-height: 13px; }
entry { padding: 0px 3px; min-height: 0px; }
)";

class App final : public wxApp {
 public:
  bool OnInit() override {
    // The toolkit lives as long as the process, windows or not.
    SetExitOnFrameDelete(false);
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kCompactStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
    return true;
  }
};

bool DisplayOpens() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland) return true;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

// The toolkit thread's life: started once, stopped when the library goes
// at the end of the process, before the toolkit's own statics.
class Runner {
 public:
  GuiThread* Start() {
    std::unique_lock lock(m_mutex);
    if (m_state == State::NotStarted) {
      m_state = State::Starting;
      m_thread = std::thread([this] { Run(); });
    }
    // A thread that asks while another starts the toolkit waits for it too.
    m_changed.wait(lock, [this] { return m_state != State::Starting; });
    return m_state == State::Running ? &m_gui : nullptr;
  }

  bool IsCurrent() const { return m_thread.get_id() == std::this_thread::get_id(); }

  ~Runner() {
    {
      std::lock_guard lock(m_mutex);
      if (m_state == State::Running && wxTheApp)
        wxTheApp->CallAfter([] { wxTheApp->ExitMainLoop(); });
    }
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  enum class State { NotStarted, Starting, Running, Failed };

  void Run() {
    // Without a display the toolkit would fail later, and less kindly.
    if (!DisplayOpens()) {
      Set(State::Failed);
      return;
    }
    wxApp::SetInstance(new App);  // owned by the toolkit from here on
    int argc = 1;
    char name[] = "vext";
    char* argv[] = {name, nullptr};
    const bool started = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
    Set(started ? State::Running : State::Failed);
    if (!started) {
      wxEntryCleanup();
      return;
    }
    wxTheApp->OnRun();
    wxTheApp->OnExit();
    wxEntryCleanup();
  }

  void Set(State state) {
    {
      std::lock_guard lock(m_mutex);
      m_state = state;
    }
    m_changed.notify_all();
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  State m_state = State::NotStarted;
  std::thread m_thread;
  GuiThread m_gui;
};

Runner g_runner;

}  // namespace

GuiThread* GuiThread::Instance() { return g_runner.Start(); }

void GuiThread::Post(const std::function<void()>& work) { wxTheApp->CallAfter(work); }

bool GuiThread::IsCurrent() const { return g_runner.IsCurrent(); }

}  // namespace vext::gui
