// CCnvInItemDlg: which column of the file being read fills which form
// field. The left list holds the columns of the file's first record not
// yet given to a field ("%.3d " and the value; data: the column); the
// right one every form field, with its column when it has one ("name",
// TAB, "%.3d " and the value; data: column * 65536 + order number, or the
// order number alone).
//
// The current definition at opening is the first reading default that
// has columns, else the last reading definition. OK rebuilds it from the
// right list and moves it to the front of the reading definitions, where
// the reading takes it from; nothing is stored. "開く" and "保存" store
// the settings.
#pragma once

#include <vector>

#include "UserCnvData.h"
#include "platform/ui/Dialog.h"

class CCnvInItemDlg : public CDialog {
 public:
  enum { IDD = 134 };

  // `preview`: the fields of the file's first record; `quoted`: the
  // file's layout, given to the definitions stored here.
  CCnvInItemDlg(CUserCnvData& settings, const std::vector<CString>& preview, BOOL quoted,
                CWnd* parent = nullptr);

  // Shown from RecConv's templates. IDOK or IDCANCEL.
  INT_PTR DoModal() override;

  CCnvDefData* Current() const { return m_current; }

  // Right-list item data.
  static DWORD_PTR FieldData(DWORD column, DWORD order) {
    return static_cast<DWORD_PTR>(column) * 65536 + order;
  }
  static DWORD ColumnOf(DWORD_PTR data) { return static_cast<DWORD>(data / 65536); }
  static DWORD OrderOf(DWORD_PTR data) { return static_cast<DWORD>(data % 65536); }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  afx_msg void OnAssociate();
  afx_msg void OnRelease();
  afx_msg void OnRestoreDefault();
  afx_msg void OnOpenDefs();
  afx_msg void OnSaveDef();
  afx_msg void OnColumnDblClk();
  afx_msg void OnFieldDblClk();
  afx_msg void UpdateButtons();
  void PickStartingDefinition();
  void Fill();
  // Whether the selected field has a column; false without a selection.
  bool SelectedFieldHasColumn() const;
  // The fields that have a column, in list order, into `def`'s lists.
  void CollectAssociations(CCnvDefData& def) const;

  CUserCnvData& m_settings;
  const std::vector<CString>& m_preview;
  BOOL m_quoted;
  CCnvDefData* m_current = nullptr;
  CListBox m_columns;  // left
  CListBox m_fields;   // right

  DECLARE_MESSAGE_MAP()
};
