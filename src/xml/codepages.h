#pragma once
// The single-byte code pages album files are written in, and UTF-8 helpers.
// Plain C++ so that both the Qt-free XML toolkit and the Qt layers share one
// definition of every byte.

#include <optional>
#include <string>
#include <string_view>

namespace xml {

enum class CodePage { Utf8, Windows1250, Windows1252, Latin1, Latin2 };

// Recognises the encoding names a declaration may carry, in any letter case
// ("Windows-1250", "cp1252", "ISO-8859-2", "latin1", "UTF-8", ...).
std::optional<CodePage> CodePageByName(std::string_view name);

// The upper half (bytes 0x80-0xFF) of a single-byte code page; nullptr for UTF-8.
const char32_t* HighHalf(CodePage page);

// The character a byte stands for in a single-byte code page.
char32_t ByteToUnicode(CodePage page, unsigned char byte);

// The byte of a character in a single-byte code page, or nothing when the page
// lacks it. For UTF-8 every valid scalar value is representable and this is
// only meaningful for characters below 0x80.
std::optional<unsigned char> UnicodeToByte(CodePage page, char32_t ch);

// True when the code page can hold the character.
bool CanEncode(CodePage page, char32_t ch);

// Appends the UTF-8 form of a character; invalid scalar values become U+FFFD.
void AppendUtf8(std::string& out, char32_t ch);

// Converts single-byte text to UTF-8; UTF-8 input is returned unchanged.
std::string DecodeToUtf8(CodePage page, std::string_view bytes);

// Decodes one UTF-8 character at pos and advances pos; a malformed or
// truncated sequence yields U+FFFD and advances by one byte.
char32_t NextUtf8(std::string_view text, size_t& pos);

}  // namespace xml
