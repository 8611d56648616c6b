// References in attribute values and declaration strings, parameter
// references in declarations, and the texts of external entities.

#include <string_view>

#include "codepages.h"
#include "xml_parser.h"
#include "xml_scan.h"

namespace xml {

using namespace detail;

namespace {

// A reference name runs up to ';' and holds no blank or markup character.
bool EndsReferenceName(char c) {
  return IsWs(c) || c == '<' || c == '>' || c == '%' || c == '&' || c == '"' || c == '\'' ||
         c == '[' || c == ']';
}

}  // namespace

bool XmlParser::Spend(size_t bytes) {
  if (bytes > budget_) {
    budget_ = 0;
    expansionCut_ = true;
    return false;
  }
  budget_ -= bytes;
  return true;
}

std::unique_ptr<XmlParser> XmlParser::OpenEntityText(const EntityDef& def, std::string_view& body) {
  // Copied: an overriding OpenExternal could change the definitions.
  const EntityDef ids = def;
  std::unique_ptr<XmlParser> ext = OpenExternal(ids.SystemId, ids.PublicId, ids.NotationName);
  if (ext == nullptr) return nullptr;
  const std::string_view text(ext->Buffer(), static_cast<size_t>(ext->BufferEnd() - ext->Buffer()));
  if (!Spend(text.size() + kEntryCost)) return nullptr;
  body = EntityBody(text);
  return ext;
}

void XmlParser::AppendEntityText(const EntityDef& def, std::string& out) {
  std::string_view body;
  const std::unique_ptr<XmlParser> ext = OpenEntityText(def, body);
  if (ext == nullptr) return;
  const std::string encoding = TakeTextDeclaration(body);
  const size_t from = out.size();
  if (encoding.empty()) {
    DecodeText(body, out);
  } else {
    TextDecoder(encoding).Append(body, out);
  }
  NormalizeLineEnds(out, from);
}

const char* XmlParser::EnterDeclarations(std::unique_ptr<XmlParser> instance, std::string_view body,
                                         const char* returnPos) {
  auto node = std::make_unique<OpenEntity>();
  node->ReturnPos = returnPos;
  node->Begin = body.data();
  node->End = body.data() + body.size();
  node->SavedEncoding = textEncoding_;
  node->Instance = std::move(instance);
  // Its own text declaration says how the entity is written.
  const std::string encoding = TakeTextDeclaration(body);
  PushEntity(std::move(node));
  if (!encoding.empty()) SetTextEncoding(encoding);
  return body.data();
}

bool XmlParser::InExternalDeclarations() const {
  if (subsetExternal_) return true;
  for (const auto& node : stack_.nodes_) {
    if (node->Instance != nullptr) return true;
  }
  return false;
}

const char* XmlParser::ParameterRefAt(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 1;
  while (q < e && *q != ';' && !EndsReferenceName(*q)) ++q;
  if (q >= e || *q != ';') return p + 1;
  scratch2_.clear();
  Decode(p + 1, q, scratch2_);
  const EntityDef* def = parameterEntities_.FindNode(scratch2_);
  if (def == nullptr || stack_.Depth() >= kMaxEntityDepth) return q + 1;
  if (def->IsExternal()) {
    std::string_view body;
    std::unique_ptr<XmlParser> ext = OpenEntityText(*def, body);
    if (ext == nullptr || body.empty()) return q + 1;
    return EnterDeclarations(std::move(ext), body, q + 1);
  }
  if (def->Value.empty() || !Spend(def->Value.size() + kEntryCost)) return q + 1;
  auto node = std::make_unique<OpenEntity>();
  node->ReturnPos = q + 1;
  node->Text = def->Value;
  node->Begin = node->Text.data();
  node->End = node->Begin + node->Text.size();
  node->Utf8 = true;
  PushEntity(std::move(node));
  return stack_.Top().Begin;
}

void XmlParser::ExpandGeneral(std::string_view in, std::string& out, size_t depth) {
  const char* s = in.data();
  const char* e = s + in.size();
  SemicolonFinder semis(e);
  const char* p = s;
  for (;;) {
    const char* amp = FindByte(p, e, '&');
    const char* semi = amp != nullptr && e - amp > 2 ? semis.Find(amp + 2) : nullptr;
    if (semi == nullptr) {
      out.append(p, static_cast<size_t>(e - p));
      return;
    }
    out.append(p, static_cast<size_t>(amp - p));
    const std::string_view name(amp + 1, static_cast<size_t>(semi - amp - 1));
    p = semi + 1;
    char c = 0;
    if (Predefined(name, c)) {
      out += c;
      continue;
    }
    const EntityDef* def = generalEntities_.FindNode(name);
    if (def == nullptr) {
      out.append(amp, static_cast<size_t>(p - amp));
      continue;
    }
    if (depth >= kMaxEntityDepth) continue;
    if (def->IsExternal()) {
      std::string text;
      AppendEntityText(*def, text);
      ExpandGeneral(text, out, depth + 1);
    } else if (Spend(def->Value.size() + kEntryCost)) {
      // Copied: an overriding OpenExternal could change the definitions.
      const std::string value = def->Value;
      ExpandGeneral(value, out, depth + 1);
    }
  }
}

void XmlParser::ExpandChars(std::string_view in, std::string& out) {
  const char* s = in.data();
  const char* e = s + in.size();
  SemicolonFinder semis(e);
  const char* p = s;
  for (;;) {
    const char* amp = FindSeq(p, e, "&#");
    const char* semi = amp != nullptr ? semis.Find(amp + 2) : nullptr;
    if (semi == nullptr) {
      out.append(p, static_cast<size_t>(e - p));
      return;
    }
    out.append(p, static_cast<size_t>(amp - p));
    AppendUtf8(out, CharRefValue(std::string_view(amp + 2, static_cast<size_t>(semi - amp - 2))));
    p = semi + 1;
  }
}

void XmlParser::ExpandParams(std::string_view in, std::string& out, size_t depth) {
  const char* s = in.data();
  const char* e = s + in.size();
  SemicolonFinder semis(e);
  const char* p = s;
  for (;;) {
    const char* pct = FindByte(p, e, '%');
    const char* semi = pct != nullptr && e - pct > 2 ? semis.Find(pct + 2) : nullptr;
    if (semi == nullptr) {
      out.append(p, static_cast<size_t>(e - p));
      return;
    }
    out.append(p, static_cast<size_t>(pct - p));
    const std::string_view name(pct + 1, static_cast<size_t>(semi - pct - 1));
    p = semi + 1;
    const EntityDef* def = parameterEntities_.FindNode(name);
    if (def == nullptr) {
      out.append(pct, static_cast<size_t>(p - pct));
      continue;
    }
    if (depth >= kMaxEntityDepth) continue;
    if (def->IsExternal()) {
      std::string text;
      AppendEntityText(*def, text);
      ExpandParams(text, out, depth + 1);
    } else if (Spend(def->Value.size() + kEntryCost)) {
      const std::string value = def->Value;
      ExpandParams(value, out, depth + 1);
    }
  }
}

std::string XmlParser::ExpandParameterRefs(std::string_view text) {
  std::string out;
  ExpandParams(text, out, stack_.Depth());
  return out;
}

}  // namespace xml
