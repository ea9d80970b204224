// EntryWriter: the document's header and root start tag, then one entry
// at a time, each serialised and freed as soon as it is written.
#include <stdexcept>

#include "platform/fs/File.h"
#include "platform/xml/XmlDom.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml {

using namespace detail;

namespace {
constexpr std::size_t kWriteSize = 1 << 20;
}

struct EntryWriter::Impl {
  Document nodes;
  std::unique_ptr<CFile> file;
  std::unique_ptr<Serializer> out;
  std::string rootName;
  bool startTagClosed = false;
  bool committed = false;
};

EntryWriter::EntryWriter() : m_impl(std::make_unique<Impl>()) {}

EntryWriter::~EntryWriter() {
  if (m_impl && m_impl->file && !m_impl->committed) {
    try {
      m_impl->file->Abort();
    } catch (...) {
      // The temporary file is gone or will be; the target is untouched.
    }
  }
}

Document& EntryWriter::Nodes() { return m_impl->nodes; }

void EntryWriter::Begin(const CString& path, const CString& declarationData, const CString& comment,
                        const CString& rootName, const std::vector<Attribute>& rootAttributes) {
  if (m_impl->out) throw std::logic_error("EntryWriter::Begin called twice");
  // Everything is converted before the file is made, so that bad text
  // leaves no trace.
  const std::string declaration = ToTree(declarationData.view());
  const std::string commentText = ToTree(comment.view());
  std::string root = ToTree(rootName.view());
  if (root.empty() || xmlValidateName(XmlChars(root.c_str()), 0) != 0)
    throw std::invalid_argument("not an XML name");
  std::vector<std::pair<std::string, std::string>> attributes;
  for (const auto& [name, value] : rootAttributes) {
    attributes.emplace_back(ToTree(name.view()), ToTree(value.view()));
    if (attributes.back().first.empty() ||
        xmlValidateName(XmlChars(attributes.back().first.c_str()), 0) != 0)
      throw std::invalid_argument("not an XML name");
  }

  auto out = std::make_unique<Serializer>(Serializer::DeclaredEncoding(declaration));
  try {
    if (!declarationData.IsEmpty()) {
      out->Declaration(declaration);
      out->Raw("\r\n");
    }
    if (!comment.IsEmpty()) {
      out->Comment(commentText);
      out->Raw("\r\n");
    }
  } catch (const Serializer::StructureError&) {
    throw std::invalid_argument("comment or declaration that XML cannot hold");
  }
  out->StartTagOpen(root);
  for (const auto& [name, value] : attributes) out->Attribute(name, value);

  m_impl->file = std::make_unique<CFile>(path, CFile::modeCreate | CFile::modeWrite);
  m_impl->out = std::move(out);
  m_impl->rootName = std::move(root);
}

void EntryWriter::Write(Node entry) {
  Impl& w = *m_impl;
  if (!w.out || w.committed) throw std::logic_error("EntryWriter::Write outside Begin and Commit");
  auto* node = static_cast<xmlNodePtr>(entry.native());
  if (!node || node->doc != static_cast<xmlDocPtr>(w.nodes.native()) ||
      node->type != XML_ELEMENT_NODE)
    throw std::invalid_argument("an entry is an element made by Nodes()");

  // An entry that cannot be written leaves nothing of itself behind.
  std::string& buffer = w.out->Buffer();
  const std::size_t before = buffer.size();
  try {
    if (!w.startTagClosed) buffer += '>';
    w.out->Element(node);
  } catch (const Serializer::StructureError&) {
    buffer.resize(before);
    throw std::invalid_argument("comment or processing instruction that XML cannot hold");
  } catch (...) {
    buffer.resize(before);
    throw;
  }
  w.startTagClosed = true;

  xmlUnlinkNode(node);
  xmlFreeNode(node);
  w.nodes.m_impl->FreeOrphans();

  if (buffer.size() >= kWriteSize) {
    w.file->Write(buffer.data(), static_cast<UINT>(buffer.size()));
    buffer.clear();
  }
}

void EntryWriter::Commit() {
  Impl& w = *m_impl;
  if (!w.out || w.committed) throw std::logic_error("EntryWriter::Commit outside Begin");
  std::string& buffer = w.out->Buffer();
  if (w.startTagClosed)
    w.out->EndTag(w.rootName);
  else
    buffer += "/>";
  buffer += "\r\n";
  w.file->Write(buffer.data(), static_cast<UINT>(buffer.size()));
  buffer.clear();
  w.file->Close();
  w.committed = true;
}

}  // namespace vext::xml
