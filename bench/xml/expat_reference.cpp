#include "expat_reference.h"

#include <expat.h>

#include <cstdio>
#include <cstring>

#include "xml/codepages.h"

namespace {

// expat knows no Windows-1250; give it the 256-entry table.
int XMLCALL Windows1250Handler(void*, const XML_Char* name, XML_Encoding* info) {
  if (std::strcmp(name, "Windows-1250") != 0 && std::strcmp(name, "WINDOWS-1250") != 0) {
    return XML_STATUS_ERROR;
  }
  for (int b = 0; b < 256; ++b) {
    info->map[b] = static_cast<int>(
        xml::ByteToUnicode(xml::CodePage::Windows1250, static_cast<unsigned char>(b)));
  }
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

}  // namespace

ExpatCount ExpatPass(const std::string& bytes) {
  ExpatCount c;
  XML_Parser parser = XML_ParserCreate(nullptr);
  XML_SetUserData(parser, &c);
  XML_SetUnknownEncodingHandler(parser, Windows1250Handler, nullptr);
  XML_SetElementHandler(
      parser,
      [](void* d, const XML_Char*, const XML_Char**) { ++static_cast<ExpatCount*>(d)->elements; },
      [](void*, const XML_Char*) {});
  XML_SetCharacterDataHandler(parser, [](void* d, const XML_Char*, int len) {
    static_cast<ExpatCount*>(d)->textBytes += static_cast<size_t>(len);
  });
  if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), 1) != XML_STATUS_OK) {
    std::fprintf(stderr, "expat: %s\n", XML_ErrorString(XML_GetErrorCode(parser)));
    c.elements = -1;
  }
  XML_ParserFree(parser);
  return c;
}
