// The bytes of a saved document. libxml2's own writer is not used: it
// indents, chooses its own declaration and is slower than this for the
// flat entry lists the converter writes.
#include <iconv.h>

#include <cctype>

#include "platform/fs/File.h"
#include "platform/text/Ascii.h"
#include "platform/text/Unicode.h"
#include "platform/text/detail/Cp932Codec.h"
#include "platform/xml/XmlDom.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml::detail {
namespace {

constexpr std::size_t kFlushSize = 1 << 20;
const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

bool IsUtf8Name(std::string_view name) {
  return name.empty() || EqualsNoCaseAscii(name, "UTF-8") || EqualsNoCaseAscii(name, "UTF8");
}

// The bytes of `utf8` in the iconv target; false when it has none.
bool IconvConvert(void* cd, std::string_view utf8, std::string& out) {
  auto handle = static_cast<iconv_t>(cd);
  std::string buffer(utf8.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  char* dst = buffer.data();
  std::size_t dstLeft = buffer.size();
  iconv(handle, nullptr, nullptr, nullptr, nullptr);
  if (iconv(handle, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) || srcLeft != 0)
    return false;
  // Stateful encodings return to their initial state after every piece.
  if (iconv(handle, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
  out.append(buffer.data(), buffer.size() - dstLeft);
  return true;
}

}  // namespace

std::string Serializer::DeclaredEncoding(std::string_view declaration) {
  for (std::size_t pos = declaration.find("encoding"); pos != std::string_view::npos;
       pos = declaration.find("encoding", pos + 1)) {
    if (pos > 0 && !std::isspace(static_cast<unsigned char>(declaration[pos - 1]))) continue;
    std::size_t i = pos + 8;
    while (i < declaration.size() && std::isspace(static_cast<unsigned char>(declaration[i]))) ++i;
    if (i >= declaration.size() || declaration[i] != '=') continue;
    ++i;
    while (i < declaration.size() && std::isspace(static_cast<unsigned char>(declaration[i]))) ++i;
    if (i >= declaration.size() || (declaration[i] != '\'' && declaration[i] != '"')) continue;
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string_view::npos) continue;
    return std::string(declaration.substr(i + 1, end - i - 1));
  }
  return std::string();
}

Serializer::Serializer(const std::string& encoding) {
  if (IsCp932Name(encoding)) {
    m_target = Target::Cp932;
  } else if (IsUtf8Name(encoding)) {
    m_target = Target::Utf8;
  } else {
    iconv_t cd = iconv_open(encoding.c_str(), "UTF-8");
    if (cd == kNoIconv) throw ConversionError();
    m_iconv = cd;
    m_target = Target::Iconv;
    // Markup is written as ASCII bytes, so the encoding must keep them.
    static constexpr std::string_view kAscii =
        "\t\n\r !\"#&'()*+,-./0123456789:;<=>?ABCXYZ[]_abcxyz";
    std::string probe;
    if (!IconvConvert(m_iconv, kAscii, probe) || probe != kAscii) {
      iconv_close(cd);
      m_iconv = nullptr;
      throw ConversionError();
    }
  }
}

Serializer::~Serializer() {
  if (m_iconv) iconv_close(static_cast<iconv_t>(m_iconv));
}

void Serializer::Flush() {
  if (!m_file || m_out.empty()) return;
  m_file->Write(m_out.data(), static_cast<UINT>(m_out.size()));
  m_out.clear();
}

void Serializer::MaybeFlush() {
  if (m_file && m_out.size() >= kFlushSize) Flush();
}

void Serializer::WriteCharacter(std::string_view utf8, char32_t cp, Context context) {
  bool written = false;
  if (m_target == Target::Cp932) {
    char bytes[2];
    const int n = cp932::Encode(cp, bytes);
    if (n > 0) {
      m_out.append(bytes, static_cast<std::size_t>(n));
      written = true;
    }
  } else {
    written = IconvConvert(m_iconv, utf8, m_out);
  }
  if (written) return;
  if (context == Context::Markup) throw ConversionError();
  WriteReference(cp);
}

// DEL and the C1 controls: XML 1.1 takes them only as character
// references (and reads a raw U+0085 as a line end).
static bool IsRestricted(char32_t cp) { return cp >= 0x7F && cp <= 0x9F; }

void Serializer::WriteReference(char32_t cp) {
  m_out += "&#";
  m_out += std::to_string(static_cast<unsigned long>(cp));
  m_out += ';';
}

void Serializer::Write(std::string_view text, Context context) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t run = 0;  // start of the bytes not yet copied
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char b = bytes[i];
    if (b >= 0x7F) {
      char32_t cp = b;
      const int n = b == 0x7F ? 1 : unicode::DecodeUtf8(text.substr(i), cp);
      if (n == 0) throw ConversionError();
      if (context != Context::Markup && IsRestricted(cp)) {
        m_out.append(text.data() + run, i - run);
        WriteReference(cp);
        i += static_cast<std::size_t>(n);
        run = i;
        continue;
      }
      if (m_target != Target::Utf8 && b != 0x7F) {
        m_out.append(text.data() + run, i - run);
        WriteCharacter(text.substr(i, static_cast<std::size_t>(n)), cp, context);
        run = i + static_cast<std::size_t>(n);
      }
      i += static_cast<std::size_t>(n);
      continue;
    }
    const char* escape = nullptr;
    if (context == Context::Text) {
      switch (b) {
        case '&': escape = "&amp;"; break;
        case '<': escape = "&lt;"; break;
        case '>': escape = "&gt;"; break;
        case '\r': escape = "&#13;"; break;
        default: break;
      }
    } else if (context == Context::Attribute) {
      switch (b) {
        case '&': escape = "&amp;"; break;
        case '<': escape = "&lt;"; break;
        case '"': escape = "&quot;"; break;
        case '\r': escape = "&#13;"; break;
        case '\n': escape = "&#10;"; break;
        case '\t': escape = "&#9;"; break;
        default: break;
      }
    }
    if (escape) {
      m_out.append(text.data() + run, i - run);
      m_out += escape;
      run = i + 1;
    }
    ++i;
  }
  m_out.append(text.data() + run, text.size() - run);
}

void Serializer::Declaration(std::string_view data) { ProcessingInstruction("xml", data); }

void Serializer::ProcessingInstruction(std::string_view target, std::string_view data) {
  if (data.find("?>") != std::string_view::npos) throw StructureError();
  m_out += "<?";
  Write(target, Context::Markup);
  if (!data.empty()) {
    m_out += ' ';
    Write(data, Context::Markup);
  }
  m_out += "?>";
}

void Serializer::Comment(std::string_view text) {
  if (text.find("--") != std::string_view::npos || (!text.empty() && text.back() == '-'))
    throw StructureError();
  m_out += "<!--";
  Write(text, Context::Markup);
  m_out += "-->";
}

void Serializer::TopLevel(xmlNodePtr node) {
  switch (node->type) {
    case XML_PI_NODE:
      ProcessingInstruction(Chars(node->name), node->content ? Chars(node->content) : "");
      break;
    case XML_COMMENT_NODE: Comment(node->content ? Chars(node->content) : ""); break;
    case XML_ELEMENT_NODE: Element(node); break;
    default: return;  // a loaded document's DTD is not written again
  }
  m_out += "\r\n";
  MaybeFlush();
}

void Serializer::StartTagOpen(std::string_view name) {
  m_out += '<';
  Write(name, Context::Markup);
}

void Serializer::Attribute(std::string_view name, std::string_view value) {
  m_out += ' ';
  Write(name, Context::Markup);
  m_out += "=\"";
  Write(value, Context::Attribute);
  m_out += '"';
}

void Serializer::EndTag(std::string_view name) {
  m_out += "</";
  Write(name, Context::Markup);
  m_out += '>';
}

void Serializer::Attributes(const xmlNode* element) {
  // A parsed document keeps namespace declarations apart from the other
  // attributes; they are written first.
  for (const xmlNs* ns = element->nsDef; ns; ns = ns->next) {
    std::string name = "xmlns";
    if (ns->prefix) {
      name += ':';
      name += Chars(ns->prefix);
    }
    Attribute(name, ns->href ? Chars(ns->href) : "");
  }
  std::string scratch;
  for (const xmlAttr* a = element->properties; a; a = a->next) {
    m_out += ' ';
    if (a->ns && a->ns->prefix) {
      Write(Chars(a->ns->prefix), Context::Markup);
      m_out += ':';
    }
    Write(Chars(a->name), Context::Markup);
    m_out += "=\"";
    Write(AttributeValue(a, scratch), Context::Attribute);
    m_out += '"';
  }
}

void Serializer::WriteName(const xmlNode* element) {
  if (element->ns && element->ns->prefix) {
    Write(Chars(element->ns->prefix), Context::Markup);
    m_out += ':';
  }
  Write(Chars(element->name), Context::Markup);
}

void Serializer::Element(xmlNodePtr element) {
  m_out += '<';
  WriteName(element);
  Attributes(element);
  if (!element->children) {
    m_out += "/>";
    return;
  }
  m_out += '>';
  for (xmlNodePtr child = element->children; child; child = child->next) {
    switch (child->type) {
      case XML_ELEMENT_NODE: Element(child); break;
      case XML_TEXT_NODE:
        if (child->content) Write(Chars(child->content), Context::Text);
        break;
      case XML_CDATA_SECTION_NODE: {
        // "]]>" cannot stand inside a section: it is split across two.
        std::string_view rest = child->content ? Chars(child->content) : "";
        m_out += "<![CDATA[";
        for (std::size_t end; (end = rest.find("]]>")) != std::string_view::npos;
             rest.remove_prefix(end + 2)) {
          Write(rest.substr(0, end + 2), Context::Markup);
          m_out += "]]><![CDATA[";
        }
        Write(rest, Context::Markup);
        m_out += "]]>";
        break;
      }
      case XML_COMMENT_NODE: Comment(child->content ? Chars(child->content) : ""); break;
      case XML_PI_NODE:
        ProcessingInstruction(Chars(child->name), child->content ? Chars(child->content) : "");
        break;
      default: break;
    }
  }
  m_out += "</";
  WriteName(element);
  m_out += '>';
  MaybeFlush();
}

}  // namespace vext::xml::detail
