// Writes a small sample catalogue, the five files, into the installed data
// folder that the registry names (\Data\MyData below it), through the
// catalogue's own lists and writers. It shows each kind of content once:
// the address-label forms, a downloaded layout that replaces a catalogue
// layout and one that is added, a downloaded category that matches
// nothing, a pick-up form, a recent entry and a custom form.
//
// Refuses to touch a folder that already holds a catalogue. Exit status 0
// when written, 1 otherwise.
#include <filesystem>
#include <iostream>

#include "CatalogBuilder.h"
#include "SlipCatalog.h"
#include "platform/fs/File.h"
#include "platform/fs/PathMap.h"
#include "platform/text/Sj.h"

using namespace slipcatalog::build;

namespace {

void FillMain(CDaiBunruiArray& main) {
  CDaiBunrui* atena = AddMajor(main, "宛名印刷"_sj);
  CShoBunrui* seal = AddMinor(AddMiddle(atena, "シール"_sj), "A4 12面"_sj);
  AddLayout(seal, 1001, "宛名シール 12面"_sj)->taiouPaper = "A4ラベル 12面"_sj;
  AddLayout(seal, 1002, "宛名シール 24面"_sj)->taiouPaper = "A4ラベル 24面"_sj;
  CShoBunrui* card = AddMinor(AddMiddle(atena, "はがき"_sj), "通常はがき"_sj);
  AddLayout(card, 1101, "はがき宛名 縦書き"_sj);
  AddLayout(card, 1102, "はがき宛名 横書き"_sj);
  AddLayout(AddMinor(AddMiddle(atena, "封筒"_sj), "長形3号"_sj), 1201, "封筒 長形3号"_sj);

  CDaiBunrui* slips = AddMajor(main, "伝票"_sj);
  CShoBunrui* delivery = AddMinor(AddMiddle(slips, "納品書"_sj), "3枚複写"_sj);
  CLayoutInfo* note = AddLayout(delivery, 2001, "納品書 3枚複写"_sj);
  note->renzoku = 1;
  note->excelName = "nouhin.xls";
  AddLayout(delivery, 2002, "納品書 請求書付"_sj)->renzoku = 1;
  AddLayout(AddMinor(AddMiddle(slips, "請求書"_sj), "単票"_sj), 2101, "請求書 単票"_sj);

  CLayoutInfo* waybill =
      AddLayout(AddPath(main, "送り状"_sj, "宅配便"_sj, "元払い"_sj), 3001, "宅配便 元払い"_sj);
  waybill->formGenre = 2;
}

void FillDownloads(CDaiBunruiArray& downloads) {
  CShoBunrui* delivery = AddPath(downloads, "伝票"_sj, "納品書"_sj, "3枚複写"_sj);
  AddLayout(delivery, 2002, "納品書 請求書付（改訂版）"_sj)->renzoku = 1;  // replaces 2002
  AddLayout(delivery, 2003, "納品書 控え付"_sj)->renzoku = 1;              // added
  AddLayout(AddPath(downloads, "季節の挨拶"_sj, "年賀状"_sj, "はがき"_sj), 5001,
            "年賀状 横書き"_sj);  // matches no catalogue category
}

void FillPickUp(CShoBunruiArray& pickUp) {
  CLayoutInfo* own = AddLayout(AddMinor(pickUp, "よく使う伝票"_sj), 40001, "納品書（自社用）"_sj);
  own->motoLayoutId = 2001;
  own->isPickUp = 1;
  own->fileName = "40001.fmt";
  AddMinor(pickUp, "宛名"_sj);
}

}  // namespace

int main() {
  CSlipCatalog catalogue;
  if (CFile::Exists(catalogue.mainPath)) {
    std::cerr << "make-sample-catalogue: a catalogue is already there; nothing written\n";
    return 1;
  }
  const auto folder = vext::NativePath(catalogue.mainPath);
  std::error_code error;
  if (!folder || (std::filesystem::create_directories(folder->parent_path(), error), error)) {
    std::cerr << "make-sample-catalogue: cannot make the data folder\n";
    return 1;
  }
  FillMain(catalogue.mainList);
  FillDownloads(catalogue.downloadList);
  FillPickUp(catalogue.pickUpList);
  AddLayout(AddPath(catalogue.recentList, "ﾋﾟｯｸｱｯﾌﾟ"_sj, "", ""), 1001, "宛名シール 12面"_sj);
  AddLayout(AddPath(catalogue.customList, "カスタム"_sj, "自社"_sj, "請求書"_sj), 6001,
            "自社請求書"_sj);
  const bool written = catalogue.WriteMotoData() && catalogue.WriteDownLoad() &&
                       catalogue.WritePickUp() && catalogue.WriteRecent() &&
                       catalogue.WriteCustom();
  return written ? 0 : 1;
}
