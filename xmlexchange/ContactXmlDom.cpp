#include "ContactXmlDom.h"

#include "ContactXmlNames.h"

namespace vext::contactxml {

CString AttributeOf(const xml::Node& element, const char* name) {
  return element.GetAttribute(name).value_or(CString());
}

xml::Node AddElement(xml::Document& doc, xml::Node parent, const char* name,
                     AttributeList attributes) {
  xml::Node element = doc.CreateElement(name);
  parent.AppendChild(element);
  for (const auto& [attribute, value] : attributes) element.SetAttribute(attribute, value);
  return element;
}

xml::Node AddTextElement(xml::Document& doc, xml::Node parent, const char* name,
                         AttributeList attributes, const CString& text) {
  xml::Node element = AddElement(doc, parent, name, attributes);
  element.SetText(text);
  return element;
}

RootForm RootFormOf(const CString& rootName, const CString& version) {
  if (rootName == kElemSnContactXml) return RootForm::Wrapped;
  if (rootName != kElemContactXml) return RootForm::NotContactXml;
  if (version == kVersion11) return RootForm::Items;
  if (version == kVersion10) return RootForm::RootIsEntry;
  return RootForm::UnsupportedVersion;
}

const char* EntryElementOf(RootForm form) {
  switch (form) {
    case RootForm::Items: return kElemContactXmlItem;
    case RootForm::Wrapped: return kElemContactXml;
    default: return nullptr;
  }
}

void BeginContactXml(xml::EntryWriter& writer, const CString& path, const char* declaration,
                     const char* doctypeComment) {
  writer.Begin(
      path, declaration, doctypeComment, kElemContactXml,
      {{kAttrXmlns, kNamespaceUri}, {kAttrVersion, kVersion11}, {kAttrCreator, kCreatorUri}});
}

}  // namespace vext::contactxml
