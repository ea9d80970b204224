// The XML DOM facade: the document operations the components use, on
// libxml2. Strings in and out are CP932.
//
// Loading never touches the network, never loads a DTD or an external
// entity and bounds entity expansion. White-space-only text between
// elements is dropped after parsing; a white-space-only text that is an
// element's only child stays. Shift_JIS and its aliases decode as CP932.
//
// Large documents whose entries are the root's children are read with
// EntryReader and written with EntryWriter, one entry at a time, so memory
// stays flat however many entries there are; each entry is still a DOM.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "AfxTypes.h"
#include "CString.h"

namespace vext::xml {

// Text that cannot be carried between CP932 and the parser's Unicode.
class AFX_API ConversionError : public std::runtime_error {
public:
  ConversionError() : std::runtime_error("text not convertible between CP932 and Unicode") {}
  // "文字コードを変換できない文字が含まれています。" in CP932.
  static CString Message();
};

using Attribute = std::pair<CString, CString>;

// A node of a document: a handle that does not own it. Valid while its
// document (or, for an entry, until the reader moves on) lives.
class AFX_API Node {
public:
  Node() = default;
  explicit Node(void* native) : m_node(native) {}
  explicit operator bool() const { return m_node != nullptr; }

  // The qualified name of an element; "#text", "#comment", "#cdata-section"
  // or the target of a processing instruction otherwise.
  CString NodeName() const;
  bool IsElement() const;
  std::vector<Node> ChildNodes() const;
  // Attributes as written, in document order.
  std::vector<Attribute> Attributes() const;
  // The attribute's value; nullopt when the element has none of that name.
  std::optional<CString> GetAttribute(std::string_view name) const;
  // The concatenation of all descendant text, unchanged.
  CString Text() const;

  // Throw ConversionError for text that is not valid CP932.
  void SetAttribute(const CString& name, const CString& value);
  void SetText(const CString& text);
  void AppendChild(Node child);

  void* native() const { return m_node; }

private:
  void* m_node = nullptr;
};

class AFX_API Document {
public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Kept for the interface; loading is always synchronous and never
  // validates against a DTD.
  void SetAsync(bool) {}
  void SetValidateOnParse(bool) {}

  // Replaces the document with the file's. false: see ParseErrorCode.
  bool Load(const CString& path);
  // Writes the declaration as the "xml" processing instruction gives it,
  // then the other top-level nodes, then the root, in CP932 when the
  // declaration names Shift_JIS; atomically. false: see ParseErrorCode.
  bool Save(const CString& path);

  // 0 when the last Load or Save succeeded.
  long ParseErrorCode() const { return m_errorCode; }
  // Why it failed, naming line and column for a parse error.
  CString ParseErrorReason() const { return m_errorReason; }

  Node DocumentElement() const;
  Node CreateElement(const CString& name);
  Node CreateProcessingInstruction(const CString& target, const CString& data);
  Node CreateComment(const CString& text);
  void AppendChild(Node child);

  void* native() const;

private:
  friend class EntryReader;
  friend class EntryWriter;
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  long m_errorCode = 0;
  CString m_errorReason;
};

class AFX_API EntryReader {
public:
  EntryReader();
  ~EntryReader();
  EntryReader(const EntryReader&) = delete;
  EntryReader& operator=(const EntryReader&) = delete;

  // Reads up to the root element's start tag. false: see ParseErrorCode.
  bool Open(const CString& path);
  CString RootName() const;
  std::vector<Attribute> RootAttributes() const;
  std::optional<CString> RootAttribute(std::string_view name) const;

  // The root with all its content, for a document whose root is itself the
  // one entry. Valid until the reader is destroyed.
  Node ExpandRoot();
  // The root's next child element, expanded into a small tree that is
  // valid until the next call; a null Node at the end or on a parse error
  // (see ParseErrorCode).
  Node NextEntry();
  // Reads the rest of the document without building anything. false: the
  // document is not well-formed (see ParseErrorCode).
  bool Finish();

  long ParseErrorCode() const { return m_errorCode; }
  CString ParseErrorReason() const { return m_errorReason; }

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  long m_errorCode = 0;
  CString m_errorReason;
};

class AFX_API EntryWriter {
public:
  EntryWriter();
  ~EntryWriter();  // discards an uncommitted file; the target stays as it was
  EntryWriter(const EntryWriter&) = delete;
  EntryWriter& operator=(const EntryWriter&) = delete;

  // Starts the file (an atomic rewrite of `path`): the XML declaration from
  // the "xml" processing instruction's data, the comment, and the root's
  // start tag with its attributes. Throws CFileException when the file
  // cannot be created.
  void Begin(const CString& path, const CString& declarationData, const CString& comment,
             const CString& rootName, const std::vector<Attribute>& rootAttributes);
  // The document whose CreateElement makes the entries.
  Document& Nodes();
  // Writes the entry after those before it and frees it. Throws
  // CFileException on a write error.
  void Write(Node entry);
  // Ends the root, flushes and renames over the target. Throws
  // CFileException on failure (the target stays as it was).
  void Commit();

private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace vext::xml
