#pragma once
// The texts the document component writes into its file: one element, the
// header (XML declaration and document type declaration), and a DTD as an
// internal subset. Lines end with a single CR and are indented with one tab
// per level. Results are UTF-8; the component converts them to the file's
// code page as it writes them.
//
// Element content and attribute values are escaped ("&amp;", "&lt;", "&gt;",
// and "&quot;" in values): the component reads them with references
// resolved, so writing them back unescaped would corrupt the file.

#include <string>
#include <vector>

namespace xml {

class DtdModel;
class DtdElement;
class XmlElement;
class XmlData;

// The element's text: its start tag, then with `children` the texts of its
// children, then with `closing` its content and end tag. An element declared
// EMPTY is written as one empty-element tag (<br />).
std::string ElementText(const XmlElement& element, bool closing, bool children);
// The start tag line alone, as an empty-element tag when selfClosing. Unlike
// ElementText it does not look at the DTD: a start tag that is rewritten must
// keep the form of the tag it replaces, or the end tag after it would dangle.
std::string StartTagText(const XmlElement& element, bool selfClosing);

// The declaration line and the document type declaration line. Empty, with
// error 5 reported through the component, when it has no DTD with a root
// declaration to name.
std::string HeaderText(XmlData& data);

// The whole DTD as text: a comment naming it, then every declaration once.
std::string DTDText(const DtdModel& dtd);
// One declaration followed by those of its children, skipping every name
// already in `written` (and adding the names it writes).
std::string DeclarationText(const DtdElement& decl, std::vector<std::string>& written);

}  // namespace xml
