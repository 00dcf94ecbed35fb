#pragma once
// The program's one XML module: documents are read with expat into a small element tree and
// written by our own writer, which escapes every text and attribute value it writes. Skin files
// and rebar band layouts both go through it. Names are compared exactly or, where a file format
// says so, without regard to case.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/portable/text.h"

struct XmlElement {
  Text name;
  std::vector<std::pair<Text, Text>> attributes;  // in document order
  // The character data directly inside the element. In an element that has child elements,
  // text made only of white space (the indentation of a formatted document) is dropped.
  Text text;
  std::vector<XmlElement> children;

  bool NameIs(TextView wanted) const;  // without regard to case
  // nullptr when absent. The first form compares exactly, the second without regard to case.
  const Text* Attribute(TextView attributeName) const;
  const Text* AttributeIgnoringCase(TextView attributeName) const;
  // The attribute's value, or "" when absent (compared without regard to case).
  Text AttributeOr(TextView attributeName, TextView fallback = {}) const;

  // Replaces the value of an attribute of that exact name, or appends it.
  void SetAttribute(TextView attributeName, TextView value);
  XmlElement& AddChild(TextView childName);
};

// Deepest nesting a document may have; deeper documents are refused rather than recursed into.
inline constexpr int kXmlMaxDepth = 256;

// The whole document (UTF-8 or what its declaration names); false and `root` empty when it is
// not well-formed (a truncated file included), nests too deep or declares a document type
// (entities are never expanded).
bool ParseXml(std::string_view bytes, XmlElement& root);
// As ParseXml, and false too when the document element is not `rootName` (any case).
bool ParseXmlDocument(std::string_view bytes, TextView rootName, XmlElement& root);

// UTF-8 with an XML declaration, one element per line, children indented by two spaces.
// Element and attribute names are the caller's own vocabulary and are written as given;
// texts and values are escaped ("&", "<", ">", quotes, and CR, LF and TAB in values so that
// they read back unchanged). Characters XML cannot carry (controls other than CR, LF, TAB)
// are left out.
std::string WriteXml(const XmlElement& root);
