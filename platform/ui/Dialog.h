// Dialogs: one model for every dialog of the system.
//
// A dialog is a class with its own state and behaviour that runs without
// any toolkit. Its template is data (DialogTemplate.h); while it has a
// window, every control has a live state (WindowState.h: texts, list items
// and their data, selection, enabled, visible, checked, focus, tab stops),
// and the user's actions (DialogActions.h) reach the class through its
// message map, as on Windows. The current user interface (UserInterface.h)
// only draws the states and forwards the actions: the scripted one from a
// queue, the console one from the terminal, a desktop one from the mouse.
//
// WRITING A DIALOG CLASS
//
// 1. The template, in the library's resource module (ids as in the
//    resource script; positions and sizes in dialog units):
//
//      constexpr vext::DialogControl kChoiceControls[] = {
//          {14000, vext::ControlKind::Static, 7, 7, 186, 38, 0, "選択してください。"_sj},
//          {14001, vext::ControlKind::RadioButton, 7, 61, 137, 11, WS_GROUP | WS_TABSTOP,
//           "Radio1"},
//          {14002, vext::ControlKind::RadioButton, 7, 85, 143, 13, 0, "Radio2"},
//          {IDOK, vext::ControlKind::DefPushButton, 38, 164, 50, 14, WS_TABSTOP, "OK"},
//          {IDCANCEL, vext::ControlKind::PushButton, 105, 164, 50, 14, WS_TABSTOP,
//           "ｷｬﾝｾﾙ"_sj},
//      };
//      constexpr vext::DialogTemplate kDialogs[] = {
//          {14000, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 199, 185,
//           "選択してください"_sj, "ＭＳ Ｐゴシック"_sj, 9, kChoiceControls}};
//      constexpr vext::ResourceModule kModule{kDialogs, {}};
//
//    Lists take LBS_NOTIFY to report selections and double clicks,
//    LBS_SORT to sort, LBS_USETABSTOPS for TABs in items; WS_DISABLED
//    starts a control disabled; WS_GROUP starts a radio group.
//
// 2. The class, as with MFC:
//
//      class CChoiceDlg : public CDialog {
//       public:
//        enum { IDD = 14000 };
//        explicit CChoiceDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}
//        CString m_text;
//        int m_choice = 0;
//       protected:
//        void DoDataExchange(CDataExchange* pDX) override {
//          CDialog::DoDataExchange(pDX);
//          DDX_Text(pDX, 14000, m_text);
//          DDX_Radio(pDX, 14001, m_choice);  // 0: 14001 checked, 1: 14002
//        }
//        BOOL OnInitDialog() override;       // CDialog's runs UpdateData(FALSE)
//        afx_msg void OnAdd();               // ON_BN_CLICKED(1017, OnAdd)
//        DECLARE_MESSAGE_MAP()
//      };
//
//    Controls are reached through members bound by DDX_Control
//    (DDX_Control(pDX, 1011, m_list) with a CListBox m_list) or through
//    GetDlgItem: static_cast<CListBox*>(GetDlgItem(1011)) is safe, as the
//    object's class follows the control's kind. OnOK (IDOK) moves the
//    controls' data to the members and ends with IDOK; OnCancel ends with
//    IDCANCEL; a handler may end the dialog itself with EndDialog.
//
// 3. Running it: the library's template must be current while the dialog
//    runs, as with the framework's resource handle:
//
//      vext::ResourceScope resources(Resources());
//      CChoiceDlg dialog;
//      if (dialog.DoModal() == IDOK) use(dialog.m_choice);
//
//    DoModal creates the window from the template, disables the owner,
//    runs OnInitDialog, hands the dialog to the current user interface
//    until it ends, destroys the window and returns the end code (-1 when
//    the template is not in the current resource module). A dialog a
//    handler opens runs nested in the same way, its owner disabled.
//
// Unlike on Windows, the dialog class hears only of what the user does:
// code that sets a text, a selection or a check sends no notification
// (no EN_CHANGE from SetWindowText). Focus changes (EN_SETFOCUS,
// EN_KILLFOCUS) reach it whoever moves the focus. Everything happens on
// the dialog's thread.
//
// TESTING ONE
//
// The scripted interface (platform/ui/detail/ScriptedUserInterface.h)
// plays the user from a queue of scripts, one per dialog in the order they
// open: ui.QueueDialog({"select:1011:2", "click:1017", "ok"}). It records
// the dialog's state as shown and after every action. A process gets the
// same through $VEXT_UI_ANSWERS ("dialog:select:1011:2;click:1017;ok").
//
// DRAWING ONE (an implementation of UserInterface::DoModal)
//
// DoModal(CDialog& dialog) receives the dialog initialised and shown.
// dialog.Model() has the template (size, font, controls with their kinds,
// styles and positions in dialog units; TextMetrics.h converts with the
// font's base units) and the state of the dialog and of each control. The
// implementation draws them, installs itself with SetObserver to redraw a
// control the moment it changes, delivers every user action with
// PerformDialogAction (DialogActions.h), on the dialog's thread, and
// returns once Model()->Ended() (its Result() is the end code),
// uninstalling its observer. When nobody can answer, EndUnattended ends
// the dialog as Enter or Escape would. A modeless dialog (the wait dialog)
// is offered as WaitView::Dialog() while it is shown.
#pragma once

#include <memory>

#include "platform/ui/Controls.h"
#include "platform/ui/DialogModel.h"
#include "platform/ui/TextMetrics.h"
#include "platform/ui/UserInterface.h"
#include "platform/ui/Window.h"

class AFX_API CDataExchange {
 public:
  CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
      : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd) {}
  BOOL m_bSaveAndValidate;  // TRUE: controls to members, FALSE: members to controls
  CWnd* m_pDlgWnd;
};

AFX_API void DDX_Text(CDataExchange* pDX, int id, CString& value);
// The radio group that starts at `firstId`: the index of its checked button
// (-1 when none is), or the button to check.
AFX_API void DDX_Radio(CDataExchange* pDX, int firstId, int& value);
// Attaches `control` to the dialog's control `id`, once.
AFX_API void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class AFX_API CDialog : public CWnd {
 public:
  CDialog();
  // A modal dialog of template `templateId`, owned by `parent` (null: the
  // main window, if any).
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  virtual INT_PTR DoModal();
  // Ends a modal dialog with `result`, which DoModal returns.
  void EndDialog(int result);

  // Creates the modeless dialog from the template of the current resource
  // module: makes its windows, runs OnInitDialog and shows it when the
  // template is visible. FALSE when the template is missing or the dialog
  // already has a window.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  BOOL DestroyWindow() override;

  // TRUE gives the focus to the first control with WS_TABSTOP; a dialog
  // that sets the focus itself returns FALSE.
  virtual BOOL OnInitDialog();
  // Moves data between controls and members; FALSE without a window.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // The owner, while it still has the window it had when it became owner.
  CWnd* GetParent() const;
  // Dialog units to pixels, with the dialog's font.
  void MapDialogRect(LPRECT rect) const;

  // The live state, for implementations of the user interface and tests;
  // null without a window.
  vext::DialogModel* Model() const { return m_dialogModel.get(); }

 protected:
  virtual void OnOK();
  virtual void OnCancel();
  void SetParentWindow(CWnd* parent);

  CWnd* m_pParentWnd = nullptr;
  UINT m_nIDTemplate = 0;

  DECLARE_MESSAGE_MAP()

 private:
  // Gives the dialog its windows from the current resource module.
  bool CreateWindows(UINT templateId);

  HWND m_parentHandle = nullptr;
  std::unique_ptr<vext::DialogModel> m_dialogModel;
};
