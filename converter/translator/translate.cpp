#include "converter/translator/translate.h"

#include "converter/page/page.h"
#include "converter/translator/passes.h"

namespace orvane {

std::string Translate(Conversion& conv, const std::string& source) {
    LogMessage(conv, "Converting...");
    conv.SystemFiles.clear();
    ListFilesRecursive(conv, conv.SystemFolder);
    TokenizeText(conv.Tokens, source);
    NormalizeForTranslation(conv.Tokens);
    // Steps 5-11: constant table, name suffixes, calldebugger, library needs, reference file,
    // Declare and Bool removal (driver's own steps, not built yet).
    TranslateCompoundAssignments(conv);  // 12
    // Steps 13-15: backslashes in strings, debugger switches, hexadecimal numbers (not built yet).
    RemoveTypeSuffixes(conv);     // 16
    TranslateLibraryCalls(conv);  // 17
    if (!TranslateDeclarations(conv)) return "";  // 18
    TranslateStatics(conv);                       // 19
    TranslateEnumerations(conv);
    if (!TranslateStructures(conv)) return "";  // 20
    TranslateArrays(conv);                      // 21
    TranslateLinkedLists(conv);
    TranslateMaps(conv);
    TranslateSelectBlocks(conv);        // 22
    TranslateStructureVariables(conv);  // 23
    TranslateProcedures(conv);          // 24
    TranslateDebug(conv);
    TranslateElementAddresses(conv);
    TranslateComments(conv);
    // Step 25: keyword mapping; step 26: library needs by prefix (not built yet).
    TranslateForLoops(conv);  // 27
    TranslateWhileLoops(conv);
    TranslateRepeatLoops(conv);
    TranslateIfBlocks(conv);
    return conv.Tokens.Join();  // 28
}

}  // namespace orvane
