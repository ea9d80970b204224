// Document and Node on libxml2.
#include "platform/xml/XmlDom.h"

#include <libxml/tree.h>

#include <stdexcept>

#include "platform/fs/File.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml {
namespace {

using namespace detail;

xmlNodePtr Native(const Node& node) { return static_cast<xmlNodePtr>(node.native()); }

// Names the components pass are constants; a bad one is a program error.
std::string ValidName(const CString& name) {
  std::string utf8 = ToTree(name.view());
  if (utf8.empty() || xmlValidateName(XmlChars(utf8.c_str()), 0) != 0)
    throw std::invalid_argument("not an XML name");
  return utf8;
}

// Puts `child` last under `parent` without libxml2's merging of adjacent
// text, which would free a node a handle may still name.
void Link(xmlNodePtr parent, xmlNodePtr child) {
  xmlUnlinkNode(child);
  child->parent = parent;
  child->prev = parent->last;
  child->next = nullptr;
  if (parent->last)
    parent->last->next = child;
  else
    parent->children = child;
  parent->last = child;
}

// Appending is allowed within one document, never of a node into itself.
void CheckAppend(xmlNodePtr parent, xmlNodePtr child) {
  if (!parent || !child) throw std::invalid_argument("null node");
  if (child->doc != parent->doc) throw std::invalid_argument("node of another document");
  switch (child->type) {
    case XML_ELEMENT_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: break;
    default: throw std::invalid_argument("node that cannot be a child");
  }
  for (xmlNodePtr n = parent; n; n = n->parent)
    if (n == child) throw std::invalid_argument("node appended into itself");
}

// The children of `node` leave the tree; handles to them stay valid while
// the document lives (a reader's entries have no orphanage: freed).
void RemoveChildren(xmlNodePtr node) {
  xmlNodePtr orphanage = Orphanage(node->doc);
  for (xmlNodePtr child = node->children; child;) {
    xmlNodePtr next = child->next;
    if (orphanage) {
      Link(orphanage, child);
    } else {
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    }
    child = next;
  }
}

void AppendText(std::string& out, const xmlNode* node) {
  for (const xmlNode* child = node->children; child; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      if (child->content) out += Chars(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      AppendText(out, child);
    }
  }
}

// Text of a parsed node that cannot be converted is reported where it
// stands in the document.
template <typename Read>
auto AtNode(const xmlNode* node, Read read) {
  try {
    return read();
  } catch (const ConversionError&) {
    const TextPosition where = PositionOf(node);
    throw ConversionError(where.line, where.column);
  }
}

xmlNodePtr NewOrphan(xmlDocPtr doc, xmlNodePtr node) {
  if (!node) throw std::bad_alloc();
  Link(Orphanage(doc), node);
  return node;
}

}  // namespace

CString ConversionError::Message() {
  return CString("文字コードを変換できない文字が含まれています。"_sj);
}

CString ConversionError::Reason() const { return PositionText(m_nLine, m_nColumn) + Message(); }

// --- Node ----------------------------------------------------------------

CString Node::NodeName() const {
  const xmlNode* node = Native(*this);
  if (!node) return CString();
  switch (node->type) {
    case XML_ELEMENT_NODE: return AtNode(node, [&] { return FromTree(QualifiedName(node)); });
    case XML_TEXT_NODE: return CString("#text");
    case XML_CDATA_SECTION_NODE: return CString("#cdata-section");
    case XML_COMMENT_NODE: return CString("#comment");
    case XML_PI_NODE: return FromTree(node->name);
    case XML_DOCUMENT_NODE: return CString("#document");
    default: return FromTree(node->name);
  }
}

bool Node::IsElement() const { return m_node && Native(*this)->type == XML_ELEMENT_NODE; }

std::vector<Node> Node::ChildNodes() const {
  std::vector<Node> children;
  const xmlNode* node = Native(*this);
  if (!node || (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE)) return children;
  for (xmlNodePtr child = node->children; child; child = child->next)
    if (child->type != XML_DTD_NODE) children.emplace_back(child);
  return children;
}

std::vector<Attribute> Node::Attributes() const {
  std::vector<Attribute> attributes;
  const xmlNode* node = Native(*this);
  if (!node || node->type != XML_ELEMENT_NODE) return attributes;
  AtNode(node, [&] {
    for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
      std::string name = "xmlns";
      if (ns->prefix) {
        name += ':';
        name += Chars(ns->prefix);
      }
      attributes.emplace_back(FromTree(name), FromTree(ns->href));
    }
    for (const xmlAttr* a = node->properties; a; a = a->next)
      attributes.emplace_back(FromTree(QualifiedName(a)), FromTree(AttributeValue(a)));
    return 0;
  });
  return attributes;
}

std::optional<CString> Node::GetAttribute(std::string_view name) const {
  const xmlNode* node = Native(*this);
  if (!node || node->type != XML_ELEMENT_NODE) return std::nullopt;
  const std::optional<std::string> wanted = vext::Cp932ToUtf8(name);
  if (!wanted) return std::nullopt;
  const std::string_view qname = *wanted;
  if (qname == "xmlns" || qname.substr(0, 6) == "xmlns:") {
    const std::string_view prefix = qname.size() > 5 ? qname.substr(6) : std::string_view();
    for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) {
      const std::string_view nsPrefix = ns->prefix ? Chars(ns->prefix) : "";
      if (nsPrefix == prefix && (ns->prefix != nullptr) == (qname.size() > 5))
        return AtNode(node, [&] { return FromTree(ns->href); });
    }
  }
  std::string scratch;
  for (const xmlAttr* a = node->properties; a; a = a->next)
    if (HasQualifiedName(a, qname))
      return AtNode(node, [&] { return FromTree(AttributeValue(a, scratch)); });
  return std::nullopt;
}

CString Node::Text() const {
  const xmlNode* node = Native(*this);
  if (!node) return CString();
  if (node->type != XML_ELEMENT_NODE && node->type != XML_DOCUMENT_NODE)
    return AtNode(node, [&] { return FromTree(node->content); });
  const xmlNode* only = node->children;
  if (!only) return CString();
  if (!only->next && (only->type == XML_TEXT_NODE || only->type == XML_CDATA_SECTION_NODE))
    return AtNode(node, [&] { return FromTree(only->content); });
  std::string text;
  AppendText(text, node);
  return AtNode(node, [&] { return FromTree(text); });
}

void Node::SetAttribute(const CString& name, const CString& value) {
  xmlNodePtr node = Native(*this);
  if (!node || node->type != XML_ELEMENT_NODE)
    throw std::invalid_argument("attribute on a node that is not an element");
  const std::string qname = ValidName(name);
  const std::string utf8 = ToTree(value.view());
  const xmlChar* text = XmlChars(utf8.c_str());

  // A parsed element holds its namespace declarations apart.
  if (qname == "xmlns" || qname.rfind("xmlns:", 0) == 0) {
    const char* prefix = qname.size() > 5 ? qname.c_str() + 6 : nullptr;
    for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next) {
      if ((ns->prefix == nullptr) != (prefix == nullptr)) continue;
      if (prefix && !xmlStrEqual(ns->prefix, XmlChars(prefix))) continue;
      xmlFree(const_cast<xmlChar*>(ns->href));
      ns->href = xmlStrdup(text);
      return;
    }
  }
  for (xmlAttrPtr a = node->properties; a; a = a->next) {
    if (!HasQualifiedName(a, qname)) continue;
    xmlFreeNodeList(a->children);
    a->children = a->last = xmlNewDocText(node->doc, text);
    if (a->children) a->children->parent = reinterpret_cast<xmlNodePtr>(a);
    return;
  }
  // Stored under the name as written: no namespace processing.
  if (!xmlNewProp(node, XmlChars(qname.c_str()), text)) throw std::bad_alloc();
}

void Node::SetText(const CString& text) {
  xmlNodePtr node = Native(*this);
  if (!node) return;
  const std::string utf8 = ToTree(text.view());
  if (node->type != XML_ELEMENT_NODE) {
    if (node->type == XML_DOCUMENT_NODE) throw std::invalid_argument("text of a document");
    xmlNodeSetContentLen(node, XmlChars(utf8.data()), static_cast<int>(utf8.size()));
    return;
  }
  RemoveChildren(node);
  if (utf8.empty()) return;
  xmlNodePtr textNode =
      xmlNewDocTextLen(node->doc, XmlChars(utf8.data()), static_cast<int>(utf8.size()));
  if (!textNode) throw std::bad_alloc();
  Link(node, textNode);
}

void Node::AppendChild(Node child) {
  xmlNodePtr parent = Native(*this);
  xmlNodePtr node = Native(child);
  CheckAppend(parent, node);
  if (parent->type != XML_ELEMENT_NODE)
    throw std::invalid_argument("child of a node that is not an element");
  Link(parent, node);
}

// --- Document ------------------------------------------------------------

Document::Impl::Impl() {
  EnsureInitialised();
  doc = xmlNewDoc(XmlChars("1.0"));
  if (!doc) throw std::bad_alloc();
  // Names are interned: the entry lists repeat a few dozen of them.
  doc->dict = xmlDictCreate();
  xmlNodePtr orphanage = xmlNewDocNode(doc, nullptr, XmlChars("orphanage"), nullptr);
  if (!doc->dict || !orphanage) {
    xmlFreeDoc(doc);
    throw std::bad_alloc();
  }
  doc->_private = orphanage;
}

Document::Impl::Impl(xmlDocPtr parsed) : doc(parsed) {
  xmlNodePtr orphanage = xmlNewDocNode(doc, nullptr, XmlChars("orphanage"), nullptr);
  if (!orphanage) {
    xmlFreeDoc(doc);
    throw std::bad_alloc();
  }
  doc->_private = orphanage;
}

Document::Impl::~Impl() {
  xmlFreeNode(Orphanage(doc));
  doc->_private = nullptr;
  xmlFreeDoc(doc);
}

void Document::Impl::FreeOrphans() {
  xmlNodePtr orphanage = Orphanage(doc);
  xmlFreeNodeList(orphanage->children);
  orphanage->children = orphanage->last = nullptr;
}

Document::Document() : m_impl(std::make_unique<Impl>()) {}
Document::~Document() = default;

void* Document::native() const { return m_impl->doc; }

Node Document::DocumentElement() const { return Node(xmlDocGetRootElement(m_impl->doc)); }

bool Document::Load(const CString& path) {
  EnsureInitialised();
  m_errorCode = 0;
  m_errorReason.Empty();
  // Whatever happens, the nodes of the old document are gone.
  m_impl = std::make_unique<Impl>();

  ErrorCollector errors;
  xmlDocPtr doc = nullptr;
  bool wellFormed = false;
  try {
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    FileInput input;
    input.file = &file;
    {
      ErrorScope scope(errors);
      std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                         xmlFreeParserCtxt);
      if (context) {
        KeepPositions(context.get());
        doc = xmlCtxtReadIO(context.get(), FileInput::Read, nullptr, &input, nullptr, nullptr,
                            kParseOptions);
        wellFormed = context->wellFormed != 0;
      }
    }
    // A read error shows as the file error it was, not as what the parser
    // made of the missing text.
    if (input.failed) {
      errors = ErrorCollector();
      errors.Fail(kFileErrorCode, input.reason);
    }
  } catch (const CFileException& error) {
    errors.Fail(kFileErrorCode, error.GetErrorMessage());
  }
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> parsed(doc, xmlFreeDoc);
  if (!errors.HasError() && (!parsed || !wellFormed || !xmlDocGetRootElement(parsed.get())))
    errors.Fail(XML_ERR_DOCUMENT_EMPTY, CString("文書を読み込めませんでした。"_sj));
  std::size_t budget = kExpansionBudget;
  if (!errors.HasError() && !Tidy(xmlDocGetRootElement(parsed.get()), budget))
    errors.Fail(kExpansionErrorCode, CString("エンティティの展開が大きすぎます。"_sj));
  if (errors.HasError()) {
    m_errorCode = errors.Code();
    m_errorReason = errors.Reason();
    return false;
  }
  m_impl = std::make_unique<Impl>(parsed.release());
  return true;
}

bool Document::Save(const CString& path) {
  m_errorCode = 0;
  m_errorReason.Empty();
  try {
    std::string encoding;
    for (xmlNodePtr child = m_impl->doc->children; child; child = child->next) {
      if (child->type == XML_PI_NODE && xmlStrEqual(child->name, XmlChars("xml"))) {
        encoding = Serializer::DeclaredEncoding(child->content ? Chars(child->content) : "");
        break;
      }
    }
    Serializer out(encoding);
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    out.SetFile(&file);
    for (xmlNodePtr child = m_impl->doc->children; child; child = child->next) out.TopLevel(child);
    out.Flush();
    file.Close();
  } catch (const CFileException& error) {
    m_errorCode = kFileErrorCode;
    m_errorReason = error.GetErrorMessage();
  } catch (const ConversionError&) {
    m_errorCode = kConversionErrorCode;
    m_errorReason = ConversionError::Message();
  } catch (const Serializer::StructureError&) {
    m_errorCode = kStructureErrorCode;
    m_errorReason = "コメントまたは処理命令に書き込めない文字列が含まれています。"_sj;
  }
  return m_errorCode == 0;
}

Node Document::CreateElement(const CString& name) {
  const std::string utf8 = ValidName(name);
  return Node(
      NewOrphan(m_impl->doc, xmlNewDocNode(m_impl->doc, nullptr, XmlChars(utf8.c_str()), nullptr)));
}

Node Document::CreateProcessingInstruction(const CString& target, const CString& data) {
  const std::string name = ValidName(target);
  const std::string utf8 = ToTree(data.view());
  return Node(NewOrphan(m_impl->doc,
                        xmlNewDocPI(m_impl->doc, XmlChars(name.c_str()), XmlChars(utf8.c_str()))));
}

Node Document::CreateComment(const CString& text) {
  const std::string utf8 = ToTree(text.view());
  return Node(NewOrphan(m_impl->doc, xmlNewDocComment(m_impl->doc, XmlChars(utf8.c_str()))));
}

void Document::AppendChild(Node child) {
  xmlNodePtr doc = reinterpret_cast<xmlNodePtr>(m_impl->doc);
  xmlNodePtr node = Native(child);
  CheckAppend(doc, node);
  if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE)
    throw std::invalid_argument("text at the top of a document");
  if (node->type == XML_ELEMENT_NODE && xmlDocGetRootElement(m_impl->doc) &&
      xmlDocGetRootElement(m_impl->doc) != node)
    throw std::invalid_argument("a document has one root element");
  Link(doc, node);
}

}  // namespace vext::xml
