#include "converter/translator/translate.h"

#include <unordered_map>
#include <unordered_set>

#include "converter/page/page.h"
#include "converter/translator/passes.h"
#include "converter/translator/runtime_names.h"
#include "platform/platform.h"

namespace orvane {

namespace {

// PureBasic's built-in constants that have a fixed JavaScript value.
const std::unordered_map<std::string, std::string>& ConstantTable() {
    static const std::unordered_map<std::string, std::string> table = [] {
        const std::string chr(js::StringChr);
        auto c = [&chr](int code) { return chr + "(" + std::to_string(code) + ")"; };
        std::unordered_map<std::string, std::string> t = {
            {"#ack$", c(6)},          {"#bel$", c(7)},     {"#bs$", c(8)},
            {"#can$", c(24)},         {"#cr$", c(13)},     {"#crlf$", c(13) + " + " + c(10)},
            {"#dc1$", c(17)},         {"#dc2$", c(18)},    {"#dc3$", c(19)},
            {"#dc4$", c(20)},         {"#del$", c(127)},   {"#dle$", c(16)},
            {"#doublequote$", c(34)}, {"#dquote$", c(34)}, {"#em$", c(25)},
            {"#enq$", c(5)},          {"#eot$", c(4)},     {"#esc$", c(27)},
            {"#etb$", c(23)},         {"#etx$", c(3)},     {"#false", "false"},
            {"#ff$", c(12)},          {"#fs$", c(28)},     {"#gs$", c(29)},
            {"#ht$", c(9)},           {"#lf$", c(10)},     {"#lfcr$", c(10) + " + " + c(13)},
            {"#nak$", c(21)},         {"#nul", "null"},    {"#null", "null"},
            {"#nul$", "null"},        {"#null$", "null"},  {"#rs$", c(30)},
            {"#si$", c(15)},          {"#so$", c(14)},     {"#soh$", c(1)},
            {"#stx$", c(2)},          {"#sub$", c(26)},    {"#tab", "9"},
            {"#tab$", c(9)},          {"#true", "true"},   {"#us$", c(31)},
            {"#vt$", c(11)},          {"#pi", "Math.PI"},
        };
        return t;
    }();
    return table;
}

struct NeedFlags {
    bool LibraryNeeds::*first;
    bool LibraryNeeds::*second;  // nullptr when one flag is enough
};

// Identifiers whose use means the page must load an optional library.
const std::unordered_map<std::string, NeedFlags>& NeedsByName() {
    using L = LibraryNeeds;
    static const std::unordered_map<std::string, NeedFlags> table = {
        {"orv_blockwindow", {&L::BlockUI, nullptr}},
        {"orv_blockgadget", {&L::BlockUI, nullptr}},
        {"colorrequester", {&L::ColorPicker, nullptr}},
        {"dategadget", {&L::DatePicker, nullptr}},
        {"orv_savetext", {&L::FileSaver, nullptr}},
        {"orv_savecsv", {&L::FileSaver, nullptr}},
        {"orv_savecanvas", {&L::FileSaver, nullptr}},
        {"savexml", {&L::FileSaver, nullptr}},
        {"googlechartgadget", {&L::GoogleChart, nullptr}},
        {"googlemapsgeocoder", {&L::GoogleMap, nullptr}},
        {"googlemapsgeocoder2", {&L::GoogleMap, nullptr}},
        {"googlemapgadget", {&L::GoogleMap, nullptr}},
        {"orv_setcookie", {&L::Cookie, nullptr}},
        {"orv_getcookie", {&L::Cookie, nullptr}},
        {"orv_removecookie", {&L::Cookie, nullptr}},
        {"addkeyboardshortcut", {&L::Hotkeys, nullptr}},
        {"removekeyboardshortcut", {&L::Hotkeys, nullptr}},
        {"bindkeyboardshortcut", {&L::Hotkeys, nullptr}},
        {"usepdf", {&L::Pdf, nullptr}},
        {"newpdf", {&L::Pdf, nullptr}},
        {"saveimage", {&L::SaveImage, nullptr}},
        {"splittergadget", {&L::Splitter, nullptr}},
        {"usemobile", {&L::Mobile, &L::TouchSwipe}},
        {"treegadget", {&L::FancyTree, nullptr}},
        {"listicongadget", {&L::Grid, nullptr}},
        {"gridgadget", {&L::Grid, nullptr}},
        {"trackbargadget", {&L::SliderPips, nullptr}},
        {"usecordova", {&L::Cordova, nullptr}},
        {"usefontawesome", {&L::FontAwesome, nullptr}},
        {"usebootstrap", {&L::Bootstrap, nullptr}},
        {"tinymcegadget", {&L::TinyMce, nullptr}},
        {"openwebsocket", {&L::WebSocket, nullptr}},
    };
    return table;
}

void SetNeeds(LibraryNeeds& needs, const NeedFlags& flags) {
    needs.*flags.first = true;
    if (flags.second) needs.*flags.second = true;
}

void ApplyConstantTable(TokenList& tokens) {
    const auto& table = ConstantTable();
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Constant) continue;
        auto hit = table.find(Lower(t.Text));
        if (hit != table.end()) t.Text = hit->second;
    }
}

void RemoveNameSuffixes(TokenList& tokens) {
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (!t.Text.empty() && t.Text[0] == '*') t.Text.erase(0, 1);
        if (!t.Text.empty() && t.Text.back() == '$') t.Text.pop_back();
        if (EqualsNoCase(t.Text, "calldebugger")) t.Text = "debugger";
    }
}

// The "Use..." statements only switch libraries on; their call has nothing to do in the script.
bool IsUseStatement(const std::string& lower) {
    return lower == "usecordova" || lower == "usemobile" || lower == "usefontawesome" ||
           lower == "usebootstrap" || lower == "usepdf";
}

void NoteLibraryNeeds(Conversion& conv) {
    TokenList& tokens = conv.Tokens;
    const auto& table = NeedsByName();
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier) {
            std::string lower = Lower(t.Text);
            auto hit = table.find(lower);
            if (hit != table.end()) {
                SetNeeds(conv.Needs, hit->second);
                if (IsUseStatement(lower)) {
                    TokenId at = id;
                    for (int i = 0; i < 3 && at != NoToken; ++i, at = tokens.Next(at))
                        tokens.At(at).Text.clear();
                }
            } else if (StartsWith(lower, "orv_localstorage")) {
                conv.Needs.Storage = true;
            }
        } else if (t.Type == PBSC_Constant) {
            if (EqualsNoCase(t.Text, "#pb_eventtype_swipe")) conv.Needs.TouchSwipe = true;
            if (EqualsNoCase(t.Text, "#pb_checkbox_threestate")) conv.Needs.Tristate = true;
        }
    }
}

void RemoveDeclareAndBool(TokenList& tokens) {
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (EqualsNoCase(t.Text, "declare")) {
            TokenId at = id;
            while (at != NoToken && !IsStatementEndType(tokens.At(at).Type)) {
                tokens.At(at).Text.clear();
                tokens.At(at).Type = PBSC_Other;
                id = at;
                at = tokens.Next(at);
            }
        } else if (EqualsNoCase(t.Text, "bool")) {
            t.Text.clear();
            t.Type = PBSC_Other;
        }
    }
}

// Words after which a value must follow, so a "%" there starts a binary number. The scanner takes
// any "%" after a word for the modulo operator and splits "Debug %101" into "%" and "101".
bool IsValueKeyword(std::string_view lower) {
    static const std::unordered_set<std::string_view> words = {"debug",  "procedurereturn",
                                                               "if",     "elseif",
                                                               "while",  "until",
                                                               "select", "case",
                                                               "to",     "step",
                                                               "and",    "or",
                                                               "xor",    "not"};
    return words.count(lower) != 0;
}

void JoinBinaryAfterKeyword(TokenList& tokens, TokenId percent) {
    TokenId before = tokens.Prev(percent);
    TokenId digits = tokens.Next(percent);
    if (before == NoToken || digits == NoToken) return;
    const Token& word = tokens.At(before);
    const Token& number = tokens.At(digits);
    if (word.Type != PBSC_Identifier || !IsValueKeyword(Lower(word.Text))) return;
    if (number.Type != PBSC_Number || number.Text.empty() ||
        number.Text.find_first_not_of("01") != std::string::npos)
        return;
    Token& t = tokens.At(percent);
    t.Text += number.Text;
    t.Type = PBSC_Number;
    tokens.Delete(digits);
}

void RewriteLiteralsAndSwitches(TokenList& tokens) {
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_String && t.Text.find('\\') != std::string::npos)
            t.Text = ReplaceAll(t.Text, "\\", "\\\\");
    }
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier &&
            (EqualsNoCase(t.Text, "enabledebugger") || EqualsNoCase(t.Text, "disabledebugger")))
            t.Text = std::string(js::DebuggerPrefix) + t.Text + "()";
    }
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Other && t.Text == "%") JoinBinaryAfterKeyword(tokens, id);
        if (t.Type != PBSC_Number || t.Text.empty()) continue;
        // JavaScript reads neither "$FF" nor "%1010"; the runtime's Val reads both. A blank after
        // the "%" would stop Val, so it goes ("$ FF" loses its blank in post-processing).
        if (t.Text[0] == '$')
            t.Text = std::string(js::StringVal) + "(\"" + t.Text + "\")";
        else if (t.Text[0] == '%')
            t.Text = std::string(js::StringVal) + "(\"" + RemoveAll(RemoveAll(t.Text, " "), "\t") +
                     "\")";
    }
}

void MapKeywords(TokenList& tokens) {
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier) {
            std::string lower = Lower(t.Text);
            if (lower == "true" || lower == "false" || lower == "break" || lower == "continue")
                t.Text = lower;
            else if (lower == "or")
                t.Text = "||";
            else if (lower == "and")
                t.Text = "&&";
            else if (lower == "not")
                t.Text = "!";
            else if (lower == "xor")
                t.Text = "^";  // JavaScript has no XOr word; "^" gives the same truth and bits
        } else if (t.Type == PBSC_Other) {
            // "&" stays: it is the source's bitwise And, as "|" is its bitwise Or; "&&" would
            // turn 6 & 3 into 3 and make 1 & 2 true.
            if (t.Text == "\\")
                t.Text = ".";
            else if (t.Text == "!")
                t.Text = "^";  // the source's "!" is its XOr operator, never a negation
        }
    }
}

void NoteLibraryNeedsByPrefix(Conversion& conv) {
    LibraryNeeds& n = conv.Needs;
    for (TokenId id = conv.Tokens.First(); id != NoToken; id = conv.Tokens.Next(id)) {
        const Token& t = conv.Tokens.At(id);
        if (t.Type != PBSC_Identifier || t.Text.size() < 5 ||
            (t.Text[0] != 'c' && t.Text[0] != 'C'))
            continue;
        if (StartsWithNoCase(t.Text, "ccipher.")) {
            n.Cipher = true;
        } else if (StartsWithNoCase(t.Text, "cpreference.")) {
            n.Storage = true;
        } else if (StartsWithNoCase(t.Text, "csprite.") ||
                   StartsWithNoCase(t.Text, "c2ddrawing.")) {
            n.Pixi = true;
        } else if (StartsWithNoCase(t.Text, "cmenu.")) {
            n.Menubar = true;
        } else if (StartsWithNoCase(t.Text, "cdatabase.")) {
            n.Database = true;
            n.Storage = true;
        } else if (StartsWithNoCase(t.Text, "cxml.")) {
            n.Xml = true;
        }
    }
}

}  // namespace

// The reference file names, per library, one identifier whose use makes the library needed;
// an unneeded library is dropped from the files deployment copies.
void ApplyReferenceFile(Conversion& conv) {
    std::string* entry = nullptr;
    for (std::string& file : conv.SystemFiles) {
        if (ContainsNoCase(file, "system/references.txt")) {
            entry = &file;
            break;
        }
    }
    if (!entry) return;
    std::string content = ReadTextFileNow(*entry);
    entry->clear();
    if (content.empty()) return;

    std::unordered_set<std::string> words;
    for (TokenId id = conv.Tokens.First(); id != NoToken; id = conv.Tokens.Next(id)) {
        const Token& t = conv.Tokens.At(id);
        if (t.Type == PBSC_Identifier) words.insert(Lower(t.Text));
    }
    // The file is written with "\r\n"; a copy that lost its carriage returns reads the same.
    // Text after the last line break is not a line.
    const std::string lines = ReplaceAll(content, "\r\n", "\n");
    for (std::string_view line : CompleteLines(lines)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        SplitToArray(line, ";", fields);
        const std::string& name = fields[0];
        std::string path = fields.size() > 1 ? fields[1] : "";
        if (words.count(Lower(name))) {
            LogMessage(conv, "Needed: " + path);
            continue;
        }
        LogMessage(conv, "Unneeded: " + path);
        if (path.empty()) continue;  // an empty fragment would prune every file
        for (std::string& file : conv.SystemFiles)
            if (ContainsNoCase(file, path)) file.clear();
    }
}

void NoteLibraryNeedsOfSource(Conversion& conv, const std::string& source) {
    TokenizeText(conv.Tokens, source);
    NormalizeForTranslation(conv.Tokens);
    NoteLibraryNeeds(conv);
    ApplyReferenceFile(conv);
}

std::string GatherStatementTail(TokenList& tokens, TokenId first, TokenId& last,
                                const std::function<void(TokenList&, TokenId)>& rewrite) {
    std::string gathered;
    last = NoToken;
    for (TokenId id = first; id != NoToken; id = tokens.Next(id)) {
        if (IsStatementEndType(tokens.At(id).Type)) break;
        if (rewrite) rewrite(tokens, id);
        Token& t = tokens.At(id);
        gathered += t.Text;
        t.Text.clear();
        t.Type = PBSC_Other;
        last = id;
    }
    return gathered;
}

std::string Translate(Conversion& conv, const std::string& source) {
    LogMessage(conv, "Converting...");  // 1
    conv.SystemFiles.clear();           // 2
    ListFilesRecursive(conv, conv.SystemFolder);
    TokenizeText(conv.Tokens, source);     // 3
    NormalizeForTranslation(conv.Tokens);  // 4
    // Static variables without a value start as "" or 0 by their type, which steps 6 and 16
    // take away; note the string ones while the types are still there.
    StaticStringNames stringStatics = FindStaticStringNames(conv.Tokens);
    TranslateFieldQueries(conv);
    ApplyConstantTable(conv.Tokens);              // 5
    RemoveNameSuffixes(conv.Tokens);              // 6, 7
    NoteLibraryNeeds(conv);                       // 8
    ApplyReferenceFile(conv);                     // 9
    RemoveDeclareAndBool(conv.Tokens);            // 10, 11
    TranslateCompoundAssignments(conv);           // 12
    RewriteLiteralsAndSwitches(conv.Tokens);      // 13, 14, 15
    RemoveTypeSuffixes(conv);                     // 16
    TranslateLibraryCalls(conv);                  // 17
    if (!TranslateDeclarations(conv)) return "";  // 18
    TranslateStatics(conv, stringStatics);        // 19
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
    MapKeywords(conv.Tokens);        // 25
    NoteLibraryNeedsByPrefix(conv);  // 26
    TranslateForLoops(conv);         // 27
    TranslateWhileLoops(conv);
    TranslateRepeatLoops(conv);
    TranslateIfBlocks(conv);
    return conv.Tokens.Join();  // 28
}

}  // namespace orvane
