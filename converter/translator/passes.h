// The passes Translate runs over conv.Tokens, in the order translate.cpp calls them.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>

#include "converter/run/conversion.h"

namespace orvane {

// Comments and macros.
void TranslateComments(Conversion& conv);

// Declarations and arrays.
void TranslateCompoundAssignments(Conversion& conv);
void RemoveTypeSuffixes(Conversion& conv);
bool TranslateDeclarations(Conversion& conv);  // false on a fatal error
// Name tokens of Static variables declared as strings ("s$", "s.s"); found before the name and
// type suffixes are removed, so that such a variable can start as "" rather than 0.
using StaticStringNames = std::unordered_set<TokenId>;
StaticStringNames FindStaticStringNames(const TokenList& tokens);
void TranslateStatics(Conversion& conv, const StaticStringNames& stringNames);
void TranslateArrays(Conversion& conv);

// Enumerations, constants and structures.
void TranslateEnumerations(Conversion& conv);
bool TranslateStructures(Conversion& conv);  // false on a fatal error
void TranslateStructureVariables(Conversion& conv);
// OffsetOf(Structure\Field) becomes the field's name as a string, TypeOf(Structure\Field) its
// PureBasic type number (0 when the structure is not in the source). Runs before the name and
// type suffixes go, since the field types are read from the declarations as written.
void TranslateFieldQueries(Conversion& conv);

// Library lists, Read/Restore, switches; Debug; element addresses.
void TranslateLibraryCalls(Conversion& conv);
void TranslateDebug(Conversion& conv);
void TranslateElementAddresses(Conversion& conv);

// Linked lists and maps.
void TranslateLinkedLists(Conversion& conv);
void TranslateMaps(Conversion& conv);

// Conditionals, loops, procedures.
bool TranslateSelectBlocks(Conversion& conv);
void TranslateIfBlocks(Conversion& conv);
void TranslateForLoops(Conversion& conv);
void TranslateWhileLoops(Conversion& conv);
void TranslateRepeatLoops(Conversion& conv);
void TranslateProcedures(Conversion& conv);

// ---- helpers the passes share (exposed for their tests) ----

// Reads references.txt (found in conv.SystemFiles), reports "Needed: " / "Unneeded: " per
// library and drops the files of unneeded libraries from conv.SystemFiles.
void ApplyReferenceFile(Conversion& conv);

// Gathers a statement tail: from `first` up to the statement end (type 5 or 4, never consumed)
// or the end of the list, each token's text is appended without separator and the token
// emptied. Returns the text; `last` gets the last token consumed (NoToken when none was).
// `rewrite`, when given, may change a token (and the ones after it) before its text is taken.
std::string GatherStatementTail(TokenList& tokens, TokenId first, TokenId& last,
                                const std::function<void(TokenList&, TokenId)>& rewrite = {});
// The condition a Case line compares with: value as gathered, "[||]" for "," and "[&&]" for To.
std::string CaseComparison(const std::string& selectExpression, const std::string& value);
// The text a For header ends with ("i=1;i<=10; i++) {").
std::string ForHeader(const std::string& variable, const std::string& start,
                      const std::string& limit, const std::string& step);

}  // namespace orvane
