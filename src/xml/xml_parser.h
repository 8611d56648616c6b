#pragma once
// XmlParser: a non-validating pull parser over one byte text, with the
// analysis of document type declarations into element, attribute, entity and
// notation definitions. The definitions supply attribute defaults and entity
// replacement texts to the parts that follow.
//
// Everything the parser hands out (names, contents, attribute values and every
// field of the definition records) is UTF-8: text is decoded from the declared
// encoding as it is read (see DecodeText). Positions (PartStart, PartEnd,
// DoctypeEnd, notice positions) point into the scanned bytes.
//
// Malformed input never makes the parser fail or read outside its text: an
// unterminated part runs to the end of the text, and problems inside the
// document type declaration are only reported through DeclarationFound.
//
// Entity expansion is bounded, so self-referring entities and exponential
// ("billion laughs") documents end quickly with the expansion cut off:
// - depth: at most kMaxEntityDepth entity replacements nest inside each other
//   (entity texts entered while scanning, and recursive expansion of
//   attribute values and declaration strings alike);
// - budget: one pass (from UseBuffer/LoadFile or Restart to the end) inserts
//   at most kMinExpansionBudget + kExpansionBudgetPerByte * (text length)
//   bytes of replacement text (1 MiB plus 8 bytes for every byte of the
//   text), counted over text, attribute values and declaration strings
//   together, each expansion costing 32 bytes more than its length so that
//   many tiny ones are bounded too; once it is spent no reference expands.
// A reference cut off by either bound expands to nothing.
// Files opened for external entities and subsets count as missing (empty)
// when they are larger than kMaxExternalFileSize or than what is left of the
// budget, which their text is charged to; so a document that names one large
// file many times is not read at length. A parser told not to read outside
// files (SetReadsExternalFiles) treats every one as missing.
// A byte-order mark of UTF-8 at the start of the text is skipped.
//
// What the parser hands out is what XML 1.0 makes of the text: every line
// end (CR LF or a lone CR) read from a file arrives as one LF (as one space in
// an attribute value), a line end written as a character reference stays as
// it is; the first declaration of an entity or of an element's attribute
// binds and later ones are ignored; the internal subset is read before the
// external one; values of attributes declared with a type other than CDATA
// are trimmed and their runs of spaces made one; parameter references are
// not recognised in default values, nor in entity values of the internal
// subset. An external entity drops a leading UTF-8 byte-order mark; one in
// UTF-16 or UTF-32 is refused (read as empty).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xml_containers.h"

namespace xml {

namespace detail {
class TextDecoder;
}

class XmlParser {
 public:
  static constexpr size_t kMaxEntityDepth = 16;
  static constexpr size_t kMinExpansionBudget = size_t{1} << 20;
  static constexpr size_t kExpansionBudgetPerByte = 8;
  static constexpr size_t kMaxExternalFileSize = size_t{64} << 20;
  // LoadFile refuses larger files (offsets into documents are 32-bit).
  static constexpr size_t kMaxFileSize = (size_t{1} << 30) - 1;

  XmlParser();
  virtual ~XmlParser();
  XmlParser(const XmlParser&) = delete;
  XmlParser& operator=(const XmlParser&) = delete;

  // Forgets the text, the document fields, every definition and the current
  // part; NormalizeText becomes true. TextEncoding is kept, so a caller may
  // set it to decode a fragment that carries no XML declaration.
  void Clear();
  // Clear, then read the whole file. False when it is not a readable
  // regular file, is larger than kMaxFileSize or does not fit in memory (the
  // text is then empty).
  bool LoadFile(const std::string& fileName);
  // Clear, then scan the caller's text without copying it; it must outlive
  // the scan. The text ends at its first zero byte or after `size` bytes;
  // nothing beyond is read. SourceName becomes "<REFERENCE>".
  void UseBuffer(const char* data, size_t size);
  void UseBuffer(std::string_view text) { UseBuffer(text.data(), text.size()); }
  void UseBuffer(std::string&&) = delete;  // the text would die before the scan
  void UseBuffer(const char* zeroTerminated);

  // Back to before the first part. Definitions and the analysed document type
  // declaration stay, so a second pass returns that declaration as one part
  // without analysing it again. Restores the expansion budget.
  void Restart();
  // Moves to the next part; false at the end of the text.
  bool NextPart();

  // The current part. PartStart and PartEnd are its first and last
  // character; for a part read from an entity's replacement text they point
  // into that text (InBuffer tells). After NextPart returned false,
  // PartStart is BufferEnd().
  PartKind PartType() const { return partType_; }
  const std::string& PartName() const { return partName_; }
  const std::string& PartContent() const { return partContent_; }
  const AttrList& PartAttributes() const { return partAttributes_; }
  const char* PartStart() const { return partStart_; }
  const char* PartEnd() const { return partEnd_; }

  // The scanned text: [Buffer(), BufferEnd()).
  const char* Buffer() const { return textBegin_; }
  const char* BufferEnd() const { return textEnd_; }
  // Bytes owned by the parser (0 for a caller's buffer).
  size_t BufferSize() const { return owned_.size(); }
  bool InBuffer(const char* p) const;
  const std::string& SourceName() const { return sourceName_; }

  // From the main document's XML and document type declarations.
  const std::string& DocVersion() const { return docVersion_; }
  const std::string& DocEncoding() const { return docEncoding_; }
  bool DocStandalone() const { return docStandalone_; }
  const std::string& DocRootName() const { return docRootName_; }
  const char* DoctypeEnd() const { return doctypeEnd_; }
  const std::string& ExternalSubsetName() const { return externalSubsetName_; }
  const char* InternalSubsetEnd() const { return internalSubsetEnd_; }

  // Text parts trimmed, inner whitespace runs made one space, and
  // whitespace-only text skipped (default true).
  bool NormalizeText() const { return normalizeText_; }
  void SetNormalizeText(bool on) { normalizeText_ = on; }

  // The encoding DecodeText converts from; empty until an XML declaration.
  const std::string& TextEncoding() const { return textEncoding_; }
  void SetTextEncoding(const std::string& encoding);

  ElemList& ElementDefs() { return elementDefs_; }
  const ElemList& ElementDefs() const { return elementDefs_; }
  EntityList& GeneralEntities() { return generalEntities_; }
  const EntityList& GeneralEntities() const { return generalEntities_; }
  EntityList& ParameterEntities() { return parameterEntities_; }
  const EntityList& ParameterEntities() const { return parameterEntities_; }
  NotationList& NotationDefs() { return notationDefs_; }
  const NotationList& NotationDefs() const { return notationDefs_; }
  const OpenEntities& EntityStack() const { return stack_; }

  // Analyses markup declarations from p, a position in Buffer(), until ']',
  // '>' or the end of the text; returns where it stopped (after the
  // reference, when that was inside a parameter entity's text). This is how
  // a DTD file is read: LoadFile, then AnalyzeSubset(Buffer()).
  const char* AnalyzeSubset(const char* p);
  // Replaces declared parameter entity references (%name;) in a string.
  std::string ExpandParameterRefs(std::string_view text);

  // True when the expansion budget ran out in this pass, so that some
  // reference expanded to nothing (or an outside file counted as missing).
  bool ExpansionCut() const { return expansionCut_; }

  // Whether OpenExternal reads files (default true); Clear keeps it.
  bool ReadsExternalFiles() const { return readsExternal_; }
  void SetReadsExternalFiles(bool on) { readsExternal_ = on; }

  // Opens the text of an external entity or subset: a new parser that has
  // loaded the file named by systemId, relative to the folder of SourceName
  // (to the current folder for a caller's buffer). It is returned even when
  // loading failed; its text is then empty.
  virtual std::unique_ptr<XmlParser> OpenExternal(const std::string& systemId,
                                                  const std::string& publicId,
                                                  const std::string& notationName);
  // Appends the UTF-8 form of bytes in TextEncoding to out. UTF-8 (any
  // letter case) and no encoding pass through with malformed sequences made
  // U+FFFD; Windows-1250/1252 and ISO-8859-1/2 convert by table; another
  // encoding the C library knows converts with iconv; an unknown one, or one
  // that does not keep ASCII as it is, passes through like UTF-8.
  // The parser calls it only for runs that hold a byte above 0x7F: ASCII
  // stands for itself in every encoding it can read.
  virtual void DecodeText(std::string_view text, std::string& out);
  // Receives the notices of the declaration analysis; ignores them here.
  virtual void DeclarationFound(const DeclNotice& notice);

 private:
  // Scanning
  const char* FrameEnd() const { return curEnd_; }
  void Decode(const char* b, const char* e, std::string& out);
  void PushEntity(std::unique_ptr<OpenEntity> node);
  const char* PopEntity();
  void ClearStack(size_t depth = 0);
  bool EnterEntity(const EntityDef& def, const char* returnPos);
  bool Spend(size_t bytes);
  // Appends bytes of the current text decoded, with its line ends made LF
  // when they come from a file (an internal entity's text already has them so).
  void DecodeLines(const char* b, const char* e, std::string& out);
  const char* NameStart(const char* p) const;

  // External entities (xml_expand.cpp)
  std::unique_ptr<XmlParser> OpenEntityText(const EntityDef& def, std::string_view& body);
  void AppendEntityText(const EntityDef& def, std::string& out);
  const char* EnterDeclarations(std::unique_ptr<XmlParser> instance, std::string_view body,
                                const char* returnPos);
  bool InExternalDeclarations() const;

  // Parts
  void AnalyzeProlog();
  void AnalyzeComment();
  const char* AnalyzePI(const char* p);
  void AnalyzeTag();
  void AnalyzeCData();
  bool AnalyzeText();
  const char* AnalyzeAttributes(const char* p);
  void SortAttributes();
  void ApplyDefaults();
  void FinishAttributeValue(Attr& attr);

  // Strings
  void ExpandGeneral(std::string_view in, std::string& out, size_t depth);
  void ExpandParams(std::string_view in, std::string& out, size_t depth);
  static void ExpandChars(std::string_view in, std::string& out);

  // Declarations (xml_declarations.cpp)
  void AnalyzeDoctype();
  const char* SubsetFrom(const char* p, size_t baseDepth);
  const char* ParameterRefAt(const char* p);
  const char* ReadExternalID(const char* p, bool isPublic, ExternalID& id);
  const char* ElementDecl(const char* p);
  const char* AttlistDecl(const char* p, size_t baseDepth);
  const char* EntityDecl(const char* p);
  const char* NotationDecl(const char* p);
  void AnalyzeExternalSubset(const ExternalID& id);
  void Notice(DeclNotice& n) { DeclarationFound(n); }
  void ErrorNotice(const char* at);

  // Text
  std::vector<char> owned_;
  const char* textBegin_ = nullptr;
  const char* textEnd_ = nullptr;
  std::string sourceName_;

  // Document
  std::string docVersion_;
  std::string docEncoding_;
  bool docStandalone_ = false;
  std::string docRootName_;
  const char* doctypeStart_ = nullptr;
  const char* doctypeEnd_ = nullptr;
  std::string externalSubsetName_;
  const char* internalSubsetEnd_ = nullptr;
  bool normalizeText_ = true;
  std::string textEncoding_;
  std::unique_ptr<detail::TextDecoder> decoder_;

  ElemList elementDefs_;
  EntityList generalEntities_;
  EntityList parameterEntities_;
  NotationList notationDefs_;
  OpenEntities stack_;
  // Nodes popped during the last NextPart: a part may start in their text.
  std::vector<std::unique_ptr<OpenEntity>> retired_;

  // Current frame: the innermost entity text, or the main text.
  const char* curEnd_ = nullptr;
  bool curUtf8_ = false;
  size_t budget_ = 0;
  bool expansionCut_ = false;
  bool readsExternal_ = true;
  bool subsetExternal_ = false;  // AnalyzeSubset reads a DTD file

  // Current part
  PartKind partType_ = pkNone;
  std::string partName_;
  std::string partContent_;
  AttrList partAttributes_;
  const char* partStart_ = nullptr;
  const char* partEnd_ = nullptr;
  const char* next_ = nullptr;  // where the next part begins
  bool started_ = false;
  bool finished_ = false;

  // Scratch buffers reused across parts
  std::string scratch_;
  std::string scratch2_;
  std::vector<size_t> order_;
  std::vector<const AttrDef*> defaults_;
};

}  // namespace xml
