#include "DialogWindow.h"

#include <gtk/gtk.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/vlbox.h>

#include <algorithm>

#include "ClipView.h"
#include "FontTable.h"
#include "TextLayout.h"
#include "platform/ui/InputMethod.h"
#include "platform/ui/TextMetrics.h"

namespace vext::gui {

namespace {

constexpr int kDefaultTabStop = 32;  // dialog units, as the list box's default
constexpr int kIconSize = 32;

}  // namespace

// A single-selection list whose items may hold TABs, which move to the
// list's tab stops (dialog units). With a horizontal scroll bar it scrolls
// across the width the dialog class gave it.
class ItemList final : public wxVListBox {
 public:
  ItemList(wxWindow* parent, const wxRect& rect, int baseWidth, bool horizontal)
      : wxVListBox(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(),
                   wxBORDER_SUNKEN | (horizontal ? wxHSCROLL : 0)),
        m_baseWidth(baseWidth),
        m_horizontal(horizontal) {
    // Scroll bars that stay, as a list box's do, rather than GTK's overlay
    // ones that show only under the pointer.
    if (GtkWidget* widget = GetHandle(); widget && GTK_IS_SCROLLED_WINDOW(widget))
      gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(widget), FALSE);
    if (!horizontal) return;
    for (const auto& type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
          wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
          wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
      Bind(type, &ItemList::OnScroll, this);
  }

  void Present(const WindowState& state) {
    m_items.clear();
    for (const ListItem& item : state.items) m_items.push_back(ToWx(item.text));
    m_tabStops = state.tabStops;
    m_extent = state.horizontalExtent;
    SetItemCount(m_items.size());
    SetSelection(state.selection);
    if (state.topIndex > 0 && static_cast<std::size_t>(state.topIndex) < m_items.size())
      ScrollToRow(static_cast<std::size_t>(state.topIndex));
    UpdateHorizontal();
    RefreshAll();
  }

  const std::vector<wxString>& Items() const { return m_items; }
  // The width the horizontal scroll bar spans; 0 when it has none.
  int ScrollWidth() const { return m_horizontal ? GetScrollRange(wxHORIZONTAL) : 0; }

  // The pixel position of the tab stop after `x`.
  int NextStop(int x) const {
    const auto pixels = [this](int units) { return units * m_baseWidth / 4; };
    for (int stop : m_tabStops)
      if (pixels(stop) > x) return pixels(stop);
    const int each = pixels(m_tabStops.size() == 1 ? m_tabStops.front() : kDefaultTabStop);
    if (each <= 0) return x;
    int stop = m_tabStops.size() > 1 ? pixels(m_tabStops.back()) : 0;
    while (stop <= x) stop += each;
    return stop;
  }

 private:
  // Where each TAB-separated piece of `text` starts, and where it ends.
  template <typename Piece>
  int Lay(wxDC& dc, const wxString& text, Piece piece) const {
    int x = 2;
    for (const wxString& part : wxSplit(text, '\t', 0)) {
      if (x > 2) x = NextStop(x - 2) + 2;
      piece(part, x);
      x += dc.GetTextExtent(part).x;
    }
    return x;
  }

  void UpdateHorizontal() {
    if (!m_horizontal) return;
    int width = m_extent;
    // The stand-in font runs a little wider than the one the class
    // measured with: no item is cut short of what the class allowed for.
    if (width > 0) {
      wxClientDC dc(this);
      dc.SetFont(GetFont());
      for (const wxString& item : m_items)
        width = std::max(width, Lay(dc, item, [](const wxString&, int) {}) + 2);
    }
    const int view = GetClientSize().x;
    if (width <= view) {
      m_offset = 0;
      SetScrollbar(wxHORIZONTAL, 0, 0, 0);
      return;
    }
    m_offset = std::clamp(m_offset, 0, width - view);
    SetScrollbar(wxHORIZONTAL, m_offset, view, width);
  }

  void OnScroll(wxScrollWinEvent& event) {
    if (event.GetOrientation() != wxHORIZONTAL) {
      event.Skip();
      return;
    }
    const int view = GetClientSize().x;
    const int last = std::max(0, GetScrollRange(wxHORIZONTAL) - view);
    const int line = GetCharWidth() * 2;
    const wxEventType type = event.GetEventType();
    int offset = event.GetPosition();
    if (type == wxEVT_SCROLLWIN_TOP) offset = 0;
    if (type == wxEVT_SCROLLWIN_BOTTOM) offset = last;
    if (type == wxEVT_SCROLLWIN_LINEUP) offset = m_offset - line;
    if (type == wxEVT_SCROLLWIN_LINEDOWN) offset = m_offset + line;
    if (type == wxEVT_SCROLLWIN_PAGEUP) offset = m_offset - view;
    if (type == wxEVT_SCROLLWIN_PAGEDOWN) offset = m_offset + view;
    m_offset = std::clamp(offset, 0, last);
    SetScrollPos(wxHORIZONTAL, m_offset);
    RefreshAll();
  }

  void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override {
    dc.SetFont(GetFont());
    dc.SetTextForeground(IsSelected(n) ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)
                                       : GetForegroundColour());
    Lay(dc, m_items[n],
        [&](const wxString& part, int x) { dc.DrawText(part, rect.x + x - m_offset, rect.y + 1); });
  }
  wxCoord OnMeasureItem(size_t /*n*/) const override { return GetCharHeight() + 2; }

  std::vector<wxString> m_items;
  std::vector<int> m_tabStops;
  int m_baseWidth;
  bool m_horizontal;
  int m_extent = 0;  // pixels, as the dialog class set it
  int m_offset = 0;  // pixels scrolled to the left
};

namespace {

// The frame the template asks for: a close box with the system menu,
// minimise and maximise boxes only when asked, resizable only with a thick
// frame.
long DialogStyle(const DialogTemplate& dialog) {
  long style = 0;
  if ((dialog.style & WS_CAPTION) == WS_CAPTION) style |= wxCAPTION;
  if (dialog.style & WS_SYSMENU) style |= wxSYSTEM_MENU | wxCLOSE_BOX;
  if (dialog.style & WS_MINIMIZEBOX) style |= wxMINIMIZE_BOX;
  if (dialog.style & WS_MAXIMIZEBOX) style |= wxMAXIMIZE_BOX;
  if (dialog.style & WS_THICKFRAME) style |= wxRESIZE_BORDER;
  if (!(dialog.style & WS_CAPTION)) style |= wxBORDER_RAISED | wxFRAME_TOOL_WINDOW;
  return style;
}

bool IsGroupStart(const DialogTemplate& dialog, std::size_t index) {
  const DialogControl& control = dialog.controls[index];
  return (control.style & WS_GROUP) || index == 0 ||
         dialog.controls[index - 1].kind != ControlKind::RadioButton;
}

}  // namespace

DialogWindow::DialogWindow(wxWindow* owner, const DialogTemplate& dialogTemplate,
                           const DialogState& state, const std::vector<ControlUpdate>& clips,
                           Sink sink)
    : wxDialog(owner, wxID_ANY, ToWx(state.window.text), wxDefaultPosition, wxDefaultSize,
               DialogStyle(dialogTemplate)),
      m_template(dialogTemplate),
      m_sink(std::move(sink)) {
  SetFont(DialogFont(dialogTemplate.fontName, dialogTemplate.pointSize));
  SetClientSize(PixelSize(dialogTemplate));
  Build(state, clips);
  Bind(wxEVT_CHAR_HOOK, &DialogWindow::OnCharHook, this);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    if (event.CanVeto()) event.Veto();
    // The close box is Escape: the dialog decides.
    Send({UserEvent::Kind::Action, {DialogAction::Kind::Cancel, 0, 0, {}}, 0, 0});
  });
  if (owner)
    CentreOnParent();
  else
    CentreOnScreen();
  ApplyDialog(state.window);
  ApplyFocus(state.focus);
}

void DialogWindow::Build(const DialogState& state, const std::vector<ControlUpdate>& clips) {
  const std::span<const DialogControl> controls = m_template.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const DialogControl& control = controls[i];
    wxWindow* window = Make(control, PixelRect(m_template, control), IsGroupStart(m_template, i));
    window->SetFont(GetFont());
    m_items.push_back({&control, window, WindowState{}, {}});
  }
  for (Item& item : m_items) {
    const WindowState* initial = nullptr;
    for (const WindowState& candidate : state.controls)
      if (candidate.control == item.control) initial = &candidate;
    const AnimationClip* clip = nullptr;
    for (const ControlUpdate& update : clips)
      if (update.state.control == item.control) clip = &update.clip;
    if (!initial) continue;
    ShowState(item, *initial, clip, true);
    // A request made while the dialog initialised, before it had a window.
    if (initial->imeOpen || initial->imeConversion)
      RequestInputMethod(item.control->id, initial->imeOpen, initial->imeConversion);
  }
}

wxWindow* DialogWindow::Make(const DialogControl& control, const wxRect& rect, bool groupStart) {
  const int id = control.id;
  const auto action = [this, id](DialogAction::Kind kind, int index = 0, CString text = {}) {
    Send({UserEvent::Kind::Action, {kind, id, index, std::move(text)}, 0, 0});
  };
  wxWindow* window = nullptr;
  switch (control.kind) {
    case ControlKind::Static:
      window = new wxStaticText(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize(),
                                wxST_NO_AUTORESIZE);
      break;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
      auto* button = new wxButton(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize());
      if (control.kind == ControlKind::DefPushButton) button->SetDefault();
      button->Bind(wxEVT_BUTTON, [action](wxCommandEvent&) { action(DialogAction::Kind::Click); });
      window = button;
      break;
    }
    case ControlKind::RadioButton: {
      auto* radio = new wxRadioButton(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize(),
                                      groupStart ? wxRB_GROUP : 0);
      radio->Bind(wxEVT_RADIOBUTTON,
                  [action](wxCommandEvent&) { action(DialogAction::Kind::Click); });
      window = radio;
      break;
    }
    case ControlKind::CheckBox: {
      auto* check = new wxCheckBox(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize());
      check->Bind(wxEVT_CHECKBOX, [action](wxCommandEvent&) { action(DialogAction::Kind::Click); });
      window = check;
      break;
    }
    case ControlKind::Edit: {
      long style = 0;
      if (control.style & ES_MULTILINE) style |= wxTE_MULTILINE;
      if (control.style & ES_READONLY) style |= wxTE_READONLY;
      auto* edit = new wxTextCtrl(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize(), style);
      edit->Bind(wxEVT_TEXT, [this, action, edit](wxCommandEvent&) {
        if (!m_applying) action(DialogAction::Kind::Text, 0, FromWx(edit->GetValue()));
      });
      window = edit;
      break;
    }
    case ControlKind::ListBox: {
      auto* list = new ItemList(this, rect, CDC(m_template.pointSize).BaseUnits().cx,
                                (control.style & WS_HSCROLL) != 0);
      list->Bind(wxEVT_LISTBOX, [action, list](wxCommandEvent&) {
        if (list->GetSelection() >= 0) action(DialogAction::Kind::Select, list->GetSelection());
      });
      list->Bind(wxEVT_LISTBOX_DCLICK, [action, list](wxCommandEvent&) {
        if (list->GetSelection() >= 0)
          action(DialogAction::Kind::DoubleClick, list->GetSelection());
      });
      window = list;
      break;
    }
    case ControlKind::GroupBox:
      window = new wxStaticBox(this, wxID_ANY, "", rect.GetPosition(), rect.GetSize());
      break;
    case ControlKind::Icon: {
      const wxBitmap icon = wxArtProvider::GetBitmap(wxART_INFORMATION, wxART_MESSAGE_BOX,
                                                     wxSize(kIconSize, kIconSize));
      window = new wxStaticBitmap(this, wxID_ANY, icon, rect.GetPosition(),
                                  wxSize(kIconSize, kIconSize));
      break;
    }
    case ControlKind::Animation: window = new ClipView(this, rect); break;
  }
  window->Bind(wxEVT_SET_FOCUS, [this, id](wxFocusEvent& event) {
    event.Skip();
    if (id != IDC_STATIC) m_focus = id;
    if (!m_applying && id != IDC_STATIC) Send({UserEvent::Kind::Focus, {}, id, 0});
  });
  return window;
}

void DialogWindow::Send(UserEvent event) {
  event.sequence = ++m_sent;
  m_sink(event);
}

void DialogWindow::ShowState(Item& item, const WindowState& state, const AnimationClip* clip,
                             bool force) {
  m_applying = true;
  wxWindow* window = item.window;
  const WindowState& before = item.state;
  const bool textChanged = force || state.text != before.text;
  switch (item.control->kind) {
    case ControlKind::Static:
      if (textChanged) {
        window->SetLabel(WrapText(*window, ToWx(state.text), window->GetSize().x));
      }
      break;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::GroupBox:
      if (textChanged) window->SetLabel(ToWx(state.text));
      break;
    case ControlKind::RadioButton:
      if (textChanged) Relabel(*window, ToWx(state.text));
      static_cast<wxRadioButton*>(window)->SetValue(state.check == BST_CHECKED);
      break;
    case ControlKind::CheckBox:
      if (textChanged) Relabel(*window, ToWx(state.text));
      static_cast<wxCheckBox*>(window)->SetValue(state.check == BST_CHECKED);
      break;
    case ControlKind::Edit: {
      auto* edit = static_cast<wxTextCtrl*>(window);
      if (textChanged && edit->GetValue() != ToWx(state.text)) edit->ChangeValue(ToWx(state.text));
      break;
    }
    case ControlKind::ListBox: {
      auto* list = static_cast<ItemList*>(window);
      const bool itemsChanged =
          force || state.items.size() != before.items.size() ||
          !std::equal(state.items.begin(), state.items.end(), before.items.begin(),
                      [](const auto& a, const auto& b) { return a.text == b.text; }) ||
          state.tabStops != before.tabStops || state.topIndex != before.topIndex ||
          state.horizontalExtent != before.horizontalExtent;
      if (itemsChanged)
        list->Present(state);
      else if (list->GetSelection() != state.selection)
        list->SetSelection(state.selection);
      break;
    }
    case ControlKind::Animation:
      static_cast<ClipView*>(window)->Present(clip && clip->id ? clip : nullptr, state.playing);
      break;
    case ControlKind::Icon: break;
  }
  if (force || state.enabled != before.enabled) window->Enable(state.enabled);
  if (force || state.visible != before.visible) window->wxWindow::Show(state.visible);
  item.state = state;
  m_applying = false;
}

void DialogWindow::Relabel(wxWindow& window, const wxString& label) {
  window.SetLabel(label);
  // The stand-in font runs a little wider than the one the template was
  // laid out for: a check mark's text may take the free room to its right
  // rather than be cut.
  GtkRequisition least;
  gtk_widget_get_preferred_size(window.GetHandle(), &least, nullptr);
  const wxSize size = window.GetSize();
  if (least.width > size.x && window.GetPosition().x + least.width <= GetClientSize().x)
    window.SetSize(least.width, size.y);
}

void DialogWindow::Apply(const ControlUpdate& update, int seen) {
  Item* item = ItemOf(update.state.control);
  if (!item) return;
  WindowState state = update.state;
  // The user typed on meanwhile: the dialog has not seen the latest text yet.
  if (item->control->kind == ControlKind::Edit && seen < m_sent) state.text = item->state.text;
  ShowState(*item, state, &update.clip, false);
}

void DialogWindow::ApplyDialog(const WindowState& state) {
  m_applying = true;
  SetTitle(ToWx(state.text));
  const bool enabling = state.enabled && !IsEnabled();
  Enable(state.enabled);
  // Disabled, the window lost the keyboard focus: the dialog's focus
  // control takes it back.
  if (enabling)
    if (Item* item = ItemOf(m_focus)) item->window->SetFocus();
  m_applying = false;
}

void DialogWindow::ApplyFocus(int id) {
  m_focus = id;
  Item* item = ItemOf(id);
  if (!item || item->window->HasFocus()) return;
  m_applying = true;
  item->window->SetFocus();
  m_applying = false;
}

std::string DialogWindow::RequestInputMethod(int id, bool open, DWORD conversion) {
  Item* item = ItemOf(id);
  if (!item || item->control->kind != ControlKind::Edit) return "no edit field";
  // GTK has no call that switches an input method on or off; its entries
  // tell the input method what they expect, which Japanese input methods
  // read: free text (kana-kanji conversion) or plain letters.
  GtkWidget* widget = item->window->GetHandle();
  if (!widget || !GTK_IS_ENTRY(widget)) return item->inputMethod = "recorded";
  const bool japanese = open && (conversion & IME_CMODE_NATIVE);
  gtk_entry_set_input_purpose(GTK_ENTRY(widget),
                              japanese ? GTK_INPUT_PURPOSE_FREE_FORM : GTK_INPUT_PURPOSE_ALPHA);
  return item->inputMethod = japanese ? "free form" : "alpha";
}

DialogWindow::Item* DialogWindow::ItemOf(const wxWindow* window) {
  for (Item& item : m_items)
    if (item.window == window) return &item;
  return nullptr;
}

DialogWindow::Item* DialogWindow::ItemOf(int id) {
  if (id == 0 || id == IDC_STATIC) return nullptr;
  for (Item& item : m_items)
    if (item.control->id == id) return &item;
  return nullptr;
}

DialogWindow::Item* DialogWindow::ItemOf(const DialogControl* control) {
  for (Item& item : m_items)
    if (item.control == control) return &item;
  return nullptr;
}

std::size_t DialogWindow::GroupStart(std::size_t index) const {
  while (index > 0 && !IsGroupStart(m_template, index)) --index;
  return index;
}

std::size_t DialogWindow::GroupEnd(std::size_t index) const {
  ++index;
  while (index < m_items.size() && !IsGroupStart(m_template, index)) ++index;
  return index;
}

DialogWindow::Item* DialogWindow::NextTabStop(const wxWindow* focus, bool forward) {
  const std::size_t count = m_items.size();
  if (count == 0) return nullptr;
  const auto reachable = [](const Item& item) {
    return item.window->IsShown() && item.window->IsEnabled();
  };
  const auto isRadio = [this](std::size_t i) {
    return m_items[i].control->kind == ControlKind::RadioButton;
  };
  // Where the search starts: a radio button stands for its whole group.
  std::size_t from = forward ? count - 1 : 0;
  std::size_t groupStart = count;  // the focused radio group's first control; none
  if (const Item* current = ItemOf(focus)) {
    const auto at = static_cast<std::size_t>(current - m_items.data());
    from = at;
    if (isRadio(at)) {
      groupStart = GroupStart(at);
      from = forward ? GroupEnd(at) - 1 : groupStart;
    }
  }
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t i = forward ? (from + step) % count : (from + count - step) % count;
    Item& item = m_items[i];
    if (!(item.control->style & WS_TABSTOP) || !reachable(item)) continue;
    if (!isRadio(i)) return &item;
    const std::size_t start = GroupStart(i);
    if (start == groupStart) continue;
    // A radio group is entered at its checked button.
    for (std::size_t j = start; j < GroupEnd(i); ++j)
      if (m_items[j].state.check == BST_CHECKED && reachable(m_items[j])) return &m_items[j];
    return &item;
  }
  return nullptr;
}

void DialogWindow::OnCharHook(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (key == WXK_TAB && !event.ControlDown() && !event.AltDown()) {
    // Only the controls with WS_TABSTOP, in template order; the focus
    // event that follows tells the dialog.
    if (Item* next = NextTabStop(FindFocus(), !event.ShiftDown())) next->window->SetFocus();
    return;
  }
  if (key == WXK_ESCAPE) {
    Send({UserEvent::Kind::Action, {DialogAction::Kind::Cancel, 0, 0, {}}, 0, 0});
    return;
  }
  if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
    const wxWindow* focus = FindFocus();
    const Item* item = ItemOf(focus);
    const bool ownEnter =
        item &&
        (item->control->kind == ControlKind::PushButton ||
         item->control->kind == ControlKind::DefPushButton ||
         (item->control->kind == ControlKind::Edit && (item->control->style & ES_MULTILINE)));
    if (!ownEnter) {
      Send({UserEvent::Kind::Action, {DialogAction::Kind::Default, 0, 0, {}}, 0, 0});
      return;
    }
  }
  event.Skip();
}

std::vector<ControlView> DialogWindow::Controls() const {
  std::vector<ControlView> views;
  for (const Item& item : m_items) {
    ControlView view;
    view.id = item.control->id;
    view.kind = item.control->kind;
    view.screen = item.window->GetScreenRect();
    view.enabled = item.window->IsEnabled();
    view.shown = item.window->IsShown();
    view.focused = item.window->HasFocus();
    view.checked = item.state.check == BST_CHECKED;
    view.selection = item.state.selection;
    wxString shown = item.window->GetLabel();
    if (item.control->kind == ControlKind::Edit)
      shown = static_cast<const wxTextCtrl*>(item.window)->GetValue();
    if (item.control->kind == ControlKind::ListBox) {
      view.scrollWidth = static_cast<const ItemList*>(item.window)->ScrollWidth();
      for (const wxString& text : static_cast<const ItemList*>(item.window)->Items())
        view.items.emplace_back(text.utf8_str().data());
    }
    view.text = shown.utf8_str().data();
    view.inputMethod = item.inputMethod;
    view.fitProblem = FitProblem(*item.window, *item.control, shown, item.window->GetSize());
    views.push_back(std::move(view));
  }
  return views;
}

int DialogWindow::ClipFrame() const {
  for (const Item& item : m_items)
    if (item.control->kind == ControlKind::Animation)
      return static_cast<const ClipView*>(item.window)->Frame();
  return -1;
}

}  // namespace vext::gui
