#include "converter/translator/collection_helpers.h"

namespace orvane {

std::string CollectionNames::TypeOf(const std::string& name) const {
    auto found = types.find(name);
    return found == types.end() || found->second.empty() ? "nostruct" : found->second;
}

void RecordCollection(TokenList& t, TokenId keyword, CollectionNames& known) {
    TokenId nameId = AfterNonEmpty(t, keyword);
    if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier) return;
    const std::string& name = t.At(nameId).Text;
    known.names.insert(name);
    for (TokenId at = After(t, nameId); at != NoToken && !IsStatementEndToken(t, at);
         at = t.Next(at)) {
        if (t.At(at).Text == ".") {
            ClearTokenAt(t, at);
            TokenId type = After(t, at);
            if (type == NoToken) return;
            known.types[name] = t.At(type).Text;
            ClearTokenAt(t, type);
            ClearTokenAt(t, After(t, type));
            ClearTokenAt(t, After(t, After(t, type)));
            return;
        }
        if (t.At(at).Text == "(") {
            known.types[name] = "nostruct";
            ClearTokenAt(t, at);
            ClearTokenAt(t, After(t, at));
            return;
        }
    }
}

void RecordParameter(TokenList& t, TokenId keyword, CollectionNames& known) {
    TokenId nameId = AfterNonEmpty(t, keyword);
    TokenId next = AfterNonEmpty(t, nameId);
    if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier ||
        !(TextIs(t, next, "(") || TextIs(t, next, ".")))
        return;
    ClearTokenAt(t, keyword);
    RecordCollection(t, keyword, known);
}

bool IsLogicalKeyword(const Token& tok) {
    if (tok.Type != PBSC_Identifier) return false;
    std::string lower = Lower(tok.Text);
    return lower == "and" || lower == "or" || lower == "not" || lower == "xor";
}

TokenId GatherArgument(TokenList& t, TokenId from, std::string& into) {
    int depth = 0;
    TokenId at = from;
    for (; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
        const std::string& text = t.At(at).Text;
        if (depth == 0 && (text == ")" || text == ",")) return at;
        if (text == "(") ++depth;
        if (text == ")") --depth;
        into += text;
        ClearTextAt(t, at);
    }
    return at;
}

}  // namespace orvane
