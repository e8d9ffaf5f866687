// If/ElseIf/Else/EndIf and Select/Case/Default/EndSelect.
#include <vector>

#include "converter/translator/passes.h"

namespace orvane {

namespace {

// Empties a statement from `from` up to its end; used for lines that cannot be translated.
void EmptyStatement(TokenList& tokens, TokenId from, TokenId& last) {
    for (TokenId id = from; id != NoToken && !IsStatementEndType(tokens.At(id).Type);
         id = tokens.Next(id)) {
        EmptyToken(tokens.At(id));
        last = id;
    }
}

}  // namespace

std::string CaseComparison(const std::string& s, const std::string& v) {
    const bool anyOf = v.find("[||]") != std::string::npos;
    const bool range = v.find("[&&]") != std::string::npos;
    if (!anyOf && !range) return " ( " + s + " == " + v + " ) ";
    if (anyOf && !range)
        return " ( " + s + " == " + ReplaceAll(v, "[||]", " || " + s + " == ") + " ) ";
    if (range && !anyOf)
        return " ( " + s + " >= " + ReplaceAll(v, "[&&]", " && " + s + " <= ") + " ) ";
    std::vector<std::string> elements;
    SplitToArray(v, "[||]", elements);
    for (std::string& e : elements) {
        size_t to = e.find("[&&]");
        if (to == std::string::npos)
            e = s + " == " + e;
        else
            e = "(" + s + " >= " + e.substr(0, to) + " && " + s + " <= " + e.substr(to + 4) + ")";
    }
    return " ( " + JoinArray(elements, " || ") + " ) ";
}

void TranslateIfBlocks(Conversion& conv) {
    LogMessage(conv, "Processing: If - Else - EndIf...");
    TokenList& tokens = conv.Tokens;
    bool inCondition = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier) {
            const std::string lower = Lower(t.Text);
            if (lower == "if") {
                inCondition = true;
                t.Text = "if (";
            } else if (lower == "elseif") {
                inCondition = true;
                t.Text = "} else if (";
            } else if (lower == "else") {
                t.Text = "} else {";
            } else if (lower == "endif") {
                inCondition = false;
                t.Text = "}";
            }
        } else if (t.Type == PBSC_Other && inCondition) {
            if (t.Text == "=") {
                TokenId next = tokens.Next(id);
                const std::string& n = tokens.TextOf(next);
                if (n == ">" || n == "<") {
                    t.Text = n + "=";
                    tokens.At(next).Text.clear();
                    id = next;
                } else {
                    t.Text = "==";
                }
            } else if (t.Text == "<>") {
                t.Text = "!=";
            }
        } else if (IsStatementEndType(t.Type) && inCondition) {
            tokens.At(tokens.Prev(id)).Text += ") {";
            inCondition = false;
        }
    }
}

bool TranslateSelectBlocks(Conversion& conv) {
    LogMessage(conv, "Processing: Select - Case - Default - EndSelect...");
    TokenList& tokens = conv.Tokens;
    std::vector<std::string> expressions;  // innermost open Select last
    bool firstCase = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        const std::string lower = Lower(t.Text);
        if (lower == "select") {
            firstCase = true;
            EmptyToken(t);
            TokenId last = NoToken;
            expressions.push_back(
                GatherStatementTail(tokens, tokens.Next(id), last, [](TokenList& list, TokenId at) {
                    Token& a = list.At(at);
                    if (a.Text == "\\") a.Text = ".";
                }));
            if (last != NoToken) id = last;
        } else if (lower == "case" || lower == "default") {
            if (expressions.empty()) {
                LogMessage(
                    conv,
                    "Line " + std::to_string(t.Line) + ": " + t.Text + " outside a Select block",
                    true);
                TokenId last = id;
                EmptyStatement(tokens, id, last);
                id = last;
                continue;
            }
            if (lower == "default") {
                t.Text = " } else {";
                t.Type = PBSC_Other;
                firstCase = false;
                continue;
            }
            t.Text = firstCase ? "" : "}";
            t.Type = PBSC_Other;
            std::string value;
            TokenId last = id;
            for (TokenId at = tokens.Next(id); at != NoToken; at = tokens.Next(at)) {
                if (IsStatementEndType(tokens.At(at).Type)) break;
                const std::string text = tokens.At(at).Text;
                const bool to = EqualsNoCase(text, "to");
                if (to || text == ",") {
                    EmptyToken(tokens.At(at));
                    last = at;
                    TokenId bound = tokens.Next(at);
                    if (bound == NoToken || IsStatementEndType(tokens.At(bound).Type)) break;
                    at = bound;
                    value += (to ? "[&&]" : "[||]") + tokens.At(at).Text;
                } else {
                    value += text;
                }
                EmptyToken(tokens.At(at));
                last = at;
            }
            const std::string cmp = CaseComparison(expressions.back(), value);
            tokens.At(last).Text = firstCase ? " if " + cmp + " { " : " else if " + cmp + " {";
            firstCase = false;
            id = last;
        } else if (lower == "endselect") {
            t.Text = "}";
            t.Type = PBSC_Other;
            if (!expressions.empty()) expressions.pop_back();
        }
    }
    return true;
}

}  // namespace orvane
