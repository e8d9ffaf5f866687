// Linked lists: NewList declarations, element access, list commands and ForEach over lists.
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "converter/translator/collection_helpers.h"
#include "converter/translator/passes.h"

namespace orvane {

namespace {

const std::string kGetContent = ".GetContent()";

struct ListPass {
    TokenList& t;
    CollectionNames lists;
    CollectionParameters listParameters;  // procedures that take a list, and where

    bool Known(const std::string& name) const { return lists.Known(name); }
    std::string TypeOf(const std::string& name) const { return lists.TypeOf(name); }
    bool IsAccess(TokenId id) const {
        if (id == NoToken || t.At(id).Type != PBSC_Identifier || !Known(t.At(id).Text))
            return false;
        TokenId open = After(t, id);
        return TextIs(t, open, "(") && TextIs(t, After(t, open), ")");
    }
};

// A value made of constants, variables, operators and list elements can be gathered into one
// text. Calls, parenthesised parts and logical keywords need the later passes to see their
// tokens, so such a value stays in place.
bool IsPlainValue(const ListPass& p, TokenId from) {
    const TokenList& t = p.t;
    for (TokenId at = from; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
        if (p.IsAccess(at)) {
            at = After(t, After(t, at));
            continue;
        }
        const Token& tok = t.At(at);
        if (tok.Text == "(" || tok.Text == ")" || IsLogicalKeyword(tok)) return false;
    }
    return true;
}

// "name() = value": the name stays, the value goes into one ".SetContent(...)".
void RewriteAssignment(ListPass& p, TokenId name, TokenId equals) {
    TokenList& t = p.t;
    ClearTokenAt(t, After(t, name));
    ClearTokenAt(t, After(t, After(t, name)));
    TokenId first = After(t, equals);
    if (!IsPlainValue(p, first)) {
        t.At(equals).Text = ".SetContent(";
        t.At(equals).Type = PBSC_Other;
        TokenId end = first;
        while (end != NoToken && !IsStatementEndToken(t, end))
            end = t.Next(end);
        if (end == NoToken)
            t.Append(")", PBSC_Other, t.At(equals).Line);
        else
            t.InsertBefore(end, ")", PBSC_Other, t.At(end).Line);
        return;
    }
    ClearTokenAt(t, equals);
    std::string value;
    TokenId last = equals;
    for (TokenId at = first; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
        Token& tok = t.At(at);
        if (tok.Text == "(") {
            tok.Text.clear();
            tok.Type = PBSC_Other;
        } else if (tok.Text == ")") {
            tok.Text = kGetContent;
            tok.Type = PBSC_Other;
        } else if (tok.Text == "\\") {
            tok.Text = ".";
            tok.Type = PBSC_Other;
        }
        value += tok.Text;
        tok.Text.clear();
        last = at;
    }
    t.At(last).Text = ".SetContent(" + value + ")";
}

void TranslateAccesses(ListPass& p) {
    TokenList& t = p.t;
    bool inCondition = false;
    // Set by a runtime function that takes the list object itself rather than its current
    // element: the JSON functions, and the sorts, which reorder the list they are given.
    bool wholeList = false;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        // Keywords are names; lowering every other token would only cost time.
        std::string lower = tok.Type == PBSC_Identifier ? Lower(tok.Text) : std::string();
        if (IsConditionKeyword(lower)) inCondition = true;
        if (lower == "endif" || tok.Type == PBSC_NewLine) inCondition = false;
        // A JSON call hands over the list of its own statement only.
        if (tok.Type == PBSC_NewLine) wholeList = false;
        if (tok.Type != PBSC_Identifier) continue;
        if (lower == "cjson.insertjsonlist" || lower == "cjson.extractjsonlist" ||
            lower == "csort.sortlist" || lower == "csort.sortstructuredlist") {
            wholeList = true;
            continue;
        }
        if (!p.IsAccess(id)) continue;
        TokenId open = After(t, id);
        TokenId close = After(t, open);
        TokenId third = After(t, close);
        bool structured = p.TypeOf(tok.Text) != "nostruct";
        if (TextIs(t, third, "=") && !inCondition) {
            RewriteAssignment(p, id, third);
            continue;
        }
        if (TextIs(t, third, "=") && !structured) {
            ClearTextAt(t, close);
            t.At(open).Text = kGetContent;
            continue;
        }
        const std::string op = inCondition ? "" : ShorthandOperator(t.TextOf(third));
        if (!op.empty() && !structured) {
            // "a() + 1" on its own: a read cannot be assigned to, so the sum is stored.
            ClearTokenAt(t, open);
            ClearTokenAt(t, close);
            t.At(third).Text = ".SetContent(" + tok.Text + kGetContent + " " + op + " (";
            TokenId end = third;
            while (end != NoToken && !IsStatementEndToken(t, end))
                end = t.Next(end);
            if (end == NoToken)
                t.Append("))", PBSC_Other, tok.Line);
            else
                t.InsertBefore(end, "))", PBSC_Other, t.At(end).Line);
            continue;
        }
        if (wholeList)
            wholeList = false;
        else if (!IsCollectionArgument(t, id, close, p.listParameters))
            tok.Text += kGetContent;
        ClearTokenAt(t, open);
        ClearTokenAt(t, close);
    }
}

// Pairs every For and ForEach with its Next in one walk, so finding the end of each loop
// costs nothing however deeply loops nest.
std::unordered_map<TokenId, TokenId> MatchLoopEnds(const TokenList& t) {
    std::unordered_map<TokenId, TokenId> ends;
    std::vector<TokenId> open;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier) continue;
        std::string lower = Lower(t.At(id).Text);
        if (lower == "for" || lower == "foreach") {
            open.push_back(id);
        } else if (lower == "next" && !open.empty()) {
            ends[open.back()] = id;
            open.pop_back();
        }
    }
    return ends;
}

// Empties the "()" (or the emptied remains of it) and the closing ")" of a one-argument
// command, stopping at the line end so that a malformed call never eats the next statement.
void ClearCallEnd(TokenList& t, TokenId arg) {
    TokenId at = AfterNonEmpty(t, arg);
    if (TextIs(t, at, "(") && TextIs(t, AfterNonEmpty(t, at), ")")) {
        ClearTokenAt(t, at);
        at = AfterNonEmpty(t, at);
        ClearTokenAt(t, at);
        at = AfterNonEmpty(t, at);
    }
    if (TextIs(t, at, ")")) ClearTokenAt(t, at);
}

// The list object named by a gathered argument: "a.GetContent()" for a known list, "a()"
// for one the pass has not seen declared.
std::string ListObject(const std::string& argument) {
    if (EndsWith(argument, kGetContent)) return WithoutSuffix(argument, kGetContent);
    return WithoutSuffix(argument, "()");
}

void TranslateCommands(ListPass& p, Conversion& conv) {
    TokenList& t = p.t;
    std::unordered_map<TokenId, TokenId> loopEnds = MatchLoopEnds(t);
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier) continue;
        std::string lower = Lower(tok.Text);
        // One look-up instead of the chain below for every name that is no list command.
        static const std::unordered_set<std::string_view> commands = {"addelement",
                                                                      "changecurrentelement",
                                                                      "clearlist",
                                                                      "copylist",
                                                                      "csort.randomizelist",
                                                                      "deleteelement",
                                                                      "firstelement",
                                                                      "foreach",
                                                                      "insertelement",
                                                                      "lastelement",
                                                                      "listdata",
                                                                      "listindex",
                                                                      "listsize",
                                                                      "mergelists",
                                                                      "moveelement",
                                                                      "newlist",
                                                                      "nextelement",
                                                                      "poplistposition",
                                                                      "previouselement",
                                                                      "pushlistposition",
                                                                      "resetlist",
                                                                      "selectelement",
                                                                      "splitlist",
                                                                      "swapelements"};
        if (!commands.count(lower)) continue;
        std::string cmd = tok.Text;
        TokenId open = After(t, id);
        bool call = TextIs(t, open, "(");

        if (lower == "newlist") {
            TokenId nameId = AfterNonEmpty(t, id);
            if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier) {
                LogMessage(conv, "Line " + std::to_string(tok.Line) +
                                     ": NewList without a list name is left as it stands.");
                continue;
            }
            ClearTextAt(t, id);
            const std::string name = t.At(nameId).Text;
            t.At(nameId).Text = "var " + name + " = new cLinkedList();";
            TokenId at = After(t, nameId);
            for (; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at))
                ClearTextAt(t, at);
            if (at == NoToken) break;
            id = at;
        } else if ((lower == "addelement" || lower == "insertelement") && call) {
            ClearTokenAt(t, id);
            ClearTokenAt(t, open);
            TokenId arg = After(t, open);
            if (arg == NoToken || IsStatementEndToken(t, arg)) continue;
            std::string name = ReplaceAllNoCase(t.At(arg).Text, kGetContent, "");
            std::string type = p.TypeOf(name);
            t.At(arg).Text = type == "nostruct"
                                 ? name + "." + cmd + "()"
                                 : name + "." + cmd + "( jQuery.extend(true, {}, " + type + ") )";
            ClearCallEnd(t, arg);
            id = arg;
        } else if ((lower == "clearlist" || lower == "resetlist" ||
                    lower == "csort.randomizelist" || lower == "firstelement" ||
                    lower == "lastelement" || lower == "listdata" || lower == "listindex" ||
                    lower == "listsize" || lower == "nextelement" || lower == "previouselement" ||
                    lower == "pushlistposition" || lower == "poplistposition") &&
                   call) {
            ClearTokenAt(t, id);
            ClearTokenAt(t, open);
            TokenId arg = After(t, open);
            if (TextIs(t, arg, "@")) {
                ClearTextAt(t, arg);
                arg = After(t, arg);
            }
            if (arg == NoToken || IsStatementEndToken(t, arg)) continue;
            std::string name = RemoveAll(t.At(arg).Text, kGetContent);
            t.At(arg).Text =
                lower == "csort.randomizelist" ? cmd + "(" + name + ")" : name + "." + cmd + "()";
            ClearCallEnd(t, arg);
            id = arg;
        } else if ((lower == "selectelement" || lower == "deleteelement" ||
                    lower == "swapelements" || lower == "changecurrentelement") &&
                   call) {
            ClearTokenAt(t, id);
            ClearTokenAt(t, open);
            TokenId arg = After(t, open);
            if (arg == NoToken || IsStatementEndToken(t, arg)) continue;
            t.At(arg).Text = RemoveAll(t.At(arg).Text, kGetContent) + "." + cmd + "(";
            // The list's own "()" (emptied, or still there for a list the pass does not know)
            // and the comma before the further arguments.
            TokenId at = After(t, arg);
            if (TextIs(t, at, "(") || TextIs(t, at, "")) {
                TokenId second = After(t, at);
                if (TextIs(t, second, ")") || TextIs(t, second, "")) {
                    ClearTokenAt(t, at);
                    ClearTokenAt(t, second);
                    at = After(t, second);
                }
            }
            if (TextIs(t, at, ",")) ClearTokenAt(t, at);
            id = arg;
        } else if (lower == "moveelement" && call) {
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            TokenId arg = After(t, open);
            if (arg == NoToken || IsStatementEndToken(t, arg)) continue;
            std::string text = ReplaceAllNoCase(t.At(arg).Text, kGetContent, "") + "." + cmd + "(";
            ClearTextAt(t, arg);
            // The list's "()" and the comma before the location; the comma carries the call.
            TokenId last = arg;
            for (int i = 0; i < 3; ++i) {
                TokenId at = After(t, last);
                if (at == NoToken || IsStatementEndToken(t, at)) break;
                ClearTextAt(t, at);
                last = at;
            }
            t.At(last).Text = text;
            id = last;
        } else if ((lower == "copylist" || lower == "mergelists" || lower == "splitlist") && call) {
            ClearTextAt(t, id);
            ClearTextAt(t, open);
            std::string first;
            TokenId comma = GatherArgument(t, After(t, open), first);
            if (!TextIs(t, comma, ",")) continue;
            ClearTextAt(t, comma);
            std::string second;
            TokenId stop = GatherArgument(t, After(t, comma), second);
            // A further argument (MergeLists' location, SplitList's keep flag) is passed on:
            // dropping it would merge or split differently from what the program asks.
            std::string rest;
            if (TextIs(t, stop, ",")) {
                while (TextIs(t, stop, ",")) {
                    ClearTextAt(t, stop);
                    rest += rest.empty() ? "" : ", ";
                    stop = GatherArgument(t, After(t, stop), rest);
                }
            }
            if (stop == NoToken || IsStatementEndToken(t, stop)) continue;
            std::string text = ListObject(first) + "." + cmd + "(" + ListObject(second);
            if (!rest.empty()) text += ", " + rest;
            t.At(stop).Text = text + ")";
            id = stop;
        } else if (lower == "foreach") {
            TokenId at = After(t, id);
            if (TextIs(t, at, "(")) at = After(t, at);
            if (at == NoToken || !p.Known(RemoveAll(t.At(at).Text, kGetContent))) continue;
            ClearTokenAt(t, id);
            if (TextIs(t, open, "(")) ClearTextAt(t, open);
            std::string name = RemoveAll(t.At(at).Text, kGetContent);
            t.At(at).Text = name + ".ForEach_Start();\nwhile (" + name + ".ForEach()) {\n";
            t.At(at).Type = PBSC_Other;
            TokenId a1 = After(t, at);
            TokenId a2 = After(t, a1);
            if (!IsStatementEndToken(t, a1)) ClearTokenAt(t, a1);
            if (!IsStatementEndToken(t, a1) && !IsStatementEndToken(t, a2)) {
                ClearTokenAt(t, a2);
                TokenId a3 = After(t, a2);
                if (TextIs(t, a3, ")")) ClearTextAt(t, a3);
            }
            auto end = loopEnds.find(id);
            if (end == loopEnds.end()) continue;
            TokenId nl = end->second;
            while (nl != NoToken && t.At(nl).Type != PBSC_NewLine)
                nl = t.Next(nl);
            if (nl != NoToken) t.At(nl).Text += name + ".ForEach_End();\n";
        }
    }
}

}  // namespace

void TranslateLinkedLists(Conversion& conv) {
    LogMessage(conv, "Processing: LinkedLists...");
    ListPass p{conv.Tokens, {}, FindCollectionParameters(conv.Tokens, "list")};
    TokenList& t = p.t;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier) continue;
        std::string lower = Lower(t.At(id).Text);
        if (lower == "newlist") {
            RecordCollection(t, id, p.lists);
        } else if (lower == "list") {
            // A List parameter ("Procedure f(List l.s())"): the list is known inside the
            // procedure, and its parameter keeps only the name.
            RecordParameter(t, id, p.lists);
        }
    }
    TranslateAccesses(p);
    TranslateCommands(p, conv);
    t.RemoveEmptyTokens();
}

}  // namespace orvane
