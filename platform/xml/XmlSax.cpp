// The facade's changes to libxml2's tree builder: text nodes without the
// 10,000,000-byte limit, and where each element's content begins.
#include <cstdint>
#include <string>

#include "platform/text/Sj.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml::detail {
namespace {

// Lifting the limit with XML_PARSE_HUGE would lift libxml2's bounds on
// depth and entity expansion as well; only the text is let grow here (up
// to libxml2's own int range).
void CharactersWithoutLimit(void* context, const xmlChar* text, int length) {
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  const int options = parser->options;
  parser->options |= XML_PARSE_HUGE;
  xmlSAX2Characters(context, text, length);
  parser->options = options;
}

// An element's psvi (unused by libxml2 for elements) holds where its
// content begins: the line in the high half, the column in the low one.
constexpr bool kPackable = sizeof(void*) >= 8;

void StartElementKeepingPosition(void* context, const xmlChar* localName, const xmlChar* prefix,
                                 const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                                 int attributeCount, int defaulted, const xmlChar** attributes) {
  xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount,
                        defaulted, attributes);
  auto* parser = static_cast<xmlParserCtxtPtr>(context);
  if (!kPackable || !parser->node || !parser->input || parser->input->line < 0 ||
      parser->input->col < 0)
    return;
  // The parser stands on the tag's ">" (or "/>"): the content begins after it.
  int col = parser->input->col;
  const xmlChar* at = parser->input->cur;
  const xmlChar* end = parser->input->end;
  if (at && end && at < end) {
    if (*at == '>')
      col += 1;
    else if (*at == '/' && at + 1 < end && at[1] == '>')
      col += 2;
  }
  const auto line = static_cast<std::uint64_t>(static_cast<std::uint32_t>(parser->input->line));
  const auto column = static_cast<std::uint64_t>(static_cast<std::uint32_t>(col));
  parser->node->psvi = reinterpret_cast<void*>(static_cast<std::uintptr_t>(line << 32 | column));
}

}  // namespace

void KeepPositions(xmlParserCtxtPtr context) {
  if (!context || !context->sax) return;
  context->sax->characters = CharactersWithoutLimit;
  if (context->sax->ignorableWhitespace == xmlSAX2Characters)
    context->sax->ignorableWhitespace = CharactersWithoutLimit;
  if (context->sax->startElementNs == xmlSAX2StartElementNs)
    context->sax->startElementNs = StartElementKeepingPosition;
}

TextPosition PositionOf(const xmlNode* node) {
  while (node && node->type != XML_ELEMENT_NODE) node = node->parent;
  if (!node) return {};
  if (kPackable && node->psvi) {
    const auto packed = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(node->psvi));
    return {static_cast<long>(packed >> 32), static_cast<long>(packed & 0xFFFFFFFFu)};
  }
  return {xmlGetLineNo(node), 0};
}

CString PositionText(long line, long column) {
  if (line <= 0) return CString();
  std::string text = std::to_string(line) + " 行目"_sj;
  if (column > 0) text += ' ' + std::to_string(column) + " 桁目"_sj;
  return CString(text + ": ");
}

}  // namespace vext::xml::detail
