#include "xml_writer.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "xml/dtd_model.h"
#include "xml/xml_data.h"
#include "xml/xml_element.h"
#include "xml/xml_parser.h"
#include "xml/xml_text.h"

namespace xml {
namespace {

constexpr char CR = '\r';

// A value in a declaration's double quotes: the characters that would end it,
// start a reference or markup there written as character references.
std::string DeclarationLiteral(const std::string& value) {
  std::string s;
  for (const char c : value) {
    switch (c) {
      case '"':
        s += "&#34;";
        break;
      case '%':
        s += "&#37;";
        break;
      case '&':
        s += "&#38;";
        break;
      case '<':
        s += "&#60;";
        break;
      default:
        s += c;
    }
  }
  return s;
}

std::string Indent(const XmlElement& element) {
  return std::string(static_cast<size_t>(std::max(element.Level() - 1, 0)), '\t');
}

// The start tag up to and including its '>' (or " />"), without line end.
std::string OpenTag(const XmlElement& element, bool selfClosing) {
  std::string s = Indent(element) + "<" + element.Name() + " ";
  for (int i = 0; i < element.AttributeCount(); ++i) {
    const XmlAttribute* a = element.AttributeAt(i);
    s += a->Name() + "=\"" + EscapeAttribute(a->Value()) + "\" ";
  }
  if (selfClosing) return s + "/>";
  s.back() = '>';
  return s;
}

// Content and end tag of an element whose start tag (and children) are written.
std::string CloseText(const XmlElement& element) {
  std::string s;
  if (element.Content().empty()) s = CR + Indent(element);
  return s + EscapeContent(element.Content()) + "</" + element.Name() + ">" + CR;
}

}  // namespace

std::string StartTagText(const XmlElement& element, bool selfClosing) {
  return OpenTag(element, selfClosing) + CR;
}

std::string ElementText(const XmlElement& element, bool closing, bool children) {
  if (element.IsEmpty()) return OpenTag(element, true) + CR;
  std::string s = OpenTag(element, false);
  if (children && element.ChildCount() > 0) {
    s += CR;
    // Descendants are walked with an explicit stack: a document may nest deeper
    // than the call stack would allow. Every descendant is written whole.
    struct Frame {
      std::unique_ptr<XmlElement> owned;
      const XmlElement* element;
      int next;
    };
    std::vector<Frame> stack;
    stack.push_back({nullptr, &element, 0});
    while (!stack.empty()) {
      Frame& f = stack.back();
      if (f.next >= f.element->ChildCount()) {
        if (stack.size() > 1) s += CloseText(*f.element);
        stack.pop_back();
        continue;
      }
      std::unique_ptr<XmlElement> child = f.element->ChildAt(f.next++);
      if (!child) continue;
      if (child->IsEmpty()) {
        s += OpenTag(*child, true) + CR;
      } else if (child->ChildCount() > 0) {
        s += OpenTag(*child, false) + CR;
        const XmlElement* raw = child.get();
        stack.push_back({std::move(child), raw, 0});
      } else {
        s += OpenTag(*child, false) + CloseText(*child);
      }
    }
  }
  if (closing) return s + CloseText(element);
  return s + CR;
}

}  // namespace xml

namespace xml {

std::string HeaderText(XmlData& data) {
  std::string s = "<?xml";
  if (!data.XMLVersion().empty()) s += " version=\"" + data.XMLVersion() + "\"";
  if (!data.Encoding().empty()) s += " encoding=\"" + data.Encoding() + "\"";
  // "yes" is the value XML defines; every reader of the file understands it.
  if (data.Standalone()) s += " standalone=\"yes\"";
  s += "?>";
  s += CR;
  s += "<!DOCTYPE ";
  const DtdModel* dtd = data.DTD();
  if (dtd == nullptr || dtd->Root().Name.empty()) {
    data.ReportEditError(5, XMLErrorMessage(5));
    return {};
  }
  s += dtd->Root().Name + " ";
  if (!data.ExternalDTD().empty()) {
    if (!data.Doctype().empty()) {
      s += "PUBLIC \"" + data.Doctype() + "\" ";
    } else {
      s += "SYSTEM ";
    }
    s += "\"" + data.ExternalDTD() + "\"";
  } else {
    s += "[" + DTDText(*dtd) + "]";
  }
  s += '>';
  s += CR;
  return s;
}

std::string DTDText(const DtdModel& dtd) {
  std::vector<std::string> written;
  const std::string body = DeclarationText(dtd.Root(), written);
  std::string header = "<!--";
  header += CR;
  header += "\t" + dtd.Root().Name + " DTD definition file";
  header += CR;
  header += "\tWritten from the document's DTD model";
  header += CR;
  header += "-->";
  header += CR;
  header += CR;
  return header + body;
}

std::string DeclarationText(const DtdElement& decl, std::vector<std::string>& written) {
  if (std::find(written.begin(), written.end(), decl.Name) != written.end()) return {};
  written.push_back(decl.Name);
  std::string s = "<!ELEMENT " + decl.Name + " " + decl.ContentModelText() + ">";
  s += CR;
  if (decl.AttrCount() > 0) {
    s += "<!ATTLIST " + decl.Name;
    s += CR;
    for (int i = 0; i < decl.AttrCount(); ++i) {
      const XmlAttribute& a = *decl.AttributeAt(i);
      const std::string type =
          a.AttrType() == atEnumeration ? "(" + a.Enumeration() + ")" : AttrTypeNames[a.AttrType()];
      s.append("\t").append(a.Name()).append(" ").append(type).append(" ");
      // What DTD syntax has: a plain default is the value alone, and only a
      // default or fixed value is written (an implied enumeration keeps its
      // first alternative as DefVal, which is no declared default).
      if (a.DefaultType() != adDefault) {
        std::string keyword = AttrDefaultNames[a.DefaultType()];
        std::transform(keyword.begin(), keyword.end(), keyword.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        s.append("#").append(keyword);
      }
      if (a.DefaultType() == adDefault || a.DefaultType() == adFixed) {
        if (a.DefaultType() == adFixed) s += ' ';
        s.append("\"").append(DeclarationLiteral(a.DefVal())).append("\"");
      }
      s += CR;
    }
    s += ">";
    s += CR;
  }
  for (int i = 0; i < decl.Count(); ++i) s += DeclarationText(*decl.ChildAt(i), written);
  return s;
}

}  // namespace xml
