// The walk that runs over every parsed tree before the components see it.
#include <libxml/entities.h>

#include <utility>
#include <vector>

#include "platform/xml/detail/XmlInternal.h"

namespace vext::xml::detail {
namespace {

bool IsBlank(const xmlChar* text) {
  if (!text) return true;
  for (; *text; ++text)
    if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
  return true;
}

bool IsMarkup(const xmlNode* node) {
  return node->type == XML_ELEMENT_NODE || node->type == XML_COMMENT_NODE ||
         node->type == XML_PI_NODE;
}

// xml:space on the element, or what its parent passed down.
bool Preserves(const xmlNode* element, bool inherited) {
  for (const xmlAttr* a = element->properties; a; a = a->next) {
    if (!a->ns || !xmlStrEqual(a->ns->prefix, XmlChars("xml")) ||
        !xmlStrEqual(a->name, XmlChars("space")))
      continue;
    const std::string value = AttributeValue(a);
    if (value == "preserve") return true;
    if (value == "default") return false;
  }
  return inherited;
}

std::size_t Weight(const xmlNode* list) {
  std::size_t weight = 0;
  for (const xmlNode* n = list; n; n = n->next) {
    weight += 1 + static_cast<std::size_t>(xmlStrlen(n->content));
    if (n->type == XML_ELEMENT_NODE) weight += Weight(n->children);
  }
  return weight;
}

void Unlink(xmlNodePtr node) {
  xmlUnlinkNode(node);
  xmlFreeNode(node);
}

// Puts `list` (unlinked siblings) in place of `ref`, which is freed.
// Returns the first node of the list, or what followed `ref`.
xmlNodePtr Replace(xmlNodePtr ref, xmlNodePtr list) {
  xmlNodePtr parent = ref->parent;
  xmlNodePtr next = ref->next;
  xmlNodePtr prev = ref->prev;
  xmlUnlinkNode(ref);
  xmlFreeNode(ref);
  if (!list) return next;
  xmlNodePtr last = list;
  for (xmlNodePtr n = list; n; n = n->next) {
    n->parent = parent;
    last = n;
  }
  list->prev = prev;
  if (prev)
    prev->next = list;
  else
    parent->children = list;
  last->next = next;
  if (next)
    next->prev = last;
  else
    parent->last = last;
  return list;
}

// Replaces entity references among the element's children by copies of
// the entities' content; false when the copies pass the budget.
bool ExpandReferences(xmlNodePtr element, std::size_t& budget) {
  for (xmlNodePtr child = element->children; child;) {
    if (child->type != XML_ENTITY_REF_NODE) {
      child = child->next;
      continue;
    }
    xmlEntityPtr entity = xmlGetDocEntity(element->doc, child->name);
    xmlNodePtr copy = nullptr;
    if (entity && entity->etype == XML_INTERNAL_GENERAL_ENTITY && entity->children) {
      copy = xmlDocCopyNodeList(element->doc, entity->children);
      const std::size_t weight = Weight(copy);
      if (weight > budget) {
        xmlFreeNodeList(copy);
        return false;
      }
      budget -= weight;
    }
    // The copy may hold references itself: the loop visits it next.
    child = Replace(child, copy);
  }
  // Text that met text across a reference becomes one node again.
  for (xmlNodePtr child = element->children; child && child->next;) {
    xmlNodePtr next = child->next;
    if (child->type == XML_TEXT_NODE && next->type == XML_TEXT_NODE) {
      xmlTextConcat(child, next->content, xmlStrlen(next->content));
      Unlink(next);
    } else {
      child = next;
    }
  }
  return true;
}

}  // namespace

void FlattenAttributes(xmlNodePtr element) {
  for (xmlAttrPtr a = element->properties; a; a = a->next) {
    xmlNodePtr only = a->children;
    if (!only || (only->type == XML_TEXT_NODE && !only->next)) continue;
    xmlChar* value = xmlNodeListGetString(element->doc, a->children, 1);
    xmlFreeNodeList(a->children);
    a->children = a->last = nullptr;
    xmlNodePtr text = xmlNewDocText(element->doc, value ? value : XmlChars(""));
    xmlFree(value);
    if (text) {
      text->parent = reinterpret_cast<xmlNodePtr>(a);
      a->children = a->last = text;
    }
  }
}

std::string QualifiedName(const xmlNode* node) {
  std::string name;
  if (node->ns && node->ns->prefix) {
    name = Chars(node->ns->prefix);
    name += ':';
  }
  if (node->name) name += Chars(node->name);
  return name;
}

std::string QualifiedName(const xmlAttr* attr) {
  std::string name;
  if (attr->ns && attr->ns->prefix) {
    name = Chars(attr->ns->prefix);
    name += ':';
  }
  if (attr->name) name += Chars(attr->name);
  return name;
}

std::string_view AttributeValue(const xmlAttr* attr, std::string& scratch) {
  const xmlNode* only = attr->children;
  if (only && only->type == XML_TEXT_NODE && !only->next)
    return only->content ? Chars(only->content) : "";
  scratch = AttributeValue(attr);
  return scratch;
}

bool HasQualifiedName(const xmlAttr* attr, std::string_view qname) {
  if (attr->ns && attr->ns->prefix) {
    const std::string_view prefix = Chars(attr->ns->prefix);
    if (qname.size() <= prefix.size() || qname.substr(0, prefix.size()) != prefix ||
        qname[prefix.size()] != ':')
      return false;
    qname.remove_prefix(prefix.size() + 1);
  }
  return attr->name && qname == Chars(attr->name);
}

std::string AttributeValue(const xmlAttr* attr) {
  const xmlNode* only = attr->children;
  if (!only) return std::string();
  if (only->type == XML_TEXT_NODE && !only->next) return only->content ? Chars(only->content) : "";
  xmlChar* value = xmlNodeListGetString(attr->doc, attr->children, 1);
  std::string result = value ? Chars(value) : "";
  xmlFree(value);
  return result;
}

bool Tidy(xmlNodePtr root, std::size_t& budget) {
  if (!root || root->type != XML_ELEMENT_NODE) return true;
  // Depth-first with an explicit stack: entity content can nest deeper
  // than the document itself shows.
  std::vector<std::pair<xmlNodePtr, bool>> pending{{root, Preserves(root, false)}};
  while (!pending.empty()) {
    auto [element, preserve] = pending.back();
    pending.pop_back();
    FlattenAttributes(element);
    if (!ExpandReferences(element, budget)) return false;

    bool markup = false;
    for (xmlNodePtr child = element->children; child; child = child->next)
      if (IsMarkup(child)) markup = true;
    for (xmlNodePtr child = element->children; child;) {
      xmlNodePtr next = child->next;
      if (markup && !preserve && child->type == XML_TEXT_NODE && IsBlank(child->content))
        Unlink(child);
      else if (child->type == XML_ELEMENT_NODE)
        pending.emplace_back(child, Preserves(child, preserve));
      child = next;
    }
  }
  return true;
}

}  // namespace vext::xml::detail
