// Data statements and labels, library functions and constants from the program folder's
// tables, Read/Restore/End, Debug output and element addresses.
#include <unordered_map>

#include "converter/translator/collection_helpers.h"
#include "converter/translator/passes.h"
#include "converter/translator/translate.h"
#include "platform/platform.h"

namespace orvane {

namespace {

// A JavaScript literal for one data value: PureBasic's "$FF" and "%101" would otherwise be
// read as a variable name and a syntax error.
std::string DataValue(const Token& tok) {
    if (tok.Type != PBSC_Number) return tok.Text;
    if (StartsWith(tok.Text, "$") && tok.Text.size() > 1)
        return "0x" + TrimBlanks(tok.Text.substr(1));
    if (StartsWith(tok.Text, "%") && tok.Text.size() > 1)
        return "0b" + TrimBlanks(tok.Text.substr(1));
    return tok.Text;
}

// A label is a name standing first on its line; a ":" elsewhere only separates statements and
// would give a definition such as "var ORV_Label_) = 0" that breaks the script.
bool IsLabelName(const TokenList& t, TokenId name) {
    if (name == NoToken || t.At(name).Type != PBSC_Identifier) return false;
    TokenId before = t.Prev(name);
    return before == NoToken || t.At(before).Type == PBSC_NewLine || TextIs(t, before, ":");
}

std::vector<std::string> TableLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = ReadTextFileNow(path);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = TrimWhite(std::string_view(text).substr(start, end - start));
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::string TranslateDataSections(Conversion& conv, const std::string& text) {
    TokenList& t = conv.Tokens;
    TokenizeText(t, text);
    std::string labels, global, data, out;
    long long count = 0;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        const Token& tok = t.At(id);
        if (tok.Text == ":" && IsLabelName(t, t.Prev(id))) {
            const std::string& name = t.At(t.Prev(id)).Text;
            labels += "var ORV_Label_" + name + " = " + std::to_string(count) + "\r\n";
            if (global.empty()) global = "cCommonORV_Global_Label = ORV_Label_" + name + "\r\n";
        }
        if (tok.Text == "Data") {
            if (data.empty()) data = "cCommonORV_DataArray=[";
            TokenId at = t.Next(id);
            for (; at != NoToken; at = t.Next(at)) {
                const Token& value = t.At(at);
                if (IsStatementEndType(value.Type) || value.Text == ":") break;
                if (value.Type == PBSC_Other && value.Text == ".") {
                    if (t.Next(at) != NoToken) at = t.Next(at);
                    continue;
                }
                if (value.Type == PBSC_Other && value.Text == ",") ++count;
                data += DataValue(value);
            }
            if (at == NoToken) break;  // a data line that ends the file
            ++count;
            data += ",";
            id = at;
        }
        if (!t.At(id).Text.empty()) out += t.At(id).Text + " ";
    }
    if (data.empty()) return out;
    if (EndsWith(data, ",")) data.pop_back();
    data += "]";
    return labels + "\r\n" + global + "\r\n" + data + "\r\n" + out;
}

void TranslateLibraryCalls(Conversion& conv) {
    TokenList& t = conv.Tokens;
    std::unordered_map<std::string, std::string> objects;  // function -> runtime object
    for (const std::string& line : TableLines(conv.ProgramFolder + "libraries.txt")) {
        size_t dot = line.find('.');
        if (dot == std::string::npos) continue;
        size_t dot2 = line.find('.', dot + 1);
        std::string function =
            line.substr(dot + 1, dot2 == std::string::npos ? dot2 : dot2 - dot - 1);
        objects[function] = line.substr(0, dot);
    }

    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier) continue;
        auto found = objects.find(tok.Text);
        if (found == objects.end()) continue;
        // After "." the name is a type ("NewMap p.Point()", "Define b.Box"): structures may be
        // named like library functions.
        if (TextIs(t, BeforeNonEmpty(t, id), ".")) continue;
        std::string call = "c" + found->second + "." + tok.Text;
        if (TextIs(t, After(t, id), "(")) {
            tok.Text = call;
            continue;
        }
        std::string lower = Lower(tok.Text);
        if (lower == "read") {
            // The value goes to the whole target, which may be an element ("Read.s a(i)",
            // "Read.s items()\name"): "=" and the call stand after it as tokens of their own,
            // so the array, list and map passes still see the target's brackets.
            int line = tok.Line;
            ClearTokenAt(t, id);
            TokenId end = After(t, id);
            TokenId last = id;
            while (end != NoToken && !IsStatementEndToken(t, end)) {
                if (!t.At(end).Text.empty()) last = end;
                end = t.Next(end);
            }
            if (last == id) {
                t.At(id).Text = call + "()";
            } else {
                TokenId equals = t.InsertAfter(last, "=", PBSC_Other, line);
                t.InsertAfter(equals, call + "()", PBSC_Other, line);
            }
        } else if (lower == "restore") {
            call += "(";
            ClearTokenAt(t, id);
            TokenId last = id;
            for (TokenId at = After(t, id); at != NoToken && !IsStatementEndToken(t, at);
                 at = t.Next(at)) {
                if (!t.At(at).Text.empty()) call += "ORV_Label_" + t.At(at).Text;
                ClearTokenAt(t, at);
                last = at;
            }
            t.At(last).Text = call + ")";
        } else if (lower == "end") {
            tok.Text = call + "()";
        }
    }

    std::unordered_map<std::string, std::string> constants;  // "#NAME" -> name as listed
    for (const std::string& line : TableLines(conv.ProgramFolder + "constants.txt"))
        constants["#" + Upper(line)] = line;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Constant) continue;
        auto found = constants.find(Upper(tok.Text));
        // Written as the table lists it: the runtime's members are case-sensitive while
        // PureBasic constants are not.
        if (found != constants.end()) tok.Text = "cConstants." + found->second;
    }

    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier) continue;
        std::string lower = Lower(tok.Text);
        if (lower == "enableexplicit" || lower == "disableexplicit") {
            ClearTokenAt(t, id);
        } else if (lower == "enablegadgetsautobind" || lower == "disablegadgetsautobind") {
            tok.Text = lower == "enablegadgetsautobind" ? "$.fn.GadgetsEvents="
                                                        : "$.fn.GadgetsEvents=null";
            for (TokenId at = After(t, id); at != NoToken && !IsStatementEndToken(t, at);
                 at = t.Next(at))
                if (t.At(at).Text == "(" || t.At(at).Text == ")") ClearTokenAt(t, at);
        }
    }
}

void TranslateDebug(Conversion& conv) {
    TokenList& t = conv.Tokens;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier || !EqualsNoCase(tok.Text, "debug")) continue;
        tok.Text = "cDebugger." + tok.Text;
        TokenId open = t.InsertAfter(id, "(", PBSC_Other, tok.Line);
        TokenId at = After(t, open);
        while (at != NoToken && !IsStatementEndToken(t, at))
            at = t.Next(at);
        // A Debug on the last line still needs its ")" or the whole script fails to parse.
        if (at == NoToken) {
            t.Append(")", PBSC_Other, t.At(open).Line);
            break;
        }
        t.InsertBefore(at, ")", PBSC_Other, t.At(at).Line);
        id = at;
    }
}

void TranslateElementAddresses(Conversion& conv) {
    TokenList& t = conv.Tokens;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Text != "@") continue;
        ClearTokenAt(t, id);
        TokenId target = After(t, id);
        if (target == NoToken) break;
        t.At(target).Text = ReplaceAllNoCase(t.At(target).Text, "getcontent", "GetCurrentElement");
        TokenId open = After(t, target);
        TokenId close = After(t, open);
        if (TextIs(t, open, "(") && TextIs(t, close, ")")) {
            ClearTokenAt(t, open);
            ClearTokenAt(t, close);
        }
    }
}

}  // namespace orvane
