// The passes Translate runs over conv.Tokens, in the order translate.cpp calls them.
#pragma once

#include "converter/run/conversion.h"

namespace orvane {

// Comments and macros.
void TranslateComments(Conversion& conv);

// Declarations and arrays.
void TranslateCompoundAssignments(Conversion& conv);
void RemoveTypeSuffixes(Conversion& conv);
bool TranslateDeclarations(Conversion& conv);  // false on a fatal error
void TranslateStatics(Conversion& conv);
void TranslateArrays(Conversion& conv);

// Enumerations, constants and structures.
void TranslateEnumerations(Conversion& conv);
bool TranslateStructures(Conversion& conv);  // false on a fatal error
void TranslateStructureVariables(Conversion& conv);

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

}  // namespace orvane
