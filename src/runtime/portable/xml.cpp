#include "runtime/portable/xml.h"

#include <expat.h>

#include <climits>

#include "runtime/portable/text_ops.h"

static_assert(sizeof(XML_Char) == 1, "expat is expected to hand over UTF-8");

bool XmlElement::NameIs(TextView wanted) const { return EqualIgnoringCase(name, wanted); }

const Text* XmlElement::Attribute(TextView attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (key == attributeName) return &value;
  }
  return nullptr;
}

const Text* XmlElement::AttributeIgnoringCase(TextView attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (EqualIgnoringCase(key, attributeName)) return &value;
  }
  return nullptr;
}

Text XmlElement::AttributeOr(TextView attributeName, TextView fallback) const {
  const Text* value = AttributeIgnoringCase(attributeName);
  return value != nullptr ? *value : Text(fallback);
}

void XmlElement::SetAttribute(TextView attributeName, TextView value) {
  for (auto& [key, existing] : attributes) {
    if (key == attributeName) {
      existing = Text(value);
      return;
    }
  }
  attributes.emplace_back(Text(attributeName), Text(value));
}

XmlElement& XmlElement::AddChild(TextView childName) {
  children.emplace_back();
  children.back().name = Text(childName);
  return children.back();
}

namespace {

struct ReadState {
  XML_Parser parser = nullptr;
  XmlElement* root = nullptr;
  bool haveRoot = false;
  bool refused = false;
  // The open elements, innermost last. A child is only ever added to the innermost one, so
  // the addresses of the outer ones stay valid.
  std::vector<XmlElement*> open;
};

void Refuse(ReadState& state) {
  state.refused = true;
  XML_StopParser(state.parser, XML_FALSE);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& state = *static_cast<ReadState*>(data);
  if (static_cast<int>(state.open.size()) >= kXmlMaxDepth) return Refuse(state);
  XmlElement* element = nullptr;
  if (state.open.empty()) {
    element = state.root;
    state.haveRoot = true;
  } else {
    element = &state.open.back()->AddChild(Text());
  }
  element->name = Utf8ToText(name);
  for (int i = 0; attributes[i] != nullptr && attributes[i + 1] != nullptr; i += 2) {
    element->attributes.emplace_back(Utf8ToText(attributes[i]), Utf8ToText(attributes[i + 1]));
  }
  state.open.push_back(element);
}

bool IsWhiteSpace(TextView text) {
  for (char16_t c : text) {
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') return false;
  }
  return true;
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
  auto& state = *static_cast<ReadState*>(data);
  if (state.refused) return;  // expat may still close the element that was refused
  XmlElement& element = *state.open.back();
  if (!element.children.empty() && IsWhiteSpace(element.text)) element.text.clear();
  state.open.pop_back();
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto& state = *static_cast<ReadState*>(data);
  if (!state.refused && !state.open.empty() && length > 0) {
    state.open.back()->text += Utf8ToText(std::string_view(text, static_cast<std::size_t>(length)));
  }
}

// A document type could declare entities; none of our formats has one.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  Refuse(*static_cast<ReadState*>(data));
}

}  // namespace

bool ParseXml(std::string_view bytes, XmlElement& root) {
  root = XmlElement();
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return false;
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (parser == nullptr) return false;
  ReadState state;
  state.parser = parser;
  state.root = &root;
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
  const bool parsed = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  if (!parsed || state.refused || !state.haveRoot || !state.open.empty()) {
    root = XmlElement();
    return false;
  }
  return true;
}

bool ParseXmlDocument(std::string_view bytes, TextView rootName, XmlElement& root) {
  if (ParseXml(bytes, root) && root.NameIs(rootName)) return true;
  root = XmlElement();
  return false;
}

namespace {

bool IsXmlCharacter(char16_t c) {
  return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

// `inValue`: an attribute value, where line ends and tabs would be normalised to spaces.
Text Escape(TextView text, bool inValue) {
  Text out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (!IsXmlCharacter(c)) continue;
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += inValue ? u"&quot;" : u"\""; break;
      case u'\r': out += u"&#13;"; break;
      case u'\n': out += inValue ? u"&#10;" : u"\n"; break;
      case u'\t': out += inValue ? u"&#9;" : u"\t"; break;
      default: out += c;
    }
  }
  return out;
}

void WriteElement(const XmlElement& element, int depth, Text& out) {
  const Text indent(static_cast<std::size_t>(depth) * 2, u' ');
  out += indent + u"<" + element.name;
  for (const auto& [key, value] : element.attributes) {
    out += u" " + key + u"=\"" + Escape(value, true) + u"\"";
  }
  if (element.children.empty()) {
    out += element.text.empty() ? Text(u"/>\n") : u">" + Escape(element.text, false) + u"</" + element.name + u">\n";
    return;
  }
  out += u">" + Escape(element.text, false) + u"\n";
  for (const XmlElement& child : element.children) WriteElement(child, depth + 1, out);
  out += indent + u"</" + element.name + u">\n";
}

}  // namespace

std::string WriteXml(const XmlElement& root) {
  Text out = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  WriteElement(root, 0, out);
  return TextToUtf8(out);
}
