// Inside the XML facade: libxml2 set-up, the CP932 tables, error capture,
// the tidying walk that runs after every parse, and the serializer. Not
// installed and not exported.
#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/xml/XmlDom.h"

class CFile;

namespace vext::xml::detail {

// Initialises libxml2 and registers the CP932 decoder for every Shift_JIS
// name; safe to call from any thread, any number of times.
void EnsureInitialised();

// True for the names that mean CP932 here (Shift_JIS and its aliases).
bool IsCp932Name(std::string_view encoding);

// CP932 in, UTF-8 out for the tree; throws ConversionError for bytes that
// are not CP932 or for characters XML cannot carry (C0 controls other than
// tab, line feed and carriage return).
std::string ToTree(std::string_view cp932);
// UTF-8 from the tree, CP932 out; throws ConversionError.
CString FromTree(std::string_view utf8);
inline CString FromTree(const xmlChar* utf8) {
  return FromTree(utf8 ? std::string_view(reinterpret_cast<const char*>(utf8))
                       : std::string_view());
}

inline const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }
inline const xmlChar* XmlChars(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

// Error codes other than libxml2's own (which are positive).
constexpr long kFileErrorCode = Document::kFileError;
constexpr long kConversionErrorCode = Document::kConversionError;
constexpr long kStructureErrorCode = Document::kStructureError;
constexpr long kExpansionErrorCode = Document::kExpansionError;

// Collects what libxml2 reports while it is installed on this thread: the
// first error (warnings are ignored), with a position taken from a later
// report when the first one has none (conversion errors come without one).
class ErrorCollector {
 public:
  bool HasError() const { return m_code != 0; }
  int Code() const { return m_code; }
  // "3 行目 5 桁目: " followed by libxml2's message, in CP932.
  CString Reason() const;
  // Records a failure of our own (a read error, an expansion limit...).
  void Fail(int code, CString reason);
  // Gives the reason a position when no report carried one.
  void SetPositionIfMissing(int line, int column);
  // Called once, at the first error that the parser itself reports (not
  // the decoder or the I/O layer), while the parser is still where it met
  // the error.
  void OnParserError(std::function<void()> hook) { m_onParserError = std::move(hook); }

  static void Handler(void* collector, xmlErrorPtr error);

 private:
  int m_code = 0;
  int m_line = 0;
  int m_column = 0;
  std::string m_message;  // UTF-8, from libxml2
  CString m_ownReason;    // when set, the whole reason
  bool m_parserErrorSeen = false;
  std::function<void()> m_onParserError;
};

// Installs a collector as this thread's libxml2 error handler and silences
// libxml2's printing to standard error; restores the previous handlers.
class ErrorScope {
 public:
  explicit ErrorScope(ErrorCollector& collector);
  ~ErrorScope();
  ErrorScope(const ErrorScope&) = delete;
  ErrorScope& operator=(const ErrorScope&) = delete;

 private:
  xmlStructuredErrorFunc m_oldStructured;
  void* m_oldStructuredContext;
  xmlGenericErrorFunc m_oldGeneric;
  void* m_oldGenericContext;
};

// Puts the facade's handlers into a parser context before parsing: text
// nodes may exceed libxml2's 10,000,000-byte limit (XML_PARSE_HUGE stays
// off, and with it libxml2's bounds on depth and expansion stay on), and
// each element remembers where its content begins, for PositionOf.
void KeepPositions(xmlParserCtxtPtr context);

struct TextPosition {
  long line = 0;
  long column = 0;  // 0 when not known
};
// Where the content of `node`'s element (the node itself, or the element
// that holds it) begins in the parsed file; {0, 0} when not known.
TextPosition PositionOf(const xmlNode* node);
// "3 行目 5 桁目: " (the column left out when 0); empty without a line.
CString PositionText(long line, long column);

// Never the network, never a DTD or an external entity, no entity
// substitution by the parser, libxml2's expansion limits left on.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES;

// Reads a CFile for libxml2's I/O callbacks; a CFileException cannot pass
// through C, so it is kept and reported afterwards.
struct FileInput {
  CFile* file = nullptr;
  bool failed = false;
  CString reason;
  static int Read(void* input, char* buffer, int length);
};

// The walk that runs after parsing, over a document or one entry:
// references to internal entities are replaced by copies of their content
// (external ones, never loaded, vanish), attribute values become single
// text nodes, and white-space-only text that stands beside an element, a
// comment or a processing instruction is dropped unless xml:space says
// "preserve". false when the copies would grow beyond the expansion limit.
bool Tidy(xmlNodePtr node, std::size_t& expansionBudget);
// The attribute part of Tidy alone, for an element whose content is not
// there yet.
void FlattenAttributes(xmlNodePtr element);
constexpr std::size_t kExpansionBudget = 16 * 1024 * 1024;

// Writes nodes as bytes: the one place the facade produces XML text.
// Elements without children are written <X/>; text escapes & < > and CR,
// attribute values & < " and CR, LF, tab, so that every character comes
// back as it was when the file is read again. A character the output
// encoding lacks becomes a character reference in text and attribute
// values, as do DEL and the C1 controls; in names, comments and
// processing instructions the former throws ConversionError.
class Serializer {
 public:
  // The encoding named by an "xml" declaration's data; empty for none.
  static std::string DeclaredEncoding(std::string_view declarationUtf8);

  // CP932 for the Shift_JIS names, UTF-8 for "UTF-8" or none, otherwise
  // iconv's converter of that name. Throws ConversionError when iconv does
  // not know it or it is not a superset of ASCII.
  explicit Serializer(const std::string& encoding);
  ~Serializer();
  Serializer(const Serializer&) = delete;
  Serializer& operator=(const Serializer&) = delete;

  // With a file, the text goes out whenever a megabyte has gathered;
  // otherwise the caller takes Buffer() itself.
  void SetFile(CFile* file) { m_file = file; }
  void Flush();

  // Top-level nodes, each followed by CR LF. A comment holding "--" (or
  // ending in "-") or a processing instruction holding "?>" cannot be
  // written and throws StructureError.
  void Declaration(std::string_view dataUtf8);
  void Comment(std::string_view textUtf8);
  void TopLevel(xmlNodePtr node);

  void Element(xmlNodePtr element);
  void StartTagOpen(std::string_view nameUtf8);
  void Attribute(std::string_view nameUtf8, std::string_view valueUtf8);
  void EndTag(std::string_view nameUtf8);
  void Raw(std::string_view ascii) { m_out.append(ascii); }

  std::string& Buffer() { return m_out; }

  struct StructureError {};

 private:
  enum class Context { Markup, Text, Attribute };
  void Write(std::string_view utf8, Context context);
  void WriteName(const xmlNode* element);
  void WriteCharacter(std::string_view utf8, char32_t cp, Context context);
  void WriteReference(char32_t cp);
  void Attributes(const xmlNode* element);
  void ProcessingInstruction(std::string_view target, std::string_view data);
  void MaybeFlush();

  std::string m_out;
  enum class Target { Utf8, Cp932, Iconv } m_target = Target::Utf8;
  void* m_iconv = nullptr;
  CFile* m_file = nullptr;
};

// The qualified name of an element or attribute as written.
std::string QualifiedName(const xmlNode* node);
std::string QualifiedName(const xmlAttr* attr);
// The value of an attribute (after Tidy: its one text child).
std::string AttributeValue(const xmlAttr* attr);
// The same without a copy when the value is one text node; `scratch`
// holds it otherwise.
std::string_view AttributeValue(const xmlAttr* attr, std::string& scratch);
// Whether the attribute's qualified name is `qname`, without building it.
bool HasQualifiedName(const xmlAttr* attr, std::string_view qname);

}  // namespace vext::xml::detail

// A document of the facade: the libxml2 document, and an element outside
// its tree (the orphanage, reached through the document's _private) that
// holds every node created but not yet appended, and the children that
// SetText took away, so that no node leaks and no handle dangles while the
// document lives.
struct vext::xml::Document::Impl {
  Impl();                           // an empty document
  explicit Impl(xmlDocPtr parsed);  // takes ownership
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // Frees the orphanage's nodes.
  void FreeOrphans();

  xmlDocPtr doc = nullptr;
};

namespace vext::xml::detail {
// The orphanage of a facade document; null for a reader's documents.
inline xmlNodePtr Orphanage(const xmlDoc* doc) {
  return doc ? static_cast<xmlNodePtr>(doc->_private) : nullptr;
}
}  // namespace vext::xml::detail
