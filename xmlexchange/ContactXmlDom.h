// DOM helpers that every ContactXML reader and writer of the system uses:
// children by name, attributes read as empty when missing, elements made
// and linked in one step, the root forms, and the root's start tag.
#pragma once

#include <initializer_list>
#include <utility>

#include "platform/base/CString.h"
#include "platform/xml/XmlDom.h"

namespace vext::contactxml {

// Calls fn(child) for each child element of `parent` named `name`, in
// document order.
template <typename Fn>
void ForEachChild(const xml::Node& parent, const char* name, Fn fn) {
  for (const xml::Node& child : parent.ChildNodes())
    if (child.IsElement() && child.NodeName() == name) fn(child);
}

// The attribute's value; empty when the element has none of that name.
CString AttributeOf(const xml::Node& element, const char* name);

using AttributeList = std::initializer_list<std::pair<const char*, CString>>;

// Makes an element with its attributes in the order given and appends it
// to `parent` at once, so that a failure part-way leaves no loose node.
xml::Node AddElement(xml::Document& doc, xml::Node parent, const char* name,
                     AttributeList attributes = {});
// The same with a text (none when empty).
xml::Node AddTextElement(xml::Document& doc, xml::Node parent, const char* name,
                         AttributeList attributes, const CString& text);

// The root forms, by root name and "version".
enum class RootForm {
  Items,               // "ContactXML" 1.1: ContactXMLItem children are the entries
  RootIsEntry,         // "ContactXML" 1.0: the root is the one entry
  Wrapped,             // "SNContactXML": ContactXML children are the entries
  UnsupportedVersion,  // "ContactXML" of any other version
  NotContactXml,       // any other root
};
RootForm RootFormOf(const CString& rootName, const CString& version);
// The name of the root's children that are entries; nullptr for the forms
// without such children.
const char* EntryElementOf(RootForm form);

// Starts a ContactXML 1.1 document at `path` (an atomic rewrite): the
// declaration, the commented document type line and the root with its
// namespace, version and the maker's creator URI. Throws as
// EntryWriter::Begin does.
void BeginContactXml(xml::EntryWriter& writer, const CString& path, const char* declaration,
                     const char* doctypeComment);

}  // namespace vext::contactxml
