// Small token look-ups shared by the structure, data, list and map passes. They work on token
// handles so that a pass can look ahead without moving the cursor and never steps off either
// end of the list.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "converter/translator/tokens.h"

namespace orvane {

inline TokenId After(const TokenList& t, TokenId id) {
    return id == NoToken ? NoToken : t.Next(id);
}
inline TokenId Before(const TokenList& t, TokenId id) {
    return id == NoToken ? NoToken : t.Prev(id);
}

// The next token whose text is not empty; emptied tokens left by earlier passes are skipped.
inline TokenId AfterNonEmpty(const TokenList& t, TokenId id) {
    TokenId next = After(t, id);
    while (next != NoToken && t.At(next).Text.empty())
        next = t.Next(next);
    return next;
}

inline TokenId BeforeNonEmpty(const TokenList& t, TokenId id) {
    TokenId prev = Before(t, id);
    while (prev != NoToken && t.At(prev).Text.empty())
        prev = t.Prev(prev);
    return prev;
}

inline bool IsStatementEndToken(const TokenList& t, TokenId id) {
    return id != NoToken && IsStatementEndType(t.At(id).Type);
}

inline bool TextIs(const TokenList& t, TokenId id, std::string_view text) {
    return id != NoToken && t.At(id).Text == text;
}

inline void ClearTokenAt(TokenList& t, TokenId id) {
    if (id != NoToken) EmptyToken(t.At(id));
}

inline void ClearTextAt(TokenList& t, TokenId id) {
    if (id != NoToken) t.At(id).Text.clear();
}

// Removes one trailing accessor text (".GetContent()", ".getData()") when it is there; an
// argument that never got one (a collection the pass does not know) keeps its whole name.
inline std::string WithoutSuffix(const std::string& s, std::string_view suffix) {
    return EndsWith(s, suffix) ? s.substr(0, s.size() - suffix.size()) : s;
}

// Lower-cased keyword words that make a line a condition, where "=" compares.
inline bool IsConditionKeyword(std::string_view lower) {
    return lower == "if" || lower == "elseif" || lower == "while" || lower == "until";
}

// The lists or maps a pass knows: declared with NewList/NewMap, or collection parameters.
struct CollectionNames {
    std::unordered_set<std::string> names;
    std::unordered_map<std::string, std::string> types;  // "nostruct" or the structure name

    bool Known(const std::string& name) const { return names.count(name) != 0; }
    // A collection whose declaration the pass never saw is taken as one of a basic type rather
    // than getting a structure template with no name.
    std::string TypeOf(const std::string& name) const;
};

// Records the collection declared after `keyword` (NewList, NewMap) and empties its element
// type and "()", so that the declaration is not taken for an element access.
void RecordCollection(TokenList& t, TokenId keyword, CollectionNames& known);
// A "List name.type()" or "Map name.type()" procedure parameter: recorded like a declaration,
// and emptied down to its name, which is all a JavaScript parameter keeps.
void RecordParameter(TokenList& t, TokenId keyword, CollectionNames& known);

// The 0-based places of the parameters declared with `keyword` ("list" or "map") in each
// procedure of the source, by lower-cased procedure name.
using CollectionParameters = std::unordered_map<std::string, std::unordered_set<int>>;
CollectionParameters FindCollectionParameters(const TokenList& t, std::string_view keyword);
// Whether the access "name()" (`close` its ")") is a whole argument of a call of a procedure
// that takes a collection at that place: the procedure then gets the collection itself.
bool IsCollectionArgument(const TokenList& t, TokenId name, TokenId close,
                          const CollectionParameters& procedures);

// The operator of a shorthand statement's "+=" ("a(k) + 1" on its own); "" for other texts.
inline std::string ShorthandOperator(const std::string& text) {
    if (text == "+=" || text == "-=" || text == "*=" || text == "/=" || text == "|=" ||
        text == "&=")
        return text.substr(0, 1);
    return "";
}

bool IsLogicalKeyword(const Token& tok);  // And, Or, Not, XOr

// Gathers an argument's texts up to the "," or ")" that ends it at its own bracket depth (or
// the line end) and empties them; returns the token that ended it.
TokenId GatherArgument(TokenList& t, TokenId from, std::string& into);

}  // namespace orvane
