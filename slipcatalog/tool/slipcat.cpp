// slipcat: looks after the slip-form catalogue of the installation that
// the registry names (the product's InstalledDataDir), through the
// SlipCatalog library and nothing else.
//
//   slipcat list [--raw]        the catalogue as a tree: the merged view, the
//                               downloads left out of it, the pick-up forms,
//                               the recent and custom lists; --raw: each of
//                               the five files as stored
//   slipcat show ID [--json]    one layout, looked up as the suite does
//   slipcat dump FILE           a catalogue file as JSON; FILE is main,
//                               original, recent, custom, download or a path
//   slipcat recent ID           puts the layout first in the recent list
//   slipcat pickup --from ID --id ID --category N --title TEXT [--form PATH]
//                  [--den] [--oku] [--genre]
//                               registers a pick-up form
//
// Output is UTF-8; the library's own messages go through the console
// interface. Exit status: 0 done, 1 the catalogue could not be read or
// changed or has no such layout, 2 a bad command line.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <string>

#include "CatalogFileReader.h"
#include "JsonDump.h"
#include "SlipCatalog.h"
#include "TreeListing.h"
#include "platform/text/Cp932.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadCommandLine = 2;

// The protected readers are part of the class's interface to subclasses;
// the tool reads each list on its own so that one bad file does not hide
// the others.
class Catalogue : public CSlipCatalog {
 public:
  using CSlipCatalog::ReadCustom;
  using CSlipCatalog::ReadMain;
  using CSlipCatalog::ReadRecent;
};

std::string Shown(const CString& text) { return vext::Cp932ToUtf8Lossy(text.view()); }

int Fail(const std::string& text) {
  std::cerr << "slipcat: " << text << '\n';
  return kFailed;
}

// A command-line text as the system's CP932 string.
std::optional<CString> SystemText(const std::string& utf8) {
  std::optional<std::string> cp932 = vext::Utf8ToCp932(utf8);
  return cp932 ? std::optional<CString>(CString(std::move(*cp932))) : std::nullopt;
}

void Section(const std::string& title, const CString& path) {
  std::cout << "== " << title << ": " << Shown(path) << '\n';
}

int ListMerged() {
  Catalogue catalogue;
  int status = kDone;
  Section("catalogue, downloads merged", catalogue.mainPath);
  if (catalogue.ReadMain()) {
    slipcat::PrintTree(std::cout, catalogue.catalogView);
    if (!catalogue.downloadList.IsEmpty()) {
      Section("downloads that match no catalogue category", catalogue.downloadPath);
      slipcat::PrintTree(std::cout, catalogue.downloadList);
    }
  } else {
    status = kFailed;
  }
  Section("pick-up forms", catalogue.originalPath);
  if (catalogue.ReadPickUp())
    slipcat::PrintTree(std::cout, catalogue.pickUpList, true);
  else
    status = kFailed;
  Section("recent", catalogue.recentPath);
  if (catalogue.ReadRecent())
    slipcat::PrintTree(std::cout, catalogue.recentList, true);
  else
    status = kFailed;
  Section("custom", catalogue.customPath);
  if (catalogue.ReadCustom())
    slipcat::PrintTree(std::cout, catalogue.customList);
  else
    status = kFailed;
  return status;
}

int ListRaw() {
  const CSlipCatalog catalogue;
  const std::pair<const char*, CString> files[] = {{"SlipCatalog.dat", catalogue.mainPath},
                                                   {"DownLoad.dat", catalogue.downloadPath},
                                                   {"Original.dat", catalogue.originalPath},
                                                   {"Recent.dat", catalogue.recentPath},
                                                   {"Custom.dat", catalogue.customPath}};
  int status = kDone;
  for (const auto& [name, path] : files) {
    Section(name, path);
    CObArray records;
    CString reason;
    if (!slipcatalog::ReadCatalogFile(path, records, reason)) {
      std::cout << "  " << Shown(reason) << '\n';
      status = kFailed;
      continue;
    }
    slipcat::PrintTree(std::cout, records, true);
    for (CObject* record : records.items()) delete record;
  }
  return status;
}

int Show(long layoutId, bool json) {
  CSlipCatalog catalogue;
  const CLayoutInfo* layout = catalogue.GetLayoutInfo(static_cast<LONG>(layoutId));
  if (!layout) return Fail("no layout " + std::to_string(layoutId));
  nlohmann::ordered_json fields;
  try {
    fields = slipcat::RecordJson(layout);
  } catch (const slipcat::TextError& error) {
    return Fail("layout " + std::to_string(layoutId) + ": " + error.what());
  }
  if (json) {
    std::cout << fields.dump(2) << '\n';
    return kDone;
  }
  for (const auto& [name, value] : fields.items())
    std::cout << name << ": " << (value.is_string() ? value.get<std::string>() : value.dump())
              << '\n';
  // Re-reads the catalogue: `layout` is not used after this.
  std::cout << "address label: "
            << (catalogue.IsAtenaTack(static_cast<LONG>(layoutId)) ? "yes" : "no") << '\n';
  return kDone;
}

int Dump(const std::string& file) {
  const CSlipCatalog catalogue;
  CString path;
  if (file == "main")
    path = catalogue.mainPath;
  else if (file == "original")
    path = catalogue.originalPath;
  else if (file == "recent")
    path = catalogue.recentPath;
  else if (file == "custom")
    path = catalogue.customPath;
  else if (file == "download")
    path = catalogue.downloadPath;
  else if (auto text = SystemText(file))
    path = *text;
  else
    return Fail(file + ": not a path this system can name");

  CObArray records;
  CString reason;
  if (!slipcatalog::ReadCatalogFile(path, records, reason))
    return Fail(Shown(path) + ": " + Shown(reason));
  int status = kDone;
  try {
    nlohmann::ordered_json json;
    json["file"] = Shown(path);
    json["records"] = nlohmann::ordered_json::array();
    for (CObject* record : records.items()) json["records"].push_back(slipcat::RecordJson(record));
    std::cout << json.dump(2) << '\n';
  } catch (const slipcat::TextError& error) {
    status = Fail(Shown(path) + ": " + error.what());
  }
  for (CObject* record : records.items()) delete record;
  return status;
}

int Recent(long layoutId) {
  CSlipCatalog catalogue;
  CLayoutInfo* layout = catalogue.GetLayoutInfo(static_cast<LONG>(layoutId));
  if (!layout) return Fail("no layout " + std::to_string(layoutId));
  if (!catalogue.SetRecent(layout)) return Fail("the recent list was not changed");
  std::cout << "recent: " << layoutId << " is first\n";
  return kDone;
}

struct PickUpRequest {
  long from = 0;
  long id = 0;
  int category = 0;
  std::string title;
  std::string form;
  bool den = false;
  bool oku = false;
  bool genre = false;
};

int PickUp(const PickUpRequest& request) {
  const auto title = SystemText(request.title);
  const auto form = SystemText(request.form);
  if (!title || !form) return Fail("the title or form path is not Shift_JIS text");
  CSlipCatalog catalogue;
  if (!catalogue.SetPickUp(*title, static_cast<LONG>(request.from), static_cast<LONG>(request.id),
                           request.category, *form, request.den, request.oku, request.genre))
    return Fail("the pick-up form was not registered");
  std::cout << "pick-up: " << request.id << " (from " << request.from << ") in category "
            << request.category << '\n';
  return kDone;
}

int Run(int argc, char** argv) {
  CLI::App app{"The slip-form catalogue of the installation the registry names."};
  app.require_subcommand(1);

  bool raw = false;
  auto* list = app.add_subcommand("list", "the catalogue as a tree");
  list->add_flag("--raw", raw, "each file as stored, without the merge");

  long showId = 0;
  bool json = false;
  auto* show = app.add_subcommand("show", "one layout by identifier");
  show->add_option("id", showId, "layout identifier")->required();
  show->add_flag("--json", json, "as JSON");

  std::string file;
  auto* dump = app.add_subcommand("dump", "a catalogue file as JSON (UTF-8)");
  dump->add_option("file", file, "main, original, recent, custom, download, or a path")->required();

  long recentId = 0;
  auto* recent = app.add_subcommand("recent", "put a layout first in the recent list");
  recent->add_option("id", recentId, "layout identifier")->required();

  PickUpRequest request;
  auto* pickup = app.add_subcommand("pickup", "register a pick-up form");
  pickup->add_option("--from", request.from, "the layout it is made from")->required();
  pickup->add_option("--id", request.id, "its own identifier (40000 and more)")->required();
  pickup->add_option("--category", request.category, "pick-up category position (0-based)")
      ->required();
  pickup->add_option("--title", request.title, "its title")->required();
  pickup->add_option("--form", request.form, "its form file");
  pickup->add_flag("--den", request.den, "copy it to the linked slip product");
  pickup->add_flag("--oku", request.oku, "copy it to the linked waybill product");
  pickup->add_flag("--genre", request.genre, "with --oku: the waybill genre");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kDone : kBadCommandLine;
  }
  if (*list) return raw ? ListRaw() : ListMerged();
  if (*show) return Show(showId, json);
  if (*dump) return Dump(file);
  if (*recent) return Recent(recentId);
  if (*pickup) return PickUp(request);
  return kBadCommandLine;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "slipcat: " << error.what() << '\n';
    return kFailed;
  }
}
