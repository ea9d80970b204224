// A small dialog written as the suite's dialog classes are, for the tests
// of the dialog model: a name field, a sorted list of addressees, a radio
// group, a check box, buttons whose state follows the rest, and a button
// that opens a second dialog of the same kind.
#pragma once

#include <vector>

#include "platform/ui/Dialog.h"

constexpr int IDC_NAME = 1001;
constexpr int IDC_ADD = 1002;
constexpr int IDC_LIST = 1003;
constexpr int IDC_REMOVE = 1004;
constexpr int IDC_SAMA = 1005;
constexpr int IDC_DONO = 1006;
constexpr int IDC_COPY = 1007;
constexpr int IDC_MORE = 1008;

// The resource module that holds the dialog's template.
HINSTANCE SampleResources();

class CSampleDlg : public CDialog {
 public:
  enum { IDD = 500 };
  explicit CSampleDlg(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

  std::vector<vext::ListItem> m_entries;  // listed at opening; after OK, as listed
  CString m_name;                         // IDC_NAME
  int m_honorific = 0;                    // 0: IDC_SAMA, 1: IDC_DONO
  int m_copy = BST_UNCHECKED;             // IDC_COPY, after OK

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;

  afx_msg void OnNameChange();
  afx_msg void OnNameSetFocus();
  afx_msg void OnNameKillFocus();
  afx_msg void OnAdd();
  afx_msg void OnRemove();
  afx_msg void OnListDblClk();
  afx_msg void OnMore();
  void UpdateButtons();
  void Add(const CString& text, DWORD_PTR data);

  CEdit m_edit;
  CListBox m_list;
  DWORD_PTR m_nextData = 100;

  DECLARE_MESSAGE_MAP()
};
