#pragma once
// What the XML parser reports: the kinds of part and attribute, the records of
// the declarations it analyses (element, attribute, entity, notation) and the
// notice it gives for each. All text in them is UTF-8.

#include <string>
#include <string_view>

namespace xml {

// The kinds of part NextPart reports, in order.
enum PartKind {
  pkNone,
  pkProlog,
  pkComment,
  pkPI,
  pkDoctype,
  pkStartTag,
  pkEmptyTag,
  pkEndTag,
  pkText,
  pkCData
};

// How an attribute of a tag got its value.
enum AttrKind { akNormal, akImplied, akFixed, akDefault };

// Declared attribute types.
enum AttrValueType {
  atUnknown,
  atCData,
  atID,
  atIdRef,
  atIdRefs,
  atEntity,
  atEntities,
  atNmToken,
  atNmTokens,
  atNotation,
  atEnumeration
};

// Declared attribute default kinds.
enum AttrDefault { adDefault, adRequired, adImplied, adFixed };

// Declared element content kinds.
enum ElemContentType { etEmpty, etAny, etChildren, etMixed };

// What a DeclarationFound notice is about.
enum DeclKind { dkElement, dkAttList, dkEntity, dkNotation, dkPI, dkComment, dkError };

// Display names, indexed by the enumerations above.
inline constexpr const char* PartKindNames[] = {
    "",          "XML Prolog", "Comment", "PI",   "DTD Declaration",
    "Start Tag", "Empty Tag",  "End Tag", "Text", "CDATA"};
inline constexpr const char* AttrKindNames[] = {"Normal", "Implied", "Fixed", "Default"};
inline constexpr const char* AttrTypeNames[] = {"Unknown",  "CDATA",    "ID",         "IDREF",
                                                "IDREFS",   "ENTITY",   "ENTITIES",   "NMTOKEN",
                                                "NMTOKENS", "Notation", "Enumeration"};
inline constexpr const char* AttrDefaultNames[] = {"Default", "Required", "Implied", "Fixed"};
inline constexpr const char* ElemTypeNames[] = {"Empty", "Any", "Childs only", "Mixed"};

// A name with a value; the element type of every sorted list.
struct NvpNode {
  std::string Name;
  std::string Value;
};

// An attribute of the current tag.
struct Attr : NvpNode {
  AttrKind Kind = akNormal;
  AttrValueType AttrType = atUnknown;
};

// A declared attribute. Value is the declared default or fixed value.
struct AttrDef : NvpNode {
  std::string TypeDef;    // the type keyword, or an enumeration's a|b|c
  std::string Notations;  // for a NOTATION type: the names between the parentheses
  AttrValueType AttrType = atUnknown;
  AttrDefault DefaultType = adDefault;
};

// A declared entity. Value is the replacement text of an internal entity
// (UTF-8, character references already expanded); an entity with a system
// identifier is external and its text is read through OpenExternal.
struct EntityDef : NvpNode {
  std::string SystemId;
  std::string PublicId;
  std::string NotationName;
  bool IsExternal() const { return !SystemId.empty(); }
};

// A declared notation. Value is its system identifier.
struct NotationDef : NvpNode {
  std::string PublicId;
};

struct ElemDef;
class AttrList;

// What DeclarationFound receives. Pointers are valid during the call only.
struct DeclNotice {
  const char* Start = nullptr;  // the declaration's '<'
  const char* Final = nullptr;  // its '>' (or last character)
  DeclKind Kind = dkError;
  const ElemDef* Element = nullptr;       // dkElement, dkAttList
  const EntityDef* Entity = nullptr;      // dkEntity: the definition in force
  bool ParameterEntity = false;           // dkEntity: a parameter entity
  const NotationDef* Notation = nullptr;  // dkNotation
  std::string_view Target;                // dkPI
  std::string_view Content;               // dkPI
  const AttrList* Attributes = nullptr;   // dkPI
  const char* ErrorPos = nullptr;         // dkError: the offending character
};

// An external identifier as read: Final is the last character consumed.
struct ExternalID {
  std::string PublicId;
  std::string SystemId;
  const char* Final = nullptr;
};

}  // namespace xml
