// EntryReader on libxml2's push parser, fed a piece of the file at a time.
// The parser builds the tree as usual; each child of the root is handed
// out once it is complete and freed when the next one is, so memory stays
// flat however long the list.
//
// Why not xmlTextReader: it reports an error as soon as the parser meets
// it, possibly several entries ahead of the one handed out, and a small
// document fails before its first entry. Here the entries that were whole
// when the parser met the error all come out first.
//
// The root's last child is never freed while parsing goes on: the parser
// may still be appending to it (and keeps pointers into its last text).
#include "platform/fs/File.h"
#include "platform/text/Sj.h"
#include "platform/xml/XmlDom.h"
#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml {

using namespace detail;

namespace {

constexpr UINT kPieceSize = 64 * 1024;

const char* ExpansionMessage() { return "エンティティの展開が大きすぎます。"_sj; }

}  // namespace

struct EntryReader::Impl {
  enum class State { Entries, RootExpanded, AfterRoot, Finished, Failed };

  Impl() {
    errors.OnParserError([this] { TakeBoundary(); });
  }
  ~Impl() {
    if (!context) return;
    if (context->myDoc) xmlFreeDoc(context->myDoc);
    context->myDoc = nullptr;
    xmlFreeParserCtxt(context);
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // True while the parser is inside `node` (it is on the parser's stack).
  bool IsOpen(const xmlNode* node) const {
    for (int i = 0; i < context->nodeNr; ++i)
      if (context->nodeTab[i] == node) return true;
    return false;
  }

  xmlNodePtr Root() const {
    return context && context->myDoc ? xmlDocGetRootElement(context->myDoc) : nullptr;
  }

  // After an error only the entries that were whole when the parser met it
  // count: the last complete element child of the root at that moment.
  void TakeBoundary() {
    if (boundaryTaken) return;
    boundaryTaken = true;
    xmlNodePtr r = Root();
    // An error after the root's end leaves every entry good; Finish
    // reports it.
    rootCompleteAtError = r && !IsOpen(r);
    if (r)
      for (xmlNodePtr n = r->last; n; n = n->prev)
        if (n->type == XML_ELEMENT_NODE && !IsOpen(n)) {
          boundary = n;
          break;
        }
  }

  bool Failing() const { return input.failed || errors.HasError(); }

  // One more piece of the file into the parser; false when nothing more
  // can come (the end, an error, a read error).
  bool Feed() {
    if (stopped) return false;
    piece.resize(kPieceSize);
    const int n = FileInput::Read(&input, piece.data(), static_cast<int>(piece.size()));
    {
      ErrorScope scope(errors);
      if (n > 0)
        xmlParseChunk(context, piece.data(), n, 0);
      else if (n == 0)
        xmlParseChunk(context, nullptr, 0, 1);
    }
    if (n <= 0 || context->instate == XML_PARSER_EOF || Failing()) stopped = true;
    if (Failing()) {
      TakeBoundary();
      if (context->input) errors.SetPositionIfMissing(context->input->line, context->input->col);
    }
    return true;
  }

  // The first element child of the root at or after `node`.
  static xmlNodePtr NextElement(xmlNodePtr node) {
    while (node && node->type != XML_ELEMENT_NODE) node = node->next;
    return node;
  }

  // Frees the root's children before `keep` (which is never the first to
  // go, so the root's last child stays).
  void FreeBefore(xmlNodePtr keep) {
    xmlNodePtr root = Root();
    while (root && root->children && root->children != keep) {
      xmlNodePtr gone = root->children;
      xmlUnlinkNode(gone);
      xmlFreeNode(gone);
    }
  }

  std::unique_ptr<CFile> file;
  FileInput input;
  std::string piece;
  xmlParserCtxtPtr context = nullptr;
  ErrorCollector errors;
  State state = State::Failed;
  bool stopped = false;
  bool boundaryTaken = false;
  xmlNodePtr boundary = nullptr;  // valid while boundaryTaken
  bool boundaryPassed = false;
  bool rootCompleteAtError = false;
  xmlNodePtr handedOut = nullptr;  // the entry handed out last
};

EntryReader::EntryReader() = default;
EntryReader::~EntryReader() = default;

bool EntryReader::Open(const CString& path) {
  EnsureInitialised();
  m_errorCode = 0;
  m_errorReason.Empty();
  m_impl = std::make_unique<Impl>();
  Impl& r = *m_impl;
  try {
    r.file = std::make_unique<CFile>(path, CFile::modeRead | CFile::shareDenyWrite);
  } catch (const CFileException& error) {
    m_errorCode = kFileErrorCode;
    m_errorReason = error.GetErrorMessage();
    return false;
  }
  r.input.file = r.file.get();

  // The first bytes go in with the context so that a byte-order mark is
  // seen before anything is decoded.
  char start[4];
  const int n = FileInput::Read(&r.input, start, sizeof start);
  if (n < 0) return Fail();
  if (n == 0) {
    // libxml2 would speak of extra content after the (missing) root.
    r.errors.Fail(XML_ERR_DOCUMENT_EMPTY, CString("文書が空です。"_sj));
    return Fail();
  }
  {
    ErrorScope scope(r.errors);
    r.context = xmlCreatePushParserCtxt(nullptr, nullptr, start, n, nullptr);
    if (r.context) {
      xmlCtxtUseOptions(r.context, kParseOptions);
      KeepPositions(r.context);
    }
  }
  if (!r.context) return Fail();
  while (!r.Root() && r.Feed()) {
  }
  xmlNodePtr root = r.Root();
  if (!root) return Fail();
  FlattenAttributes(root);
  r.state = Impl::State::Entries;
  return true;
}

bool EntryReader::Fail() {
  Impl& r = *m_impl;
  r.state = Impl::State::Failed;
  if (r.input.failed) {
    m_errorCode = kFileErrorCode;
    m_errorReason = r.input.reason;
  } else if (r.errors.HasError()) {
    m_errorCode = r.errors.Code();
    m_errorReason = r.errors.Reason();
  } else {
    m_errorCode = XML_ERR_DOCUMENT_END;
    m_errorReason = "文書の途中で読み込みが終わりました。"_sj;
  }
  return false;
}

CString EntryReader::RootName() const {
  return m_impl && m_impl->Root() ? Node(m_impl->Root()).NodeName() : CString();
}

std::vector<Attribute> EntryReader::RootAttributes() const {
  return m_impl && m_impl->Root() ? Node(m_impl->Root()).Attributes() : std::vector<Attribute>();
}

std::optional<CString> EntryReader::RootAttribute(std::string_view name) const {
  return m_impl && m_impl->Root() ? Node(m_impl->Root()).GetAttribute(name) : std::nullopt;
}

Node EntryReader::ExpandRoot() {
  if (!m_impl || m_impl->state != Impl::State::Entries || m_impl->handedOut) return Node();
  Impl& r = *m_impl;
  xmlNodePtr root = r.Root();
  while (r.IsOpen(root) && !r.Failing() && r.Feed()) {
  }
  if (r.IsOpen(root) || r.Failing()) {
    Fail();
    return Node();
  }
  std::size_t budget = kExpansionBudget;
  if (!Tidy(root, budget)) {
    r.errors.Fail(kExpansionErrorCode, CString(ExpansionMessage()));
    Fail();
    return Node();
  }
  r.state = Impl::State::RootExpanded;
  return Node(root);
}

Node EntryReader::NextEntry() {
  if (!m_impl || m_impl->state != Impl::State::Entries) return Node();
  Impl& r = *m_impl;
  xmlNodePtr root = r.Root();
  if (!root) return Node();
  xmlNodePtr entry = nullptr;
  for (;;) {
    entry = Impl::NextElement(r.handedOut ? r.handedOut->next : root->children);
    if (r.boundaryTaken) {
      if (!entry && r.rootCompleteAtError) {
        r.state = Impl::State::AfterRoot;
        return Node();
      }
      if (!entry || r.boundaryPassed || !r.boundary) {
        Fail();
        return Node();
      }
      break;
    }
    if (entry && !r.IsOpen(entry)) break;
    if (!entry && !r.IsOpen(root)) {
      r.state = Impl::State::AfterRoot;
      return Node();
    }
    if (!r.Feed()) {
      // Stopped without an error yet inside the root: cannot happen with
      // libxml2, which reports a premature end; fail all the same.
      Fail();
      return Node();
    }
  }
  if (entry == r.boundary) r.boundaryPassed = true;
  r.FreeBefore(entry);
  r.handedOut = entry;
  std::size_t budget = kExpansionBudget;
  if (!Tidy(entry, budget)) {
    r.errors.Fail(kExpansionErrorCode, CString(ExpansionMessage()));
    Fail();
    return Node();
  }
  return Node(entry);
}

bool EntryReader::Finish() {
  if (!m_impl) return false;
  Impl& r = *m_impl;
  if (r.state == Impl::State::Failed) return false;
  if (r.state == Impl::State::Finished) return true;
  // Nothing handed out is needed any more, except an expanded root.
  const bool keep = r.state == Impl::State::RootExpanded;
  do {
    if (!keep) {
      xmlNodePtr root = r.Root();
      if (root && root->last) r.FreeBefore(root->last);
    }
  } while (!r.Failing() && r.Feed());
  if (r.Failing() || r.IsOpen(r.Root())) return Fail();
  r.state = Impl::State::Finished;
  return true;
}

}  // namespace vext::xml
