#pragma once
// XmlData: the document component. Opens one XML file, keeps its bytes in
// memory, and builds an index (IndexEntry entries, one per element, with byte
// offsets) instead of a tree of objects; element objects (XmlElement) are made
// on request from the bytes of their entry. Changes made through the
// component or its elements are written into the file at once, the file
// being replaced atomically, and the offsets behind a change are moved so the
// index stays valid without analysing the file again.
//
// Edits are refused like a BeforeEdit veto when the file can be read but not
// written (it opens for reading only), when its analysis found a structure
// error (the index may not match the bytes), and when it is declared in an
// encoding other than UTF-8, Windows-1250/1252 or ISO-8859-1/2 (text could not
// be written so that it reads back the same). The component never shows
// anything to a user and never changes the process's current folder: names
// in the file are taken relative to the file's own folder. Problems arrive
// through the events.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xml/codepages.h"
#include "xml/dtd_model.h"
#include "xml/xml_element.h"
#include "xml/xml_index.h"

namespace xml {

class FileStore;
class XmlParser;

// Codes of the problems the component reports, 0..16 (see XMLErrorMessage).
using XmlErrorType = int;

// The message of a code; "%s" in it stands for the name of the part concerned.
const char* XMLErrorMessage(XmlErrorType code);
// The message with "%s" replaced by name.
std::string FormatXMLError(XmlErrorType code, const std::string& name);

using XmlWarningEvent = std::function<void(XmlErrorType XMLErrorType, const std::string& Name,
                                           int BufStart, int BufEnd, bool& CanContinue)>;
using XmlErrorEvent = std::function<void(XmlErrorType XMLErrorType, const std::string& Name,
                                         int BufStart, int BufEnd)>;
using OpenProgressEvent = std::function<void(int Percent)>;
using AfterOpenEvent = std::function<void()>;
using DeleteEvent = std::function<void(int pIndex, bool& CanEdit)>;
using InsertEvent = std::function<void(bool& CanEdit)>;

class XmlData {
 public:
  XmlData();
  ~XmlData();
  XmlData(const XmlData&) = delete;
  XmlData& operator=(const XmlData&) = delete;

  // --- Declaration and DTD. Setting one while open rewrites the file's header
  // (XML declaration and document type declaration); a setter whose rewrite is
  // refused or fails keeps the previous value and returns false.
  bool Standalone() const { return standalone_; }
  const std::string& Encoding() const { return encoding_; }
  const std::string& XMLVersion() const { return xmlVersion_; }
  const std::string& Doctype() const { return doctype_; }  // public identifier
  const std::string& ExternalDTD() const { return externalDTD_; }
  bool SetStandalone(bool value);
  bool SetEncoding(const std::string& value);
  bool SetXMLVersion(const std::string& value);
  bool SetDoctype(const std::string& value);
  // Loads the named DTD file (relative names are taken from the document's
  // folder) and, while open, rewrites the header. On failure the previous name
  // and DTD stay and error 6 is reported. An empty name only forgets the file.
  bool SetExternalDTD(const std::string& fileName);
  DtdModel* DTD() const { return dtd_.get(); }

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }

  bool IsOpen() const { return isOpen_; }
  bool IsReadOnly() const { return readOnly_; }
  bool IsValid() const { return isValid_; }
  // True when the opened file held no structure error; only then is it edited.
  bool IsWellStructured() const { return isWellStructured_; }

  bool OwnDTDOnly = false;  // ignore the file's document type declaration
  // Plain leaves are read without the parser (the same result, faster); tests
  // turn it off to compare.
  bool FastElementReads = true;
  bool StopOnWarning = false;  // a warning stops the analysis

  XmlWarningEvent OnParseWarning;
  XmlErrorEvent OnStructureError;
  XmlErrorEvent OnValidityError;
  OpenProgressEvent OnOpenProgress;
  AfterOpenEvent OnAfterOpen;
  DeleteEvent BeforeEdit;
  // Declared for users of the component; it never raises them.
  DeleteEvent BeforeDelete;
  InsertEvent BeforeInsert;

  // Opens FileName. A missing file is created from the DTD (one is needed: its
  // root declaration names the root element). True when open.
  bool Open();
  void Close();

  // A new element object for the root entry (none when closed).
  std::unique_ptr<XmlElement> Root() const;
  std::unique_ptr<XmlElement> ElementFromIndex(int32_t entry) const;
  const XmlIndexTree& IndexTree() const { return tree_; }
  // The file's bytes as they are now (the component keeps them in step with the file).
  const std::string& Text() const { return text_; }

  // Where the component reads and writes files; tests set one that fails.
  void SetFileStore(FileStore* store);

  // Analysis problems: make the document not well structured (and not valid)
  // and call OnStructureError.
  void ReportStructureError(XmlErrorType code, const std::string& message, int start, int end);
  // Problems of an edit (a header that cannot be made, a DTD that does not load,
  // a replacement text that is no element): OnStructureError only, since the
  // document itself is unchanged.
  void ReportEditError(XmlErrorType code, const std::string& message);

 private:
  friend class XmlElement;
  friend class XmlAttribute;

  bool ReportProblem(XmlErrorType code, const std::string& name, int start, int end);
  void ReportValidityError(XmlErrorType code, const std::string& message, int start, int end);
  bool ParseDocument();
  bool CreateDocument();
  XmlParser& ScratchParser() const;
  void MakeElement(int32_t entry, XmlElement& element) const;
  std::string ElementContent(int32_t entry) const;
  // Parses [from, to): the last non-empty text in it before an end tag goes to
  // content; returns the offset where that end tag begins, or -1.
  int32_t ScanGap(int32_t from, int32_t to, std::string& content) const;
  // Where the text after an entry's last child (or after its start tag) begins.
  int32_t LastGapStart(int32_t entry) const;
  // The offset of the '<' of an entry's end tag, or -1.
  int32_t EndTagStart(int32_t entry) const;
  // Whether the entry's tag name is name; byBytes compares the bytes without
  // making the element (right for an ASCII name in an AsciiCompatible file).
  bool NameIs(int32_t entry, const std::string& name, bool byBytes) const;
  // The code page of Encoding (remembered: it is asked for every element).
  const std::optional<CodePage>& Page() const;
  // The file's encoding leaves ASCII bytes as they are.
  bool AsciiCompatible() const;
  // Reads an element of the plain form directly (ASCII names, attribute values
  // and leaf text without references); false, with nothing made, when it is
  // not one and the parser has to read it.
  bool ReadPlainElement(const IndexEntry& entry, XmlElement& element) const;
  bool DecodePlain(std::string_view raw, std::string& out) const;
  // Reads leaf text from p up to the '<' that ends it, resolving the five
  // predefined references; -1 when it holds anything else for the parser.
  int32_t ReadPlainText(int32_t p, int32_t stop, std::string& content) const;
  // Converts text the component writes into the file's code page.
  std::string Encode(const std::string& utf8) const;

  // In-place editing (xml_edit.cpp).
  bool MayEdit(int position);
  struct Splice {
    int32_t pos;
    int32_t removed;
    std::string text;  // in the file's code page
  };
  // Replaces the byte ranges (in increasing order, not overlapping) in one
  // atomic write of the file, then moves every offset behind each range.
  bool Apply(const std::vector<Splice>& splices);
  // Every attribute of the element can be written into its start tag.
  bool AttributesFit(const XmlElement& element) const;
  bool RewriteName(XmlElement& element);
  bool RewriteStartTag(XmlElement& element);
  bool RewriteContent(XmlElement& element);
  bool ReplaceElementXML(XmlElement& element, const std::string& xml);
  bool RewriteHeader();
  // The header in the file's code page, or empty when it cannot be made or
  // would not read back as made.
  std::string HeaderBytes();
  // The declaration's values fit their places in the header text.
  bool HeaderFieldsFit() const;
  template <class T>
  bool SetHeaderField(T& field, T value);

  std::string fileName_;
  std::string text_;
  XmlIndexTree tree_;
  bool standalone_ = false;
  std::string encoding_;
  std::string xmlVersion_;
  std::string doctype_;
  std::string externalDTD_;
  std::unique_ptr<DtdModel> dtd_;
  mutable std::unique_ptr<XmlParser> scratch_;  // reused for every element read
  mutable std::optional<CodePage> page_;        // the code page of pageOf_
  mutable std::string pageOf_;
  mutable bool pageKnown_ = false;
  bool isOpen_ = false;
  bool readOnly_ = false;
  bool isValid_ = false;
  bool isWellStructured_ = false;
  FileStore* store_;
  // Elements reach the component through this token; it is emptied when the
  // component is destroyed, and openSerial_ changes with every Open and Close.
  std::shared_ptr<XmlData*> self_;
  uint64_t openSerial_ = 0;
};

}  // namespace xml
