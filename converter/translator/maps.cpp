// Maps: NewMap declarations, keyed and current-element access, map commands and ForEach over
// maps.
#include "converter/translator/collection_helpers.h"
#include "converter/translator/passes.h"

namespace orvane {

namespace {

const std::string kGetData = ".getData()";

// The map object named by a gathered argument: "m.getData()" for a known map, "m()" for one
// the pass has not seen declared.
std::string MapObject(const std::string& argument) {
    if (EndsWith(argument, kGetData)) return WithoutSuffix(argument, kGetData);
    return WithoutSuffix(argument, "()");
}

TokenId StatementEnd(const TokenList& t, TokenId from) {
    TokenId at = from;
    while (at != NoToken && !IsStatementEndToken(t, at))
        at = t.Next(at);
    return at;
}

// Puts `text` as a token of its own right before the statement end (or at the list's end).
void CloseStatement(TokenList& t, TokenId from, const std::string& text, int line) {
    TokenId end = StatementEnd(t, from);
    if (end == NoToken)
        t.Append(text, PBSC_Other, line);
    else
        t.InsertBefore(end, text, PBSC_Other, t.At(end).Line);
}

// Constants, variables and operators can be gathered into one text. Calls, parenthesised parts
// (map reads among them) and logical keywords need the later passes to see their tokens.
bool IsPlainValue(const TokenList& t, TokenId from) {
    if (from == NoToken || IsStatementEndToken(t, from)) return false;
    for (TokenId at = from; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
        const Token& tok = t.At(at);
        if (tok.Text == "(" || tok.Text == ")" || IsLogicalKeyword(tok)) return false;
    }
    return true;
}

// Gathers the value from `first` to the statement end into the first token's text, which is
// then returned (the other value tokens are emptied).
std::string GatherValue(TokenList& t, TokenId first) {
    std::string value;
    for (TokenId at = first; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
        value += t.At(at).Text;
        if (at != first) ClearTextAt(t, at);
    }
    return value;
}

void TranslateAccesses(TokenList& t, const CollectionNames& maps,
                       const CollectionParameters& mapParameters) {
    bool inCondition = false;
    TokenId statementFirst = t.First();
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        // Keywords are names; lowering every other token would only cost time.
        std::string lower = tok.Type == PBSC_Identifier ? Lower(tok.Text) : std::string();
        if (IsConditionKeyword(lower)) inCondition = true;
        if (lower == "endif" || tok.Type == PBSC_NewLine) inCondition = false;
        if (tok.Type == PBSC_NewLine) statementFirst = t.Next(id);
        if (tok.Type != PBSC_Identifier || !maps.Known(tok.Text)) continue;
        TokenId open = After(t, id);
        if (!TextIs(t, open, "(")) continue;
        std::string type = maps.TypeOf(tok.Text);
        TokenId at = After(t, open);
        if (at == NoToken) continue;
        bool hasKey = !TextIs(t, at, ")");
        std::string key;
        TokenId close = at;
        if (hasKey) {
            int depth = 1;
            for (; at != NoToken; at = t.Next(at)) {
                if (IsStatementEndToken(t, at)) break;
                Token& k = t.At(at);
                if (k.Text == "(") ++depth;
                if (k.Text == ")") --depth;
                if (k.Text == "\\") k.Text = ".";
                if (depth == 0) {
                    ClearTextAt(t, at);
                    break;
                }
                key += k.Text;
                ClearTextAt(t, at);
            }
            close = at;
        }
        // An unclosed key ends at the line end; nothing after it belongs to this access.
        TokenId equals =
            close == NoToken || IsStatementEndToken(t, close) ? NoToken : After(t, close);
        bool assignment = TextIs(t, equals, "=") && !inCondition;
        TokenId first = assignment ? After(t, equals) : NoToken;
        bool plain = assignment && IsPlainValue(t, first);

        if (hasKey && assignment) {
            ClearTextAt(t, open);
            if (type == "nostruct" && plain) {
                ClearTextAt(t, equals);
                std::string value = GatherValue(t, first);
                t.At(first).Text = ".setData(" + value + ", " + key + ")";
            } else if (type == "nostruct") {
                t.At(equals).Text = ".setData(";
                CloseStatement(t, first, ", " + key + ")", tok.Line);
            } else if (first != NoToken && !IsStatementEndToken(t, first)) {
                // A structure assigned to an element replaces the element with a copy of it,
                // creating the element when the key is new; setting a property named after the
                // structure on the old element (or on nothing) would lose the value.
                t.At(equals).Text = ".setData(jQuery.extend(true, {}, ";
                CloseStatement(t, first, "), " + key + ")", tok.Line);
            }
        } else if (type == "nostruct" && !inCondition &&
                   !ShorthandOperator(t.TextOf(equals)).empty()) {
            // "m(k) + 1" on its own: a read cannot be assigned to, so the sum is stored.
            const std::string op = ShorthandOperator(t.TextOf(equals));
            ClearTextAt(t, open);
            ClearTextAt(t, close);
            t.At(equals).Text = ".setData(" + tok.Text + ".getData(" + key + ") " + op + " (";
            CloseStatement(t, equals, hasKey ? "), " + key + ")" : "))", tok.Line);
        } else if (hasKey) {
            t.At(open).Text = ".getData(" + key + ")";
        } else if (assignment) {
            std::string name = tok.Text;
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            ClearTextAt(t, close);
            if (plain) {
                ClearTextAt(t, equals);
                std::string value = GatherValue(t, first);
                t.At(first).Text = name + ".setData(" + value + ")";
            } else {
                t.At(equals).Text = name + ".setData(";
                CloseStatement(t, equals, ")", t.At(equals).Line);
            }
        } else {
            const std::string& head = t.TextOf(statementFirst);
            if (head != "cJson.InsertJSONMap" && head != "cJson.ExtractJSONMap" &&
                !IsCollectionArgument(t, id, close, mapParameters))
                tok.Text += kGetData;
            ClearTextAt(t, open);
            ClearTextAt(t, close);
        }
    }
}

bool IsOneArgumentCommand(std::string_view lower) {
    return lower == "mapkey" || lower == "mapsize" || lower == "clearmap" || lower == "resetmap" ||
           lower == "freemap" || lower == "nextmapelement" || lower == "popmapposition" ||
           lower == "pushmapposition";
}

void TranslateCommands(TokenList& t, const CollectionNames& maps) {
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier) continue;
        std::string lower = Lower(tok.Text);
        std::string cmd = tok.Text;
        TokenId open = After(t, id);
        bool call = TextIs(t, open, "(");

        if (lower == "newmap") {
            TokenId nameId = AfterNonEmpty(t, id);
            if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier) continue;
            ClearTextAt(t, id);
            std::string name = t.At(nameId).Text;
            std::string type = maps.TypeOf(name);
            t.At(nameId).Text = type == "nostruct" ? "var " + name + " = new cMap(); "
                                                   : "var " + name + " = new cMap(" + type + ")";
            TokenId at = After(t, nameId);
            for (; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at))
                ClearTextAt(t, at);
            if (at == NoToken) break;
            id = at;
        } else if ((lower == "findmapelement" || lower == "addmapelement" ||
                    lower == "deletemapelement") &&
                   call) {
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            TokenId arg = After(t, open);
            if (arg == NoToken || IsStatementEndToken(t, arg)) continue;
            std::string text = RemoveAll(t.At(arg).Text, kGetData) + "." + cmd + "(";
            ClearTextAt(t, arg);
            // Only this call's own arguments are drawn in, each comma after the key kept, so
            // a flag argument stays an argument and code after the call stays outside it.
            bool afterComma = false;
            int depth = 0;
            TokenId last = arg;
            TokenId at = After(t, arg);
            for (; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
                const std::string piece = t.At(at).Text;
                last = at;
                if (depth == 0 && piece == ")") break;
                if (piece == "(") ++depth;
                if (piece == ")") --depth;
                ClearTextAt(t, at);
                if (depth == 0 && piece == ",") {
                    if (afterComma) text += ", ";
                    afterComma = true;
                } else if (afterComma) {
                    text += piece;
                }
            }
            t.At(last).Text = text + ")";
            if (at == NoToken) break;
            id = last;
        } else if (lower == "copymap" && call) {
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            std::string first, second;
            TokenId comma = GatherArgument(t, After(t, open), first);
            if (!TextIs(t, comma, ",")) continue;
            ClearTextAt(t, comma);
            TokenId close = GatherArgument(t, After(t, comma), second);
            if (!TextIs(t, close, ")")) continue;
            t.At(close).Text =
                "cMap." + cmd + "(" + MapObject(first) + ", " + MapObject(second) + ")";
            id = close;
        } else if (IsOneArgumentCommand(lower) && call) {
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            std::string arg;
            TokenId close = GatherArgument(t, After(t, open), arg);
            if (!TextIs(t, close, ")")) continue;
            t.At(close).Text = MapObject(arg) + "." + cmd + "()";
            id = close;
        } else if (lower == "foreach") {
            TokenId at = After(t, id);
            if (TextIs(t, at, "(")) at = After(t, at);
            if (at == NoToken || !maps.Known(RemoveAll(t.At(at).Text, kGetData))) continue;
            ClearTokenAt(t, id);
            if (call) ClearTextAt(t, open);
            std::string name = RemoveAll(t.At(at).Text, kGetData);
            t.At(at).Text = name + ".ForEach_Init();\nwhile (" + name + ".ForEach()) {\n";
            t.At(at).Type = PBSC_Other;
            // The map's own "()", already emptied by the access walk.
            TokenId a1 = After(t, at);
            TokenId a2 = After(t, a1);
            if (!IsStatementEndToken(t, a1)) {
                ClearTokenAt(t, a1);
                if (!IsStatementEndToken(t, a2)) ClearTokenAt(t, a2);
            }
            TokenId a3 = After(t, a2);
            if (call && TextIs(t, a3, ")")) ClearTextAt(t, a3);
            id = at;
        }
    }
}

}  // namespace

void TranslateMaps(Conversion& conv) {
    LogMessage(conv, "Processing: Maps...");
    TokenList& t = conv.Tokens;
    CollectionNames maps;
    const CollectionParameters mapParameters = FindCollectionParameters(t, "map");
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier) continue;
        std::string lower = Lower(t.At(id).Text);
        if (lower == "newmap") RecordCollection(t, id, maps);
        // A Map parameter of a procedure is known inside it and keeps only its name.
        if (lower == "map") RecordParameter(t, id, maps);
    }
    TranslateAccesses(t, maps, mapParameters);
    TranslateCommands(t, maps);
    t.RemoveEmptyTokens();
}

}  // namespace orvane
