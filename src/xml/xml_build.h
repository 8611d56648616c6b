#pragma once
// Indexing one element and its descendants from text into a XmlIndexTree.
// Internal to the document component.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "xml/xml_index.h"

namespace xml {

class DtdElement;

// An error found while analysing a document; raised and caught inside the
// component, never seen by its callers.
struct EXMLException {
  int ErrorCode;
};

class IndexBuilder {
 public:
  // A problem of the analysis: code, name of the part, its offsets in the text.
  // For the warning codes (3, 14, 15, 16) the result says whether to go on.
  using Problem = std::function<bool(int code, const std::string& name, int start, int end)>;
  using Report = std::function<void(int code, const std::string& name, int start, int end)>;

  IndexBuilder(XmlIndexTree& tree, std::string_view text, std::string encoding)
      : tree_(tree), text_(text), encoding_(std::move(encoding)) {}

  Problem problem;   // comments, processing instructions, CDATA sections, declarations
  Report validity;   // codes 8, 10..13: the element does not conform to the DTD
  Report structure;  // an error that ends the analysis (0, 9, or a warning that stops)
  std::function<void(int percent)> progress;
  // Text given to replace an element: a declaration, a document type
  // declaration, a tag with two attributes of one name or a tag without its
  // '>' is an error (0) instead of a warning or nothing.
  bool strict = false;

  // Indexes the element whose '<' is the first markup at or after text[begin]
  // into entry `top` (whose old children are dropped), checking it against decl
  // when one is given. Stops when that element ends. False when an error ended
  // the analysis; the index keeps what was built before it, the entry that was
  // being filled loses its children.
  bool Build(int32_t top, size_t begin, const DtdElement* decl);

  // After Build: whether the element was found and closed, and where it ended
  // (one past its last byte, trailing CR and LF included).
  bool Opened() const { return opened_; }
  bool Closed() const { return closed_; }
  size_t ElementEnd() const { return elementEnd_; }

 private:
  int32_t LineStart(size_t pos, size_t limit) const;
  int32_t PastLineEnds(size_t pos) const;

  XmlIndexTree& tree_;
  std::string_view text_;
  std::string encoding_;
  bool opened_ = false;
  bool closed_ = false;
  size_t elementEnd_ = 0;
};

}  // namespace xml
