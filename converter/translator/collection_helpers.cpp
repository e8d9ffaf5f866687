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

CollectionParameters FindCollectionParameters(const TokenList& t, std::string_view keyword) {
    CollectionParameters procedures;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier) continue;
        std::string lower = Lower(t.At(id).Text);
        if (lower != "procedure" && lower != "proceduredll" && lower != "procedurecdll" &&
            lower != "procedurec")
            continue;
        TokenId nameId = AfterNonEmpty(t, id);
        TokenId open = AfterNonEmpty(t, nameId);
        if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier || !TextIs(t, open, "("))
            continue;
        const std::string name = Lower(t.At(nameId).Text);
        int depth = 1;
        int place = 0;
        bool startOfParameter = true;
        TokenId at = After(t, open);
        for (; at != NoToken && !IsStatementEndToken(t, at); at = t.Next(at)) {
            const Token& tok = t.At(at);
            if (tok.Text.empty()) continue;
            if (tok.Text == "(") {
                ++depth;
            } else if (tok.Text == ")") {
                if (--depth == 0) break;
            } else if (tok.Text == "," && depth == 1) {
                ++place;
                startOfParameter = true;
                continue;
            } else if (startOfParameter && depth == 1 && tok.Type == PBSC_Identifier &&
                       Lower(tok.Text) == keyword) {
                procedures[name].insert(place);
            }
            startOfParameter = false;
        }
        if (at == NoToken) break;
        id = at;
    }
    return procedures;
}

bool IsCollectionArgument(const TokenList& t, TokenId name, TokenId close,
                          const CollectionParameters& procedures) {
    if (procedures.empty()) return false;
    TokenId before = BeforeNonEmpty(t, name);
    TokenId after = AfterNonEmpty(t, close);
    if (!(TextIs(t, before, "(") || TextIs(t, before, ",")) ||
        !(TextIs(t, after, ")") || TextIs(t, after, ",")))
        return false;
    // Back to the "(" of the call, counting the arguments before this one.
    int depth = 0;
    int place = 0;
    for (TokenId at = before; at != NoToken && !IsStatementEndToken(t, at); at = t.Prev(at)) {
        const std::string& text = t.At(at).Text;
        if (text == ")") {
            ++depth;
        } else if (text == "(") {
            if (depth-- > 0) continue;
            TokenId callee = BeforeNonEmpty(t, at);
            if (callee == NoToken || t.At(callee).Type != PBSC_Identifier) return false;
            auto found = procedures.find(Lower(t.At(callee).Text));
            return found != procedures.end() && found->second.count(place) != 0;
        } else if (text == "," && depth == 0) {
            ++place;
        }
    }
    return false;
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
