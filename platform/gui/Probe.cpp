#include "Probe.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/fontutil.h>
#include <wx/utils.h>

#include <chrono>
#include <thread>

#include "GuiThread.h"
#include "GuiUserInterface.h"
#include "StandardDialogs.h"
#include "TextLayout.h"

vext::ui::UserInterface* VextGuiCreateUserInterface() {
  vext::gui::GuiThread* gui = vext::gui::GuiThread::Instance();
  return gui ? new vext::gui::GuiUserInterface(*gui) : nullptr;
}

namespace vext::gui::probe {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(50);

// The family fontconfig gives for the window's font, and the characters
// of `texts` it has no glyph for.
void DescribeFont(const wxWindow& window, const std::vector<ControlView>& controls,
                  DialogView& view) {
  PangoContext* context = gtk_widget_get_pango_context(window.GetHandle());
  const PangoFontDescription* description = window.GetFont().GetNativeFontInfo()->description;
  PangoFont* font = pango_context_load_font(context, description);
  if (!font) return;
  PangoFontDescription* loaded = pango_font_describe(font);
  view.face = pango_font_description_get_family(loaded);
  pango_font_description_free(loaded);
  wxString all = wxString::FromUTF8(view.title);
  for (const ControlView& control : controls) {
    all += wxString::FromUTF8(control.text);
    for (const std::string& item : control.items) all += wxString::FromUTF8(item);
  }
  PangoCoverage* coverage = pango_font_get_coverage(font, pango_language_get_default());
  for (wxUniChar c : all) {
    if (c < 0x20 || c == ' ') continue;
    if (pango_coverage_get(coverage, static_cast<int>(c.GetValue())) == PANGO_COVERAGE_NONE &&
        view.missingGlyphs.find(wxString(c).utf8_str().data()) == std::string::npos)
      view.missingGlyphs += wxString(c).utf8_str().data();
  }
  pango_coverage_unref(coverage);
  g_object_unref(font);
}

// What the window manager lets the user do with the window
// (_NET_WM_ALLOWED_ACTIONS), without the prefix: "CLOSE", "MOVE"...
std::vector<std::string> AllowedActions(GdkWindow* window) {
  std::vector<std::string> actions;
  GdkDisplay* display = gdk_window_get_display(window);
  if (!GDK_IS_X11_DISPLAY(display)) return actions;
  Display* x = GDK_DISPLAY_XDISPLAY(display);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(x, "_NET_WM_ALLOWED_ACTIONS", False);
  if (XGetWindowProperty(x, GDK_WINDOW_XID(window), property, 0, 64, False, XA_ATOM, &type, &format,
                         &count, &after, &data) != Success)
    return actions;
  if (type == XA_ATOM && format == 32 && data) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      char* name = XGetAtomName(x, atoms[i]);
      if (!name) continue;
      std::string action = name;
      XFree(name);
      const std::string prefix = "_NET_WM_ACTION_";
      if (action.starts_with(prefix)) actions.push_back(action.substr(prefix.size()));
    }
  }
  if (data) XFree(data);
  return actions;
}

std::optional<DialogView> Find(unsigned templateId) {
  GuiThread* gui = GuiThread::Instance();
  if (!gui) return std::nullopt;
  return gui->Call([templateId]() -> std::optional<DialogView> {
    for (const auto& [key, window] : Windows()) {
      if (window->Template().id != templateId || !window->IsShownOnScreen()) continue;
      DialogView view;
      view.templateId = templateId;
      view.title = window->GetTitle().utf8_str().data();
      GdkWindow* gdk = gtk_widget_get_window(window->GetHandle());
      if (!gdk || !gdk_window_is_viewable(gdk)) continue;
      GdkRectangle frame;
      gdk_window_get_frame_extents(gdk, &frame);
      if (frame.width <= 1 || frame.height <= 1) continue;  // not placed yet
      view.screen = wxRect(frame.x, frame.y, frame.width, frame.height);
      view.enabled = window->IsEnabled();
      view.actions = AllowedActions(gdk);
      view.clipFrame = window->ClipFrame();
      view.busyCursor = wxIsBusy();
      view.controls = window->Controls();
      DescribeFont(*window, view.controls, view);
      return view;
    }
    return std::nullopt;
  });
}

// The toolkit's own dialog on the screen: a message box or file chooser.
GtkWidget* StandardDialog() {
  GtkWidget* found = nullptr;
  GList* windows = gtk_window_list_toplevels();
  for (GList* node = windows; node; node = node->next) {
    auto* widget = static_cast<GtkWidget*>(node->data);
    if ((GTK_IS_MESSAGE_DIALOG(widget) || GTK_IS_FILE_CHOOSER_DIALOG(widget)) &&
        gtk_widget_get_mapped(widget))
      found = widget;
  }
  g_list_free(windows);
  return found;
}

}  // namespace

std::optional<DialogView> WaitForDialog(unsigned templateId, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  std::optional<DialogView> last;
  for (;;) {
    // Once placed: the window manager may still move a window just shown.
    std::optional<DialogView> view = Find(templateId);
    if (view && last && view->screen == last->screen) return view;
    if (std::chrono::steady_clock::now() > end) return view;
    last = std::move(view);
    std::this_thread::sleep_for(kPoll);
  }
}

bool WaitForNoDialog(unsigned templateId, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  GuiThread* gui = GuiThread::Instance();
  while (gui) {
    const bool present = gui->Call([templateId] {
      for (const auto& [key, window] : Windows())
        if (window->Template().id == templateId) return true;
      return false;
    });
    if (!present) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

std::string WaitForStandardDialog(int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  GuiThread* gui = GuiThread::Instance();
  while (gui) {
    std::string title = gui->Call([] {
      GtkWidget* dialog = StandardDialog();
      const char* text = dialog ? gtk_window_get_title(GTK_WINDOW(dialog)) : nullptr;
      return dialog ? std::string(text ? text : "-") : std::string();
    });
    if (!title.empty()) return title;
    if (std::chrono::steady_clock::now() > end) return {};
    std::this_thread::sleep_for(kPoll);
  }
  return {};
}

bool Screenshot(unsigned templateId, const std::string& path) {
  GuiThread* gui = GuiThread::Instance();
  return gui && gui->Call([templateId, &path] {
    if (templateId == 0) return SaveScreenshot(StandardDialog(), path);
    for (const auto& [key, window] : Windows())
      if (window->Template().id == templateId) return SaveScreenshot(window->GetHandle(), path);
    return false;
  });
}

std::string StandardDialogContents() {
  GuiThread* gui = GuiThread::Instance();
  if (!gui) return {};
  return gui->Call([]() -> std::string {
    GtkWidget* dialog = StandardDialog();
    if (!dialog) return {};
    if (GTK_IS_MESSAGE_DIALOG(dialog)) {
      gchar* text = nullptr;
      g_object_get(dialog, "text", &text, nullptr);
      std::string contents = text ? text : "";
      g_free(text);
      return contents;
    }
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    std::string contents;
    if (gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE) {
      gchar* name = gtk_file_chooser_get_current_name(chooser);
      contents += name ? name : "";
      g_free(name);
    }
    GtkFileFilter* filter = gtk_file_chooser_get_filter(chooser);
    const char* filterName = filter ? gtk_file_filter_get_name(filter) : nullptr;
    contents += std::string("\n") + (filterName ? filterName : "") + "\n";
    gchar* folder = gtk_file_chooser_get_current_folder(chooser);
    contents += folder ? folder : "";
    g_free(folder);
    return contents;
  });
}

std::string WrapInDialog(unsigned templateId, const std::string& text, int width) {
  GuiThread* gui = GuiThread::Instance();
  if (!gui) return {};
  return gui->Call([templateId, &text, width]() -> std::string {
    for (const auto& [key, window] : Windows())
      if (window->Template().id == templateId)
        return WrapText(*window, wxString::FromUTF8(text), width).utf8_str().data();
    return {};
  });
}

std::vector<std::string> InputMethodRequests() { return InputMethodRecord(); }

}  // namespace vext::gui::probe
