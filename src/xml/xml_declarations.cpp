// Analysis of the document type declaration and of declaration subsets.
// Every loop here re-reads FrameEnd(): entering or leaving a parameter
// entity switches the text being scanned.

#include <string_view>
#include <utility>

#include "xml_parser.h"
#include "xml_scan.h"

namespace xml {

using namespace detail;

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

TAttrType TypeByKeyword(std::string_view kw) {
  static constexpr std::pair<std::string_view, TAttrType> kTypes[] = {
      {"CDATA", atCData},     {"ID", atID},
      {"IDREF", atIdRef},     {"IDREFS", atIdRefs},
      {"ENTITY", atEntity},   {"ENTITIES", atEntities},
      {"NMTOKEN", atNmToken}, {"NMTOKENS", atNmTokens}};
  for (const auto& [word, type] : kTypes) {
    if (kw == word) return type;
  }
  return atUnknown;
}

TElemType TypeOfModel(std::string_view model) {
  if (model == "EMPTY") return etEmpty;
  if (model == "ANY") return etAny;
  if (model.substr(0, 8) == "(#PCDATA") return etMixed;
  if (!model.empty() && model[0] == '(') return etChildren;
  return etAny;
}

// A reference name runs up to ';' and holds no blank or markup character.
bool EndsReferenceName(char c) {
  return IsWs(c) || c == '<' || c == '>' || c == '%' || c == '&' || IsQuote(c) || c == '[' ||
         c == ']';
}

}  // namespace

void TXmlParser::ErrorNotice(const char* at) {
  TDeclNotice n;
  n.Kind = dkError;
  n.Start = n.Final = n.ErrorPos = at;
  Notice(n);
}

const char* TXmlParser::ParameterRefAt(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 1;
  while (q < e && *q != ';' && !EndsReferenceName(*q)) ++q;
  if (q >= e || *q != ';') return p + 1;
  scratch2_.clear();
  Decode(p + 1, q, scratch2_);
  const TEntityDef* def = parameterEntities_.FindNode(scratch2_);
  if (def == nullptr || def->Value.empty()) return q + 1;
  if (stack_.Depth() >= kMaxEntityDepth || !Spend(def->Value.size() + kEntryCost)) return q + 1;
  auto node = std::make_unique<TEntityStackNode>();
  node->ReturnPos = q + 1;
  node->Text = def->Value;
  node->Begin = node->Text.data();
  node->End = node->Begin + node->Text.size();
  node->Utf8 = true;
  PushEntity(std::move(node));
  return stack_.Top().Begin;
}

const char* TXmlParser::ReadExternalID(const char* p, bool isPublic, TExternalID& id) {
  const char* e = FrameEnd();
  const char* q = p + 6;  // after SYSTEM or PUBLIC
  auto skip = [&] {
    while (q < e && !IsQuote(*q) && *q != '>' && *q != '[') ++q;
  };
  auto literal = [&](std::string& out) {
    const char* close = FindByte(q + 1, e, *q);
    out.clear();
    Decode(q + 1, close != nullptr ? close : e, out);
    q = close != nullptr ? close + 1 : e;
  };
  skip();
  if (isPublic && q < e && IsQuote(*q)) {
    literal(id.PublicId);
    skip();
  }
  if (q < e && IsQuote(*q)) literal(id.SystemId);
  id.Final = q - 1;
  return q;
}

void TXmlParser::AnalyzeExternalSubset(const TExternalID& id) {
  externalSubsetName_.clear();
  if (stack_.Depth() >= kMaxEntityDepth) return;
  std::unique_ptr<TXmlParser> ext = OpenExternal(id.SystemId, id.PublicId, std::string());
  // The subset's text is charged to the budget like an entity's, or a
  // document naming one large file many times would have it read each time.
  if (ext == nullptr ||
      !Spend(static_cast<size_t>(ext->BufferEnd() - ext->Buffer()) + kEntryCost)) {
    return;
  }
  const char* from = FindSeq(ext->Buffer(), ext->BufferEnd(), "<!");
  if (from == nullptr) return;
  const size_t base = stack_.Depth();
  auto node = std::make_unique<TEntityStackNode>();
  node->Begin = ext->Buffer();
  node->End = ext->BufferEnd();
  node->SavedEncoding = textEncoding_;
  node->Instance = std::move(ext);
  PushEntity(std::move(node));
  SubsetFrom(from, base + 1);
  ClearStack(base);
  externalSubsetName_ = id.SystemId;
}

void TXmlParser::AnalyzeDoctype() {
  partType_ = pkDoctype;
  const bool inMain = stack_.Empty();
  if (inMain && doctypeEnd_ != nullptr && partStart_ == doctypeStart_) {
    partEnd_ = doctypeEnd_;
    next_ = partEnd_ + 1;
    return;
  }
  // A declaration met inside an entity's text is analysed within it: the
  // entities around it stay.
  const size_t base = stack_.Depth();
  int state = 0;
  const char* p = partStart_ + 9;
  const char* close = nullptr;
  for (;;) {
    if (p >= FrameEnd()) {
      if (stack_.Depth() <= base) break;
      p = PopEntity();
      continue;
    }
    const char c = *p;
    if (c == '>') {
      close = p;
      break;
    }
    if (c == '%') {
      p = ParameterRefAt(p);
      continue;
    }
    if (c == '[') {
      state = 2;
      p = SubsetFrom(p + 1, base);
      internalSubsetEnd_ = p;
      continue;
    }
    if (c == ']') {
      state = 3;
      ++p;
      continue;
    }
    if (IsWs(c)) {
      ++p;
      continue;
    }
    if (state == 0) {
      if (IsNameStart(c)) {
        const char* nameEnd = ReadName(p, FrameEnd(), kStopRoot);
        docRootName_.clear();
        Decode(p, nameEnd, docRootName_);
        p = nameEnd;
        state = 1;
      } else {
        ++p;
      }
    } else if (state == 1) {
      const bool system = StartsWith(p, FrameEnd(), "SYSTEM");
      if (system || StartsWith(p, FrameEnd(), "PUBLIC")) {
        TExternalID id;
        p = ReadExternalID(p, !system, id);
        AnalyzeExternalSubset(id);
      } else {
        ++p;
      }
    } else {
      ErrorNotice(p);
      ++p;
    }
  }
  if (close == nullptr) {
    partEnd_ = FrameEnd() - 1;
  } else if (stack_.Depth() > base) {
    // The declaration closed inside a parameter entity's text, which goes
    // away now: the part ends with the outermost reference instead.
    ErrorNotice(close);
    const char* ret = stack_.nodes_[base]->ReturnPos;
    ClearStack(base);
    partEnd_ = ret - 1;
  } else {
    partEnd_ = close;
  }
  next_ = partEnd_ + 1;
  partName_.clear();
  partContent_.clear();
  if (inMain && doctypeEnd_ == nullptr) {
    doctypeStart_ = partStart_;
    doctypeEnd_ = partEnd_;
  }
}

const char* TXmlParser::AnalyzeSubset(const char* p) {
  ClearStack();
  if (!InBuffer(p)) return p;
  const char* stop = SubsetFrom(p, 0);
  if (stack_.Empty()) return stop;
  // Stopped inside an entity's text: report the end of its reference.
  const char* after = stack_.nodes_.front()->ReturnPos;
  ClearStack();
  return after;
}

const char* TXmlParser::SubsetFrom(const char* p, size_t baseDepth) {
  for (;;) {
    const char* e = FrameEnd();
    if (p >= e) {
      if (stack_.Depth() <= baseDepth) return p;
      p = PopEntity();
      continue;
    }
    const char c = *p;
    if (c == '>' || c == ']') return p;
    if (c == '%') {
      p = ParameterRefAt(p);
      continue;
    }
    if (c != '<') {
      ++p;
      continue;
    }
    if (StartsWith(p, e, "<!ELEMENT")) {
      p = ElementDecl(p);
    } else if (StartsWith(p, e, "<!ATTLIST")) {
      p = AttlistDecl(p, baseDepth);
    } else if (StartsWith(p, e, "<!ENTITY")) {
      p = EntityDecl(p);
    } else if (StartsWith(p, e, "<!NOTATION")) {
      p = NotationDecl(p);
    } else if (StartsWith(p, e, "<?")) {
      const char* last = AnalyzePI(p);
      TDeclNotice n;
      n.Kind = dkPI;
      n.Start = p;
      n.Final = last;
      n.Target = partName_;
      n.Content = partContent_;
      n.Attributes = &partAttributes_;
      Notice(n);
      p = last + 1;
    } else if (StartsWith(p, e, "<!--")) {
      const char* q = FindSeq(p + 4, e, "-->");
      TDeclNotice n;
      n.Kind = dkComment;
      n.Start = p;
      n.Final = q != nullptr ? q + 2 : e - 1;
      Notice(n);
      p = n.Final + 1;
    } else {
      ErrorNotice(p);
      ++p;
    }
  }
}

const char* TXmlParser::ElementDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 9;
  while (q < e && *q != '>' && !IsNameStart(*q)) ++q;
  TElemDef def;
  if (q < e && IsNameStart(*q)) {
    const char* nameEnd = ReadName(q, e, kStopPlain);
    Decode(q, nameEnd, def.Name);
    q = nameEnd;
  }
  const char* gt = FindByte(q, e, '>');
  std::string model;
  Decode(q, gt != nullptr ? gt : e, model);
  // Whitespace goes after the expansion too: replacement texts may hold some.
  RemoveWs(model);
  def.Definition = ExpandParameterRefs(model);
  RemoveWs(def.Definition);
  def.ElemType = TypeOfModel(def.Definition);
  TElemDef& added = elementDefs_.AddOrReplace(std::move(def));
  TDeclNotice n;
  n.Kind = dkElement;
  n.Start = p;
  n.Final = gt != nullptr ? gt : e - 1;
  n.Element = &added;
  Notice(n);
  return gt != nullptr ? gt + 1 : e;
}

const char* TXmlParser::AttlistDecl(const char* p, size_t baseDepth) {
  const char* q = p + 9;
  const char* close = nullptr;
  int state = 0;
  std::string elemName;
  bool haveElem = false;
  std::string attrName;
  std::string text;
  auto attr = [&]() -> TAttrDef* {
    TElemDef* elem = elementDefs_.FindNode(elemName);
    return elem != nullptr ? elem->Attributes.FindNode(attrName) : nullptr;
  };
  // The text between '(' and ')': whitespace removed, references expanded.
  // Without ')' it takes the rest of the text and ends the declaration.
  auto group = [&](std::string& out) -> bool {
    const char* e = FrameEnd();
    const char* rp = FindByte(q + 1, e, ')');
    text.clear();
    Decode(q + 1, rp != nullptr ? rp : e, text);
    RemoveWs(text);
    std::string expanded = ExpandParameterRefs(text);
    RemoveWs(expanded);
    out.clear();
    ExpandChars(expanded, out);
    q = rp != nullptr ? rp + 1 : e;
    return rp != nullptr;
  };
  for (;;) {
    const char* e = FrameEnd();
    if (q >= e) {
      if (stack_.Depth() <= baseDepth) break;
      q = PopEntity();
      continue;
    }
    const char c = *q;
    if (c == '>') {
      close = q;
      break;
    }
    if (IsWs(c)) {
      ++q;
      continue;
    }
    if (c == '%') {
      q = ParameterRefAt(q);
      continue;
    }
    if (state == 0) {
      const char* nameEnd = ReadName(q, e, kStopAttlist);
      elemName.clear();
      Decode(q, nameEnd, elemName);
      if (elementDefs_.FindNode(elemName) == nullptr) {
        TElemDef def;
        def.Name = elemName;
        def.Definition = "ANY";
        def.ElemType = etAny;
        elementDefs_.AddSorted(std::move(def));
      }
      haveElem = true;
      q = nameEnd;
      state = 1;
    } else if (state == 1) {
      const char* nameEnd = ReadName(q, e, kStopAttlist);
      attrName.clear();
      Decode(q, nameEnd, attrName);
      TElemDef* elem = elementDefs_.FindNode(elemName);
      if (elem == nullptr) break;
      TAttrDef def;
      def.Name = attrName;
      elem->Attributes.AddOrReplace(std::move(def));
      q = nameEnd;
      state = 2;
    } else if (attr() == nullptr) {
      // Nothing to declare: skip to the end.
      q = e;
      break;
    } else if (state == 2) {
      if (c == '(') {
        TAttrDef* a = attr();
        a->AttrType = atEnumeration;
        state = 4;
        if (!group(a->TypeDef)) break;
      } else {
        const char* wordEnd = ReadName(q, e, kStopAttlist);
        TAttrDef* a = attr();
        a->TypeDef.clear();
        Decode(q, wordEnd, a->TypeDef);
        if (a->TypeDef == "NOTATION") {
          a->AttrType = atNotation;
          state = 3;
        } else {
          a->AttrType = TypeByKeyword(a->TypeDef);
          state = 4;
        }
        q = wordEnd;
      }
    } else if (state == 3) {
      if (c == '(') {
        state = 4;
        if (!group(attr()->Notations)) break;
      } else {
        ++q;
      }
    } else if (c == '#') {
      const char* wordEnd = ReadName(q, e, kStopQuoted);
      text.clear();
      Decode(q, wordEnd, text);
      const std::string word = ExpandParameterRefs(text);
      TAttrDef* a = attr();
      if (word == "#REQUIRED") {
        a->DefaultType = adRequired;
        state = 1;
      } else if (word == "#IMPLIED") {
        a->DefaultType = adImplied;
        state = 1;
      } else if (word == "#FIXED") {
        a->DefaultType = adFixed;
      }
      q = wordEnd;
    } else if (IsQuote(c)) {
      const char* end = FindByte(q + 1, e, c);
      text.clear();
      Decode(q + 1, end != nullptr ? end : e, text);
      const std::string expanded = ExpandParameterRefs(text);
      TAttrDef* a = attr();
      a->Value.clear();
      ExpandChars(expanded, a->Value);
      q = end != nullptr ? end + 1 : e;
      state = 1;
    } else {
      ++q;
    }
  }
  TDeclNotice n;
  n.Kind = dkAttList;
  n.Start = p;
  n.Final = close != nullptr ? close : q - 1;
  n.Element = haveElem ? elementDefs_.FindNode(elemName) : nullptr;
  Notice(n);
  return close != nullptr ? close + 1 : q;
}

const char* TXmlParser::EntityDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 8;
  const char* close = nullptr;
  int state = 0;
  bool parameter = false;
  TEntityDef def;
  while (q < e) {
    const char c = *q;
    if (c == '>') {
      close = q;
      break;
    }
    if (state == 0) {
      if (c == '%') {
        parameter = true;
        ++q;
      } else if (IsNameStart(c)) {
        const char* nameEnd = ReadName(q, e, kStopQuoted);
        Decode(q, nameEnd, def.Name);
        q = nameEnd;
        state = 1;
      } else {
        ++q;
      }
    } else if (state == 1) {
      const bool system = StartsWith(q, e, "SYSTEM");
      if (IsQuote(c)) {
        const char* end = FindByte(q + 1, e, c);
        Decode(q + 1, end != nullptr ? end : e, def.Value);
        q = end != nullptr ? end + 1 : e;
        state = 4;
      } else if (system || StartsWith(q, e, "PUBLIC")) {
        TExternalID id;
        q = ReadExternalID(q, !system, id);
        def.SystemId = std::move(id.SystemId);
        def.PublicId = std::move(id.PublicId);
        state = 2;
      } else {
        ++q;
      }
    } else if (state == 2 && StartsWith(q, e, "NDATA")) {
      q += 5;
      state = 3;
    } else if (state == 3 && IsNameStart(c)) {
      const char* nameEnd = ReadName(q, e, kStopPlain);
      Decode(q, nameEnd, def.NotationName);
      q = nameEnd;
      state = 4;
    } else {
      ++q;
    }
  }
  std::string value = parameter ? std::move(def.Value) : ExpandParameterRefs(def.Value);
  def.Value.clear();
  ExpandChars(value, def.Value);
  TEntityList& list = parameter ? parameterEntities_ : generalEntities_;
  TEntityDef& added = list.AddOrReplace(std::move(def));
  TDeclNotice n;
  n.Kind = dkEntity;
  n.Start = p;
  n.Final = close != nullptr ? close : e - 1;
  n.Entity = &added;
  n.ParameterEntity = parameter;
  Notice(n);
  return close != nullptr ? close + 1 : e;
}

const char* TXmlParser::NotationDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 10;
  while (q < e && *q != '>' && !IsNameStart(*q)) ++q;
  TNotationDef def;
  if (q < e && IsNameStart(*q)) {
    const char* nameEnd = ReadName(q, e, kStopPlain);
    Decode(q, nameEnd, def.Name);
    q = nameEnd;
  }
  while (q < e && *q != '>') {
    const bool system = StartsWith(q, e, "SYSTEM");
    if (system || StartsWith(q, e, "PUBLIC")) {
      TExternalID id;
      q = ReadExternalID(q, !system, id);
      def.Value = std::move(id.SystemId);
      def.PublicId = std::move(id.PublicId);
      break;
    }
    ++q;
  }
  const char* close = FindByte(q, e, '>');
  // Duplicates are kept, but not the same declaration over again: repeated
  // parameter entity text would otherwise grow the list without bound.
  TNotationDef* same = notationDefs_.FindNode(def.Name);
  if (same == nullptr || same->Value != def.Value || same->PublicId != def.PublicId) {
    same = &notationDefs_.AddSorted(std::move(def));
  }
  TNotationDef& added = *same;
  TDeclNotice n;
  n.Kind = dkNotation;
  n.Start = p;
  n.Final = close != nullptr ? close : e - 1;
  n.Notation = &added;
  Notice(n);
  return close != nullptr ? close + 1 : e;
}

}  // namespace xml
