// Enumerations and constants, structure templates, variables typed with a structure, and the
// OffsetOf()/TypeOf() questions about a structure's fields.
#include <map>
#include <unordered_map>

#include "converter/translator/collection_helpers.h"
#include "converter/translator/passes.h"

namespace orvane {

namespace {

bool IsBasicTypeLetter(std::string_view lower) {
    return lower.size() == 1 && std::string_view("wbaculifqds").find(lower[0]) != std::string::npos;
}

// Value of an enumeration start or explicit member value. Hexadecimal literals have already
// been wrapped as cString.Val("$..") by the driver.
long long EnumerationValue(const std::string& text) {
    const std::string wrapped = "cString.Val(\"";
    if (StartsWith(text, wrapped)) return NumericValue(text.substr(wrapped.size()));
    return NumericValue(text);
}

}  // namespace

void TranslateEnumerations(Conversion& conv) {
    LogMessage(conv, "Processing: Enumerations and Constants...");
    TokenList& t = conv.Tokens;
    bool open = false;
    long long counter = 0;
    std::string name;
    std::map<std::string, long long> next;  // next value of each named enumeration
    bool binary = false;                    // EnumerationBinary: 1, 2, 4, 8, ...
    auto step = [&binary](long long value) {
        return binary ? (value > 0 ? value * 2 : 1) : value + 1;
    };

    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type == PBSC_Constant) {
            if (StartsWith(tok.Text, "#")) tok.Text.erase(0, 1);
            if (!open) continue;
            TokenId after = After(t, id);
            if (TextIs(t, after, "=")) {
                counter = EnumerationValue(t.TextOf(After(t, after)));
                // A named enumeration numbers from its table entry, so an explicit value has to
                // move that entry as well or the members after it would restart below it.
                if (!name.empty()) next[name] = counter;
                tok.Text = "var " + tok.Text;
            } else {
                long long value = name.empty() ? counter : next[name];
                tok.Text = "var " + tok.Text + " = " + std::to_string(value);
            }
            counter = step(counter);
            next[name] = step(next[name]);
            continue;
        }
        if (tok.Type != PBSC_Identifier) continue;
        std::string lower = Lower(tok.Text);
        if (lower == "enumeration" || lower == "enumerationbinary") {
            open = true;
            binary = lower == "enumerationbinary";
            ClearTokenAt(t, id);
            TokenId arg = After(t, id);
            if (arg == NoToken || IsStatementEndToken(t, arg)) {
                // A comment after the keyword is no enumeration name.
                counter = binary ? 1 : 0;
                name.clear();
            } else if (t.At(arg).Text == "#") {
                // Continues the running counter (#PB_Compiler_EnumerationValue follows).
            } else if (t.At(arg).Type == PBSC_Number) {
                counter = EnumerationValue(t.At(arg).Text);
                ClearTokenAt(t, arg);
            } else {
                std::string newName = t.At(arg).Text;
                TokenId afterName = After(t, arg);
                if (EqualsNoCase(t.TextOf(After(t, afterName)), "pb_compiler_enumerationvalue")) {
                    next[newName] = name.empty() ? counter : next[name];
                    name = newName;
                    ClearTokenAt(t, arg);
                } else {
                    name = newName;
                    ClearTokenAt(t, arg);
                    if (binary && next.count(name) == 0) next[name] = 1;
                    if (afterName != NoToken && !IsStatementEndToken(t, afterName)) {
                        counter = EnumerationValue(t.At(afterName).Text);
                        next[name] = counter;
                        ClearTokenAt(t, afterName);
                    }
                }
            }
        } else if (lower == "endenumeration") {
            open = false;
            long long value = name.empty() ? counter : next[name];
            tok.Text = "cCommon.PB_Compiler_EnumerationValue = " + std::to_string(value) + ";";
            tok.Type = PBSC_Other;
        } else if (lower == "pb_compiler_enumerationvalue") {
            ClearTokenAt(t, Before(t, id));
            ClearTokenAt(t, id);
        }
    }
}

namespace {

// Appends one member of a Map or List member line ("Map m.Point()", "List l()") and empties
// its tokens; returns the last token consumed.
TokenId AppendCollectionMember(TokenList& t, TokenId keyword, bool isMap, std::string& text) {
    ClearTokenAt(t, keyword);
    TokenId member = AfterNonEmpty(t, keyword);
    if (member == NoToken || IsStatementEndToken(t, member)) return keyword;
    text += t.At(member).Text + ":";
    ClearTokenAt(t, member);
    TokenId at = member;
    std::string elementType;
    TokenId dot = AfterNonEmpty(t, at);
    if (TextIs(t, dot, ".")) {
        ClearTokenAt(t, dot);
        at = dot;
        TokenId type = AfterNonEmpty(t, dot);
        if (type != NoToken && !IsStatementEndToken(t, type)) {
            elementType = t.At(type).Text;
            ClearTokenAt(t, type);
            at = type;
        }
    }
    // A basic element type names no template; handing it to cMap would reference an
    // undefined variable.
    if (IsBasicTypeLetter(Lower(elementType))) elementType.clear();
    if (isMap)
        text += "new cMap(" + elementType + "),";
    else
        text += "new cLinkedList(),";
    TokenId open = AfterNonEmpty(t, at);
    if (TextIs(t, open, "(")) {
        ClearTokenAt(t, open);
        at = open;
        TokenId close = AfterNonEmpty(t, open);
        if (TextIs(t, close, ")")) {
            ClearTokenAt(t, close);
            at = close;
        }
    }
    return at;
}

// Empties a bracketed part ("{20}" of a fixed string, "[10]" of a fixed array) up to its
// closing bracket, never past the end of the line.
TokenId EmptyBracketed(TokenList& t, TokenId open, std::string_view close) {
    TokenId at = open;
    for (TokenId id = open; id != NoToken && !IsStatementEndToken(t, id); id = t.Next(id)) {
        bool last = t.At(id).Text == close;
        ClearTokenAt(t, id);
        at = id;
        if (last) break;
    }
    return at;
}

}  // namespace

bool TranslateStructures(Conversion& conv) {
    LogMessage(conv, "Processing: Structures...");
    TokenList& t = conv.Tokens;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (EqualsNoCase(t.At(id).Text, "structureunion")) {
            LogMessage(conv, "");
            LogMessage(conv, "Line " + std::to_string(t.At(id).Line) +
                                 ": StructureUnion is not supported (yet), sorry!");
            LogMessage(conv, "", true);
            return false;
        }
    }

    std::string all;
    TokenId first = NoToken;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier || !EqualsNoCase(t.At(id).Text, "structure")) continue;
        if (first == NoToken) first = id;
        int line = t.At(id).Line;
        ClearTokenAt(t, id);
        std::string text = "var ";
        TokenId nameId = After(t, id);
        std::string name;
        if (nameId != NoToken && !IsStatementEndToken(t, nameId)) {
            name = t.At(nameId).Text;
            ClearTokenAt(t, nameId);
        } else {
            nameId = id;
        }
        // "Structure B Extends A": the template starts as a copy of A's and adds B's own
        // members, which is what PureBasic's inheritance gives a variable of type B.
        std::string closing = "#};";
        TokenId extends = After(t, nameId);
        TokenId base = After(t, extends);
        if (nameId != id && EqualsNoCase(t.TextOf(extends), "extends") && base != NoToken &&
            t.At(base).Type == PBSC_Identifier) {
            text += name + " = jQuery.extend(true, {}, " + t.At(base).Text + ", { ";
            closing = "#});";
            ClearTokenAt(t, extends);
            ClearTokenAt(t, base);
            nameId = base;
        } else {
            text += name + " = { ";
        }

        bool closed = false;
        TokenId at = After(t, nameId);
        for (; at != NoToken; at = t.Next(at)) {
            Token& tok = t.At(at);
            if (IsStatementEndToken(t, at)) continue;
            std::string lower = Lower(tok.Text);
            if (lower == "endstructure") {
                ClearTokenAt(t, at);
                closed = true;
                break;
            }
            if (lower == "map" || lower == "list") {
                at = AppendCollectionMember(t, at, lower == "map", text);
            } else if (tok.Text == ".") {
                TokenId member = Before(t, at);
                TokenId type = After(t, at);
                text += t.TextOf(member) + ":";
                ClearTokenAt(t, member);
                ClearTokenAt(t, at);
                if (type != NoToken && !IsStatementEndToken(t, type)) {
                    text += "jQuery.extend(true, {}, " + t.At(type).Text + "),";
                    ClearTokenAt(t, type);
                    at = type;
                }
            } else {
                if (tok.Text == "{") at = EmptyBracketed(t, at, "}");
                if (tok.Text == "[") at = EmptyBracketed(t, at, "]");
                Token& cur = t.At(at);
                if (!cur.Text.empty() && !TextIs(t, After(t, at), ".")) {
                    text += cur.Text + " : null,";
                    ClearTokenAt(t, at);
                }
            }
        }
        if (!closed)
            LogMessage(conv, "Line " + std::to_string(line) + ": Structure " + name +
                                 " has no EndStructure; closed at the end of the source.");
        // Only this structure's text is tidied, so many structures stay linear.
        text += closing;
        text = ReplaceAll(ReplaceAll(text, "#}", "}"), ",}", "}");
        all += text + "\n";
        if (at == NoToken) break;
        id = at;
    }
    if (first != NoToken) t.At(first).Text = all;
    t.RemoveEmptyTokens();
    return true;
}

void TranslateStructureVariables(Conversion& conv) {
    TokenList& t = conv.Tokens;
    bool dot = false;
    bool paren = false;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Text.empty()) continue;
        if (tok.Type == PBSC_NewLine) {
            dot = paren = false;
            continue;
        }
        if (tok.Type == PBSC_Other) {
            if (tok.Text == ".") dot = true;
            if (tok.Text == "(") paren = true;
            if (tok.Text == ")") paren = false;
            continue;
        }
        if (tok.Type != PBSC_Identifier) {
            // ".5" or a "." before anything but a name does not start a type.
            dot = false;
            continue;
        }
        if (!dot) continue;
        std::string lower = Lower(tok.Text);
        if (IsBasicTypeLetter(lower)) continue;
        ClearTokenAt(t, Before(t, id));
        if (paren) {
            tok.Text.clear();
        } else if (TextIs(t, AfterNonEmpty(t, id), "=")) {
            tok.Text.clear();
        } else if (ContainsNoCase(lower, "firstelement") || ContainsNoCase(lower, "lastelement") ||
                   ContainsNoCase(lower, "nextelement") ||
                   ContainsNoCase(lower, "previouselement")) {
            tok.Text = " = " + tok.Text;
        } else {
            tok.Text = " = jQuery.extend(true, {}, " + tok.Text + ")";
        }
        dot = false;
    }
}

namespace {

// PureBasic's type numbers (#PB_Byte, #PB_Word, ...) as TypeOf() gives them.
constexpr int TypeStructure = 7;
constexpr int TypeString = 8;
constexpr int TypeList = 14;
constexpr int TypeArray = 15;
constexpr int TypeInteger = 21;
constexpr int TypeMap = 22;

int BasicTypeNumber(std::string_view lower) {
    static const std::unordered_map<std::string_view, int> numbers = {
        {"b", 1},  {"w", 3},  {"l", 5},  {"s", TypeString}, {"f", 9},  {"c", 11},
        {"d", 12}, {"q", 13}, {"i", 21}, {"a", 24},         {"u", 25},
    };
    auto hit = numbers.find(lower);
    return hit == numbers.end() ? TypeStructure : hit->second;
}

struct FieldInfo {
    std::string name;  // as declared, without "*" or "$": the template's property name
    int type = 0;
};

struct StructureInfo {
    std::string base;  // lower-cased name after Extends, "" without one
    std::unordered_map<std::string, FieldInfo> fields;  // by lower-cased name
};

using StructureTable = std::unordered_map<std::string, StructureInfo>;

std::string FieldName(std::string text) {
    if (StartsWith(text, "*")) text.erase(0, 1);
    if (EndsWith(text, "$")) text.pop_back();
    return TrimBlanks(text);
}

TokenId LineEnd(const TokenList& t, TokenId id) {
    while (id != NoToken && !IsStatementEndToken(t, id))
        id = t.Next(id);
    return id;
}

// Reads one member line starting at `first` into the structure's fields.
void ReadMember(const TokenList& t, TokenId first, StructureInfo& info) {
    const Token& lead = t.At(first);
    if (lead.Type != PBSC_Identifier) return;
    std::string lower = Lower(lead.Text);
    TokenId nameId = first;
    int type = TypeInteger;  // a member without a type suffix is an Integer
    if (lower == "list" || lower == "map" || lower == "array") {
        nameId = After(t, first);
        if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier) return;
        type = lower == "list" ? TypeList : lower == "map" ? TypeMap : TypeArray;
    } else if (EndsWith(lead.Text, "$")) {
        type = TypeString;
    } else if (StartsWith(lead.Text, "*")) {
        type = TypeInteger;  // a pointer holds an address
    } else if (TextIs(t, After(t, first), ".")) {
        TokenId typeId = After(t, After(t, first));
        if (typeId != NoToken && t.At(typeId).Type == PBSC_Identifier)
            type = BasicTypeNumber(Lower(t.At(typeId).Text));
    }
    std::string name = FieldName(t.At(nameId).Text);
    if (!name.empty()) info.fields[Lower(name)] = FieldInfo{name, type};
}

StructureTable ReadStructures(const TokenList& t) {
    StructureTable table;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        if (t.At(id).Type != PBSC_Identifier || Lower(t.At(id).Text) != "structure") continue;
        TokenId nameId = After(t, id);
        if (nameId == NoToken || t.At(nameId).Type != PBSC_Identifier) continue;
        StructureInfo& info = table[Lower(t.At(nameId).Text)];
        TokenId extends = After(t, nameId);
        if (Lower(t.TextOf(extends)) == "extends") info.base = Lower(t.TextOf(After(t, extends)));
        id = LineEnd(t, nameId);
        while (id != NoToken) {
            TokenId first = t.Next(id);
            if (first == NoToken) return table;
            if (IsStatementEndToken(t, first)) {
                id = first;
                continue;
            }
            if (Lower(t.At(first).Text) == "endstructure") {
                id = first;
                break;
            }
            ReadMember(t, first, info);
            id = LineEnd(t, first);
        }
        if (id == NoToken) break;
    }
    return table;
}

// The field as a structure or one of its bases declares it; nullptr when none does.
const FieldInfo* FindField(const StructureTable& table, std::string structure,
                           const std::string& field) {
    // Bounded so that structures extending each other in a circle cannot hold the walk.
    for (size_t hops = 0; hops <= table.size(); ++hops) {
        auto s = table.find(structure);
        if (s == table.end()) return nullptr;
        auto f = s->second.fields.find(field);
        if (f != s->second.fields.end()) return &f->second;
        structure = s->second.base;
    }
    return nullptr;
}

}  // namespace

void TranslateFieldQueries(Conversion& conv) {
    TokenList& t = conv.Tokens;
    StructureTable table;
    bool read = false;
    for (TokenId id = t.First(); id != NoToken; id = t.Next(id)) {
        Token& tok = t.At(id);
        if (tok.Type != PBSC_Identifier) continue;
        std::string lower = Lower(tok.Text);
        if (lower != "offsetof" && lower != "typeof") continue;
        // Only the form "(Structure\Field)"; anything else is left as written.
        TokenId open = After(t, id);
        TokenId structure = After(t, open);
        TokenId slash = After(t, structure);
        TokenId field = After(t, slash);
        TokenId close = After(t, field);
        if (!TextIs(t, open, "(") || !TextIs(t, slash, "\\") || !TextIs(t, close, ")") ||
            t.At(structure).Type != PBSC_Identifier || t.At(field).Type != PBSC_Identifier)
            continue;
        if (!read) {
            table = ReadStructures(t);
            read = true;
        }
        std::string name = FieldName(t.At(field).Text);
        const FieldInfo* info = FindField(table, Lower(t.At(structure).Text), Lower(name));
        // The runtime's structured sorts take the field by name; JavaScript has no offsets.
        if (lower == "offsetof") {
            tok.Text = "\"" + (info ? info->name : name) + "\"";
            tok.Type = PBSC_String;
        } else {
            tok.Text = std::to_string(info ? info->type : 0);
            tok.Type = PBSC_Number;
        }
        for (TokenId gone : {open, structure, slash, field, close})
            t.Delete(gone);
    }
}

}  // namespace orvane
