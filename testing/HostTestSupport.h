// Test helpers for components driven as a host drives them: scratch
// folders, file bytes, UTF-8 <-> CP932 for readable tables, the scripted
// user interface installed for a scope, and element trees as text.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "platform/base/CString.h"
#include "platform/text/Cp932.h"
#include "platform/ui/detail/ScriptedUserInterface.h"
#include "platform/xml/XmlDom.h"

namespace vext::test {

using vext::testing::ReadBytes;
using vext::testing::ScratchDir;
using vext::testing::U8;
using vext::testing::WriteBytes;

// CP932 bytes of UTF-8 text (the test fails on text outside CP932).
inline std::string Sjis(const std::string& utf8) {
  std::optional<std::string> bytes = Utf8ToCp932(utf8);
  EXPECT_TRUE(bytes) << "not CP932: " << utf8;
  return bytes.value_or(std::string());
}

// UTF-8 of CP932 bytes, for readable expectations and failure output.
inline std::string Utf8(const std::string& cp932) { return Cp932ToUtf8Lossy(cp932); }

// A native path as the system's string.
inline CString SystemPath(const std::filesystem::path& path) {
  return CString(Sjis(path.string()));
}

// Installs a scripted user interface for the scope and restores the one
// before it afterwards.
class ScriptedUi {
 public:
  ScriptedUi() {
    auto ui = std::make_shared<vext::ui::ScriptedUserInterface>();
    m_ui = ui.get();
    m_previous = vext::ui::SetCurrent(std::move(ui));
  }
  ~ScriptedUi() { vext::ui::SetCurrent(std::move(m_previous)); }
  ScriptedUi(const ScriptedUi&) = delete;
  ScriptedUi& operator=(const ScriptedUi&) = delete;

  vext::ui::ScriptedUserInterface* operator->() const { return m_ui; }
  // The message texts shown so far, in UTF-8.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const CString& text : m_ui->Messages()) texts.push_back(Utf8(text.str()));
    return texts;
  }

 private:
  vext::ui::ScriptedUserInterface* m_ui;
  std::shared_ptr<vext::ui::UserInterface> m_previous;
};

namespace detail {

inline void RenderInto(const vext::xml::Node& element, int depth, std::string& out) {
  out.append(static_cast<std::size_t>(depth), ' ');
  out += Utf8(element.NodeName().str());
  for (const auto& [name, value] : element.Attributes())
    out += " " + Utf8(name.str()) + "=\"" + Utf8(value.str()) + "\"";
  bool leaf = true;
  for (const vext::xml::Node& child : element.ChildNodes()) leaf = leaf && !child.IsElement();
  if (leaf) out += " \"" + Utf8(element.Text().str()) + "\"";
  out += "\n";
  for (const vext::xml::Node& child : element.ChildNodes())
    if (child.IsElement()) RenderInto(child, depth + 1, out);
}

}  // namespace detail

// An element tree, one line per element: indentation by depth, the name,
// the attributes as written (name="value") and the text of a leaf in
// quotes; texts in UTF-8.
inline std::string Render(const vext::xml::Node& element) {
  std::string out;
  detail::RenderInto(element, 0, out);
  return out;
}

}  // namespace vext::test
