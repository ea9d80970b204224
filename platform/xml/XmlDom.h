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
//
// Text read from a document that CP932 cannot hold (an emoji in a UTF-8
// file) is never replaced: NodeName, Attributes, GetAttribute and Text
// throw ConversionError, and the caller reports it.
//
// Saved bytes: the "xml" declaration exactly as its processing instruction
// gives it, each top-level node followed by CR LF (the root too), no
// indentation, elements without children as <X/>, attributes in double
// quotes. Text escapes & < > and CR (as &#13;, which reading keeps);
// attribute values escape & < " and CR, LF, tab. A character the output
// encoding lacks is written as a character reference, and so are DEL and
// the C1 controls (U+007F to U+009F), which XML 1.1 allows in no other way.
//
// Reading lets a text node grow beyond libxml2's 10,000,000-byte limit
// (whatever was written can be read again) while its limits on depth and
// entity expansion stay.
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

namespace vext::xml {

// Text that cannot be carried between CP932 and the parser's Unicode.
// Also thrown for the C0 control characters (other than tab, line feed and
// carriage return), which an XML file cannot carry.
class AFX_API ConversionError : public std::runtime_error {
 public:
  ConversionError() : std::runtime_error("text not convertible between CP932 and Unicode") {}
  // Text of a parsed document: where it stands, as far as the parser kept
  // it (the line, and the column just after the start tag of the element
  // that holds the text or the attribute; 0 when not known).
  ConversionError(long line, long column) : ConversionError() {
    m_nLine = line;
    m_nColumn = column;
  }
  // "文字コードを変換できない文字が含まれています。" in CP932.
  static CString Message();
  // Message() after the position, "3 行目 5 桁目: ", when there is one.
  CString Reason() const;

  long m_nLine = 0;
  long m_nColumn = 0;
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
  // Attributes by their qualified names as written ("xml:lang"): the
  // namespace declarations ("xmlns", "xmlns:p") of a parsed element first,
  // then the others in document order.
  std::vector<Attribute> Attributes() const;
  // The attribute's value; nullopt when the element has none of that name.
  std::optional<CString> GetAttribute(std::string_view name) const;
  // The concatenation of all descendant text and CDATA, unchanged.
  CString Text() const;

  // Throw ConversionError for text that is not valid CP932, and
  // std::invalid_argument for a name that is not an XML name.
  void SetAttribute(const CString& name, const CString& value);
  // Replaces the element's children by the text (none when empty); the
  // old children stay valid, outside the tree, while the document lives
  // (in an EntryReader's entry they are freed).
  void SetText(const CString& text);
  // Moves `child` (of the same document) to the end of this element's
  // children; std::invalid_argument for a node of another document or one
  // that would end up inside itself.
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

  // Replaces the document with the file's (an empty one on failure; the
  // old nodes are gone either way). Loading is synchronous and never
  // validates against a DTD: the callers' switches to that effect have
  // nothing to switch. A parsed document has no "xml"
  // processing instruction and keeps no DTD. false: see ParseErrorCode.
  bool Load(const CString& path);
  // Writes the top-level nodes in order, the "xml" processing instruction
  // as the declaration, in CP932 when it names Shift_JIS or an alias,
  // UTF-8 when it names UTF-8 or there is none, else in the encoding it
  // names; atomically (the old file stays on failure). false: see
  // ParseErrorCode.
  bool Save(const CString& path);

  // 0 when the last Load or Save succeeded: libxml2's error number for a
  // parse error, kFileError, kConversionError, kStructureError (a comment
  // holding "--" or a processing instruction holding "?>") or
  // kExpansionError (internal entities that expand beyond 16 MiB).
  long ParseErrorCode() const { return m_errorCode; }
  // Why it failed: "3 行目 5 桁目: " and libxml2's message for a parse
  // error, the platform's file-error message for a file error.
  CString ParseErrorReason() const { return m_errorReason; }

  static constexpr long kFileError = -1;
  static constexpr long kConversionError = -2;
  static constexpr long kStructureError = -3;
  static constexpr long kExpansionError = -4;

  Node DocumentElement() const;
  // New nodes belong to the document but stand outside its tree until
  // appended. Throw ConversionError and std::invalid_argument as SetText
  // and SetAttribute do.
  Node CreateElement(const CString& name);
  Node CreateProcessingInstruction(const CString& target, const CString& data);
  Node CreateComment(const CString& text);
  // Adds a top-level node; std::invalid_argument for text or a second
  // root element.
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
  // An error met beyond that is reported by the call that reaches it:
  // NextEntry after the entries that were whole before it, or Finish when
  // it lies after the root's end.
  bool Open(const CString& path);
  // The root's name and attributes, as Node gives them.
  CString RootName() const;
  std::vector<Attribute> RootAttributes() const;
  std::optional<CString> RootAttribute(std::string_view name) const;

  // The root with all its content, for a document whose root is itself the
  // one entry. Valid until the reader is destroyed.
  Node ExpandRoot();
  // The root's next child element, expanded into a small tree that is
  // valid until the next call; a null Node at the end or on a parse error
  // (see ParseErrorCode). The entries before an error all come first.
  Node NextEntry();
  // Reads the rest of the document, keeping nothing of it; entries handed
  // out are gone afterwards (an expanded root stays). false: the document
  // is not well-formed (see ParseErrorCode).
  bool Finish();

  long ParseErrorCode() const { return m_errorCode; }
  CString ParseErrorReason() const { return m_errorReason; }

 private:
  bool Fail();

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
  // the "xml" processing instruction's data, the comment (none when
  // empty), and the root's start tag with its attributes; the encoding is
  // chosen as Document::Save chooses it. Throws CFileException when the
  // file cannot be created, ConversionError for text that cannot be
  // written and std::invalid_argument for a bad name or a comment holding
  // "--" (nothing is created then). A root without entries is written
  // <Root .../>.
  void Begin(const CString& path, const CString& declarationData, const CString& comment,
             const CString& rootName, const std::vector<Attribute>& rootAttributes);
  // The document whose CreateElement makes the entries.
  Document& Nodes();
  // Writes the entry after those before it and frees it, with every other
  // node made since the last Write and not put into it. Throws
  // CFileException on a write error; ConversionError for a name the
  // encoding lacks and std::invalid_argument for a comment holding "--"
  // or a node that is not an element of Nodes(), nothing of the entry
  // written then.
  void Write(Node entry);
  // Ends the root, flushes and renames over the target. Throws
  // CFileException on failure (the target stays as it was).
  void Commit();

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace vext::xml
