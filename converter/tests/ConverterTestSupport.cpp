#include "ConverterTestSupport.h"

#include <gtest/gtest.h>

#include "platform/text/Cp932.h"
#include "platform/xml/XmlDom.h"

namespace vext::test {

std::string Sjis(const std::string& utf8) {
  std::optional<std::string> bytes = Utf8ToCp932(utf8);
  EXPECT_TRUE(bytes) << "not CP932: " << utf8;
  return bytes.value_or(std::string());
}

std::string Utf8(const std::string& cp932) { return Cp932ToUtf8Lossy(cp932); }

CString SystemPath(const std::filesystem::path& path) { return CString(Sjis(path.string())); }

ScriptedUi::ScriptedUi() {
  auto ui = std::make_unique<vext::ui::ScriptedUserInterface>();
  m_ui = ui.get();
  m_previous = vext::ui::SetCurrent(std::move(ui));
}

ScriptedUi::~ScriptedUi() { vext::ui::SetCurrent(std::move(m_previous)); }

std::vector<std::string> ScriptedUi::Messages() const {
  std::vector<std::string> texts;
  for (const CString& text : m_ui->Messages()) texts.push_back(Utf8(text.str()));
  return texts;
}

namespace {

void RenderInto(const vext::xml::Node& element, int depth, std::string& out) {
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

}  // namespace

std::string Render(const vext::xml::Node& element) {
  std::string out;
  RenderInto(element, 0, out);
  return out;
}

}  // namespace vext::test
