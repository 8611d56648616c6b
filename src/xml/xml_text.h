#pragma once
// Text as the document component writes it into a file: markup characters
// escaped, and the UTF-8 text the program holds converted to the file's
// declared code page.

#include <string>
#include <string_view>

namespace xml {

// Element content: '&', '<' and '>' become references.
std::string EscapeContent(std::string_view text);
// Attribute values (written in double quotes): '<', '>' and '"' as in content,
// '&' as "&#38;", and tab, line feed and carriage return as "&#9;", "&#10;" and
// "&#13;", so that the value reads back exactly.
std::string EscapeAttribute(std::string_view text);

// The reference a character is written as in content or (attribute) in a
// double-quoted attribute value, or nullptr when it is written as it is. For
// writers that convert text themselves.
const char* ReferenceFor(char32_t ch, bool attribute);

// True for well-formed UTF-8 holding only characters XML can carry: no control
// character but tab, line feed and carriage return, no U+FFFE or U+FFFF.
bool IsXmlText(std::string_view utf8);

// True for a name that can stand in a tag: a letter, '_', ':' or a non-ASCII
// character first, then those, digits, '.' and '-'.
bool IsValidName(std::string_view name);

// Converts UTF-8 text into the code page named by encoding. A character the
// page lacks is written as a character reference (&#x10D;). UTF-8 and an
// empty name (XML's default, UTF-8) leave the text as it is; under an encoding
// this program has no table for, every character beyond ASCII becomes a
// reference, which any reader of the file understands.
std::string EncodeForFile(std::string_view utf8, std::string_view encoding);
// True when every character of the UTF-8 text exists in the code page, so it
// can stand where a reference cannot (in a name).
bool CanEncodeAll(std::string_view utf8, std::string_view encoding);

}  // namespace xml
