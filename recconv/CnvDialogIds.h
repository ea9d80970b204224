// Template and control ids of RecConv's dialogs, as its resource script
// numbers them.
#pragma once

namespace vext::recconv {

// CCnvListDlg (131): the stored definitions.
constexpr int IDD_CNV_LIST = 131;
constexpr int IDC_DEF_LIST = 1009;
constexpr int IDC_DEF_DELETE = 4;

// CCnvTitleDlg (132): a definition's title.
constexpr int IDD_CNV_TITLE = 132;
constexpr int IDC_TITLE_EDIT = 1001;

// CCnvOutOrderDlg (133): writing order.
constexpr int IDD_CNV_OUT_ORDER = 133;
// CCnvInItemDlg (134): reading association.
constexpr int IDD_CNV_IN_ITEM = 134;

// Shared by the two main dialogs.
constexpr int IDC_LEFT_LIST = 1011;   // columns of the file / fields not chosen
constexpr int IDC_RIGHT_LIST = 1010;  // form fields / writing order
constexpr int IDC_RESTORE_DEFAULT = 1014;
constexpr int IDC_OPEN_DEFS = 1020;
constexpr int IDC_SAVE_DEF = 1021;

// CCnvInItemDlg only.
constexpr int IDC_ASSOCIATE = 1017;
constexpr int IDC_RELEASE = 1019;

// CCnvOutOrderDlg only.
constexpr int IDC_MOVE_RIGHT = 1012;
constexpr int IDC_MOVE_LEFT = 1013;
constexpr int IDC_MOVE_ALL = 1000;
constexpr int IDC_FORMAT_GROUP = 1003;
constexpr int IDC_QUOTED = 1004;
constexpr int IDC_PLAIN = 1005;

}  // namespace vext::recconv
