#include "CnvResources.h"

#include "CnvDialogIds.h"
#include "platform/text/Sj.h"
#include "platform/ui/UserInterface.h"

namespace vext::recconv {

namespace {

using vext::ControlKind;

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
constexpr DWORD kTabbedList = kList | WS_HSCROLL | LBS_USETABSTOPS;
constexpr DWORD kButton = WS_TABSTOP;
constexpr const char* kFont = "ＭＳ Ｐゴシック"_sj;

constexpr vext::DialogControl kListControls[] = {
    {IDC_DEF_LIST, ControlKind::ListBox, 7, 7, 140, 54, kList | LBS_SORT, ""},
    {IDC_DEF_DELETE, ControlKind::PushButton, 151, 7, 29, 16, kButton, "削除"_sj},
    {IDOK, ControlKind::DefPushButton, 60, 68, 54, 16, kButton, "OK"},
    {IDCANCEL, ControlKind::PushButton, 126, 68, 54, 16, kButton, "ｷｬﾝｾﾙ"_sj},
};

constexpr vext::DialogControl kTitleControls[] = {
    {IDC_TITLE_EDIT, ControlKind::Edit, 7, 7, 141, 15, WS_TABSTOP | ES_AUTOHSCROLL, ""},
    {IDOK, ControlKind::DefPushButton, 29, 30, 54, 16, kButton | WS_DISABLED, "OK"},
    {IDCANCEL, ControlKind::PushButton, 95, 30, 54, 16, kButton, "ｷｬﾝｾﾙ"_sj},
};

constexpr vext::DialogControl kOutOrderControls[] = {
    {IDC_LEFT_LIST, ControlKind::ListBox, 17, 55, 128, 183, kTabbedList, ""},
    {IDC_RIGHT_LIST, ControlKind::ListBox, 189, 55, 72, 184, kTabbedList, ""},
    {IDC_MOVE_RIGHT, ControlKind::PushButton, 147, 55, 41, 14, kButton, "→"_sj},
    {IDC_MOVE_LEFT, ControlKind::PushButton, 147, 73, 41, 14, kButton, "←"_sj},
    {IDC_MOVE_ALL, ControlKind::PushButton, 147, 91, 41, 14, kButton, "一括移動>>"_sj},
    {IDC_RESTORE_DEFAULT, ControlKind::PushButton, 147, 109, 41, 14, kButton, "初期状態"_sj},
    {IDC_QUOTED, ControlKind::RadioButton, 275, 67, 46, 12, WS_GROUP | WS_TABSTOP,
     "\"あ\",\"10\""_sj},
    {IDC_PLAIN, ControlKind::RadioButton, 275, 80, 46, 12, 0, " あ , 10"_sj},
    {IDC_FORMAT_GROUP, ControlKind::GroupBox, 265, 56, 63, 41, WS_GROUP, "書き出し形式"_sj},
    {IDC_OPEN_DEFS, ControlKind::PushButton, 278, 197, 37, 14, kButton, "開く"_sj},
    {IDC_SAVE_DEF, ControlKind::PushButton, 278, 219, 37, 14, kButton, "保存"_sj},
    {IDOK, ControlKind::DefPushButton, 214, 256, 54, 16, kButton | WS_DISABLED, "OK"},
    {IDCANCEL, ControlKind::PushButton, 280, 256, 54, 16, kButton, "ｷｬﾝｾﾙ"_sj},
    {IDC_STATIC, ControlKind::Static, 17, 41, 93, 13, 0, "●項目・入力データ一覧"_sj},
    {IDC_STATIC, ControlKind::Static, 189, 41, 69, 8, 0, "●書き出し順"_sj},
    {IDC_STATIC, ControlKind::GroupBox, 265, 183, 63, 55, 0, "書き出し順登録"_sj},
    {IDC_STATIC, ControlKind::Static, 17, 19, 302, 16, 0,
     "左のリストの各データを書き出したい順に[→]ボタンで右のリストへ移動させてください"_sj},
};

constexpr vext::DialogControl kInItemControls[] = {
    {IDC_LEFT_LIST, ControlKind::ListBox, 15, 59, 105, 188, kList, ""},
    {IDC_RIGHT_LIST, ControlKind::ListBox, 147, 59, 137, 188, kTabbedList, ""},
    {IDC_ASSOCIATE, ControlKind::PushButton, 294, 57, 51, 17, kButton, "関連付け"_sj},
    {IDC_RELEASE, ControlKind::PushButton, 295, 83, 50, 17, kButton, "解除"_sj},
    {IDC_RESTORE_DEFAULT, ControlKind::PushButton, 295, 107, 50, 17, kButton, "初期状態"_sj},
    {IDC_OPEN_DEFS, ControlKind::PushButton, 302, 203, 34, 17, kButton, "開く"_sj},
    {IDC_SAVE_DEF, ControlKind::PushButton, 302, 224, 34, 17, kButton, "保存"_sj},
    {IDOK, ControlKind::DefPushButton, 236, 260, 54, 16, kButton, "OK"},
    {IDCANCEL, ControlKind::PushButton, 302, 260, 54, 16, kButton, "ｷｬﾝｾﾙ"_sj},
    {IDC_STATIC, ControlKind::Static, 15, 45, 102, 13, 0, "●読み込み元ファイル"_sj},
    {IDC_STATIC, ControlKind::Static, 147, 47, 126, 8, 0, "●フォーム上の項目一覧"_sj},
    {IDC_STATIC, ControlKind::GroupBox, 288, 191, 62, 56, 0, "読み込み順登録"_sj},
    {IDC_STATIC, ControlKind::Static, 18, 20, 280, 21, 0,
     "右のリストの項目に対応するデータを左のリストから選び\n[関連付け｣ボタンで移動させてください"_sj},
    {IDC_STATIC, ControlKind::Icon, 124, 137, 20, 20, 0, "", IDI_RECCONV},
};

constexpr vext::DialogTemplate kDialogs[] = {
    {IDD_CNV_LIST, kDialogStyle, 187, 91, "ユーザー定義データ一覧"_sj, kFont, 9, kListControls},
    {IDD_CNV_TITLE, kDialogStyle, 155, 53, "ユーザー定義データタイトル入力画面"_sj, kFont, 9,
     kTitleControls},
    {IDD_CNV_OUT_ORDER, kDialogStyle, 341, 277, "書き出し順設定画面"_sj, kFont, 9,
     kOutOrderControls},
    {IDD_CNV_IN_ITEM, kDialogStyle, 363, 283, "読み込み項目設定画面"_sj, kFont, 9, kInItemControls},
};

constexpr vext::ResourceModule kModule{kDialogs, {}};

}  // namespace

HINSTANCE Resources() { return &kModule; }

}  // namespace vext::recconv
