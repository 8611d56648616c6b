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

AttrValueType TypeByKeyword(std::string_view kw) {
  static constexpr std::pair<std::string_view, AttrValueType> kTypes[] = {
      {"CDATA", atCData},     {"ID", atID},
      {"IDREF", atIdRef},     {"IDREFS", atIdRefs},
      {"ENTITY", atEntity},   {"ENTITIES", atEntities},
      {"NMTOKEN", atNmToken}, {"NMTOKENS", atNmTokens}};
  for (const auto& [word, type] : kTypes) {
    if (kw == word) return type;
  }
  return atUnknown;
}

ElemContentType TypeOfModel(std::string_view model) {
  if (model == "EMPTY") return etEmpty;
  if (model == "ANY") return etAny;
  if (model.substr(0, 8) == "(#PCDATA") return etMixed;
  if (!model.empty() && model[0] == '(') return etChildren;
  return etAny;
}

}  // namespace

void XmlParser::ErrorNotice(const char* at) {
  DeclNotice n;
  n.Kind = dkError;
  n.Start = n.Final = n.ErrorPos = at;
  Notice(n);
}

const char* XmlParser::ReadExternalID(const char* p, bool isPublic, ExternalID& id) {
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

void XmlParser::AnalyzeExternalSubset(const ExternalID& id) {
  externalSubsetName_.clear();
  if (stack_.Depth() >= kMaxEntityDepth) return;
  // The subset's text is charged to the budget like an entity's, or a
  // document naming one large file many times would have it read each time.
  EntityDef ids;
  ids.SystemId = id.SystemId;
  ids.PublicId = id.PublicId;
  std::string_view body;
  std::unique_ptr<XmlParser> ext = OpenEntityText(ids, body);
  if (ext == nullptr) return;
  const char* from = FindSeq(body.data(), body.data() + body.size(), "<!");
  if (from == nullptr) return;
  const size_t base = stack_.Depth();
  EnterDeclarations(std::move(ext), body, nullptr);
  SubsetFrom(from, base + 1);
  ClearStack(base);
  externalSubsetName_ = id.SystemId;
}

void XmlParser::AnalyzeDoctype() {
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
  // The internal subset comes first: its declarations bind before those of
  // the external subset, which is read when the declaration has ended.
  ExternalID external;
  bool hasExternal = false;
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
        p = ReadExternalID(p, !system, external);
        hasExternal = true;
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
  if (hasExternal) AnalyzeExternalSubset(external);
  next_ = partEnd_ + 1;
  partName_.clear();
  partContent_.clear();
  if (inMain && doctypeEnd_ == nullptr) {
    doctypeStart_ = partStart_;
    doctypeEnd_ = partEnd_;
  }
}

const char* XmlParser::AnalyzeSubset(const char* p) {
  ClearStack();
  if (!InBuffer(p)) return p;
  subsetExternal_ = true;
  const char* stop = SubsetFrom(p, 0);
  subsetExternal_ = false;
  if (stack_.Empty()) return stop;
  // Stopped inside an entity's text: report the end of its reference.
  const char* after = stack_.nodes_.front()->ReturnPos;
  ClearStack();
  return after;
}

const char* XmlParser::SubsetFrom(const char* p, size_t baseDepth) {
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
      DeclNotice n;
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
      DeclNotice n;
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

const char* XmlParser::ElementDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 9;
  while (q < e && *q != '>' && !IsNameStart(*q)) ++q;
  ElemDef def;
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
  // The attributes an ATTLIST declared before the element stay its own.
  ElemDef* known = elementDefs_.FindNode(def.Name);
  if (known != nullptr) {
    known->Definition = std::move(def.Definition);
    known->ElemType = def.ElemType;
  }
  ElemDef& added = known != nullptr ? *known : elementDefs_.AddSorted(std::move(def));
  DeclNotice n;
  n.Kind = dkElement;
  n.Start = p;
  n.Final = gt != nullptr ? gt : e - 1;
  n.Element = &added;
  Notice(n);
  return gt != nullptr ? gt + 1 : e;
}

const char* XmlParser::AttlistDecl(const char* p, size_t baseDepth) {
  const char* q = p + 9;
  const char* close = nullptr;
  int state = 0;
  std::string elemName;
  bool haveElem = false;
  // The attribute being declared; it joins the element's definitions when
  // its declaration is complete, unless one of its name was declared first:
  // the first declaration binds.
  AttrDef current;
  bool pending = false;
  const auto commit = [&] {
    if (!pending) return;
    pending = false;
    ElemDef* elem = elementDefs_.FindNode(elemName);
    if (elem != nullptr && elem->Attributes.FindNode(current.Name) == nullptr) {
      elem->Attributes.AddSorted(std::move(current));
    }
  };
  std::string text;
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
        ElemDef def;
        def.Name = elemName;
        def.Definition = "ANY";
        def.ElemType = etAny;
        elementDefs_.AddSorted(std::move(def));
      }
      haveElem = true;
      q = nameEnd;
      state = 1;
    } else if (state == 1) {
      commit();
      const char* nameEnd = ReadName(q, e, kStopAttlist);
      current = AttrDef();
      Decode(q, nameEnd, current.Name);
      pending = true;
      q = nameEnd;
      state = 2;
    } else if (state == 2) {
      if (c == '(') {
        current.AttrType = atEnumeration;
        state = 4;
        if (!group(current.TypeDef)) break;
      } else {
        const char* wordEnd = ReadName(q, e, kStopAttlist);
        current.TypeDef.clear();
        Decode(q, wordEnd, current.TypeDef);
        if (current.TypeDef == "NOTATION") {
          current.AttrType = atNotation;
          state = 3;
        } else {
          current.AttrType = TypeByKeyword(current.TypeDef);
          state = 4;
        }
        q = wordEnd;
      }
    } else if (state == 3) {
      if (c == '(') {
        state = 4;
        if (!group(current.Notations)) break;
      } else {
        ++q;
      }
    } else if (c == '#') {
      const char* wordEnd = ReadName(q, e, kStopQuoted);
      text.clear();
      Decode(q, wordEnd, text);
      const std::string word = ExpandParameterRefs(text);
      if (word == "#REQUIRED") {
        current.DefaultType = adRequired;
        state = 1;
      } else if (word == "#IMPLIED") {
        current.DefaultType = adImplied;
        state = 1;
      } else if (word == "#FIXED") {
        current.DefaultType = adFixed;
      }
      q = wordEnd;
    } else if (IsQuote(c)) {
      // A default value is an attribute value: no parameter reference is
      // recognised in it.
      const char* end = FindByte(q + 1, e, c);
      text.clear();
      DecodeLines(q + 1, end != nullptr ? end : e, text);
      current.Value.clear();
      ExpandChars(text, current.Value);
      q = end != nullptr ? end + 1 : e;
      state = 1;
    } else {
      ++q;
    }
  }
  commit();
  DeclNotice n;
  n.Kind = dkAttList;
  n.Start = p;
  n.Final = close != nullptr ? close : q - 1;
  n.Element = haveElem ? elementDefs_.FindNode(elemName) : nullptr;
  Notice(n);
  return close != nullptr ? close + 1 : q;
}

const char* XmlParser::EntityDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 8;
  const char* close = nullptr;
  int state = 0;
  bool parameter = false;
  EntityDef def;
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
        DecodeLines(q + 1, end != nullptr ? end : e, def.Value);
        q = end != nullptr ? end + 1 : e;
        state = 4;
      } else if (system || StartsWith(q, e, "PUBLIC")) {
        ExternalID id;
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
  // The first declaration of a name binds; a later one is read and ignored.
  EntityList& list = parameter ? parameterEntities_ : generalEntities_;
  EntityDef* bound = list.FindNode(def.Name);
  if (bound == nullptr) {
    // Parameter references in an entity's value are expanded only in the
    // external subset and in external parameter entities; in the internal
    // subset they stay as written.
    std::string value = std::move(def.Value);
    if (InExternalDeclarations()) value = ExpandParameterRefs(value);
    def.Value.clear();
    ExpandChars(value, def.Value);
    bound = &list.AddSorted(std::move(def));
  }
  EntityDef& added = *bound;
  DeclNotice n;
  n.Kind = dkEntity;
  n.Start = p;
  n.Final = close != nullptr ? close : e - 1;
  n.Entity = &added;
  n.ParameterEntity = parameter;
  Notice(n);
  return close != nullptr ? close + 1 : e;
}

const char* XmlParser::NotationDecl(const char* p) {
  const char* e = FrameEnd();
  const char* q = p + 10;
  while (q < e && *q != '>' && !IsNameStart(*q)) ++q;
  NotationDef def;
  if (q < e && IsNameStart(*q)) {
    const char* nameEnd = ReadName(q, e, kStopPlain);
    Decode(q, nameEnd, def.Name);
    q = nameEnd;
  }
  while (q < e && *q != '>') {
    const bool system = StartsWith(q, e, "SYSTEM");
    if (system || StartsWith(q, e, "PUBLIC")) {
      ExternalID id;
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
  NotationDef* same = notationDefs_.FindNode(def.Name);
  if (same == nullptr || same->Value != def.Value || same->PublicId != def.PublicId) {
    same = &notationDefs_.AddSorted(std::move(def));
  }
  NotationDef& added = *same;
  DeclNotice n;
  n.Kind = dkNotation;
  n.Start = p;
  n.Final = close != nullptr ? close : e - 1;
  n.Notation = &added;
  Notice(n);
  return close != nullptr ? close + 1 : e;
}

}  // namespace xml
