// Variables: the shorthand "a + 1", basic type suffixes, Global/Protected/Define/Shared,
// Static variables and arrays.
#include <unordered_set>

#include "converter/translator/passes.h"
#include "converter/translator/runtime_names.h"

namespace orvane {

namespace {

// The next token that still has a text, or NoToken.
TokenId NextFilled(const TokenList& tokens, TokenId id) {
    for (id = tokens.Next(id); id != NoToken; id = tokens.Next(id))
        if (!tokens.At(id).Text.empty()) return id;
    return NoToken;
}

bool IsShorthandOperator(const std::string& s) {
    return s == "+" || s == "-" || s == "*" || s == "/" || s == "!" || s == "|" || s == "&" ||
           s == "~";
}

// Words that begin a statement whose expression may start with a sign ("Debug -1"); such a
// statement is never a shorthand assignment.
bool IsStatementKeyword(const std::string& lower) {
    static const std::unordered_set<std::string> words = {"if",
                                                          "elseif",
                                                          "while",
                                                          "until",
                                                          "select",
                                                          "case",
                                                          "debug",
                                                          "procedurereturn",
                                                          "end",
                                                          "for",
                                                          "step",
                                                          "to",
                                                          "compilerif",
                                                          "compilerelseif",
                                                          "compilerselect",
                                                          "compilercase",
                                                          "global",
                                                          "protected",
                                                          "define",
                                                          "static",
                                                          "shared",
                                                          "dim",
                                                          "redim",
                                                          "data",
                                                          "with",
                                                          "break",
                                                          "swap",
                                                          "goto",
                                                          "gosub",
                                                          "not",
                                                          "debuglevel"};
    return words.count(lower) > 0;
}

bool IsBasicType(const std::string& lower) {
    return lower == "b" || lower == "a" || lower == "c" || lower == "w" || lower == "u" ||
           lower == "l" || lower == "i" || lower == "f" || lower == "q" || lower == "d" ||
           lower == "s" || lower == "word";
}

bool IsDeclarationKeyword(const Token& t) {
    return t.Type == PBSC_Identifier &&
           (EqualsNoCase(t.Text, "global") || EqualsNoCase(t.Text, "protected") ||
            EqualsNoCase(t.Text, "define"));
}

}  // namespace

// "a + 1" on its own means "a = a + 1". Only a statement made of a variable (array elements
// and fields included) followed by the operator is such an assignment: in "Debug a + 1",
// "If a + 1 > 2" or "PrintN(Str(a + 1))" the operator belongs to an expression and a must not
// change.
void TranslateCompoundAssignments(Conversion& conv) {
    TokenList& tokens = conv.Tokens;
    enum { AtStart, AfterName, AfterBackslash, InIndex, NotShorthand } state = AtStart;
    bool startsWithKeyword = false;
    int depth = 0;  // parentheses of an array index
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (IsStatementEndType(t.Type)) {
            state = AtStart;
            continue;
        }
        if (t.Text.empty() || state == NotShorthand) continue;
        switch (state) {
            case AtStart:
                state = t.Type == PBSC_Identifier ? AfterName : NotShorthand;
                startsWithKeyword = IsStatementKeyword(Lower(t.Text));
                break;
            case AfterBackslash:
                state = t.Type == PBSC_Identifier ? AfterName : NotShorthand;
                break;
            case InIndex:
                if (t.Text == "(") ++depth;
                if (t.Text == ")" && --depth == 0) state = AfterName;
                break;
            case AfterName:
                if (t.Type == PBSC_Other && t.Text == "\\") {
                    state = AfterBackslash;
                    break;
                }
                if (t.Text == "(" && !startsWithKeyword) {
                    state = InIndex;
                    depth = 1;
                    break;
                }
                if (t.Type == PBSC_Other && IsShorthandOperator(t.Text) && !startsWithKeyword)
                    t.Text = t.Text == "!" ? "^=" : t.Text + "=";  // "!" is XOr here
                state = NotShorthand;
                break;
            case NotShorthand:
                break;
        }
    }
}

// A basic type is the word right after a "." ("a.i", "Procedure.s"); structure types stay for
// the structure passes. A "." straight after Global/Protected/Define is left for the
// declarations pass, which refuses typed declaration keywords.
void RemoveTypeSuffixes(Conversion& conv) {
    TokenList& tokens = conv.Tokens;
    TokenId previous = NoToken;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Other && t.Text == "." &&
            !(previous != NoToken && IsDeclarationKeyword(tokens.At(previous)))) {
            TokenId word = tokens.Next(id);
            if (word != NoToken && tokens.At(word).Type == PBSC_Identifier &&
                IsBasicType(Lower(tokens.At(word).Text))) {
                EmptyToken(t);
                EmptyToken(tokens.At(word));
                id = word;
            }
        }
        previous = id;
    }
}

bool TranslateDeclarations(Conversion& conv) {
    LogMessage(conv, "Processing: Declarations...");
    TokenList& tokens = conv.Tokens;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (IsDeclarationKeyword(t)) {
            TokenId next = tokens.Next(id);
            if (next != NoToken && tokens.At(next).Text == ".") {
                const std::string keyword = t.Text;
                const std::string type = tokens.TextOf(tokens.Next(next));
                LogMessage(conv, "");
                LogMessage(conv, "Line " + std::to_string(t.Line) +
                                     ": Typed declaration keywords are not allowed (yet)");
                LogMessage(conv, "Not allowed: " + keyword + "." + type + " myVar");
                LogMessage(conv, "Better use:  " + keyword + " myVar." + type);
                LogMessage(conv, "", true);
                return false;
            }
            t.Text = "var";
        } else if (EqualsNoCase(t.Text, "shared")) {
            // Every global is visible inside a script function, so the line has nothing to do.
            for (TokenId at = id; at != NoToken && !IsStatementEndType(tokens.At(at).Type);
                 at = tokens.Next(at)) {
                EmptyToken(tokens.At(at));
                id = at;
            }
        }
    }
    return true;
}

StaticStringNames FindStaticStringNames(const TokenList& tokens) {
    StaticStringNames names;
    bool inStatic = false, expectName = false;
    int depth = 0;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& t = tokens.At(id);
        if (IsStatementEndType(t.Type)) {
            inStatic = false;
        } else if (t.Type == PBSC_Identifier && EqualsNoCase(t.Text, "static")) {
            inStatic = expectName = true;
            depth = 0;
        } else if (inStatic && expectName && t.Type == PBSC_Identifier) {
            expectName = false;
            TokenId dot = tokens.Next(id);
            if (EndsWith(t.Text, "$") ||
                (tokens.TextOf(dot) == "." && EqualsNoCase(tokens.TextOf(tokens.Next(dot)), "s")))
                names.insert(id);
        } else if (inStatic) {
            if (t.Text == "(") ++depth;
            if (t.Text == ")") --depth;
            if (t.Text == "," && depth == 0) expectName = true;
        }
    }
    return names;
}

// A Static variable lives on the running function ("arguments.callee.count") so that it keeps
// its value between calls. It gets its initial value (the one written, else 0 or "") only while
// it is still undefined, that is at the first call.
void TranslateStatics(Conversion& conv, const StaticStringNames& stringNames) {
    TokenList& tokens = conv.Tokens;
    const std::string holder(js::StaticHolder);
    std::unordered_set<std::string> names;  // Static names of the procedure being walked
    bool inStatic = false, expectName = false;
    int depth = 0;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (IsStatementEndType(t.Type)) {
            inStatic = false;
            continue;
        }
        if (t.Text.empty()) continue;
        if (t.Type == PBSC_Identifier && EqualsNoCase(t.Text, "static")) {
            t.Text.clear();
            inStatic = expectName = true;
            depth = 0;
            continue;
        }
        if (inStatic && expectName && t.Type == PBSC_Identifier) {
            expectName = false;
            const std::string name = t.Text;
            const std::string member = holder + name;
            TokenId next = NextFilled(tokens, id);
            bool hasValue = next != NoToken && tokens.At(next).Text == "=";
            t.Text = "if (" + member + " === undefined) " + member;
            if (!hasValue) t.Text += stringNames.count(id) ? " = \"\"" : " = 0";
            names.insert(name);
            continue;
        }
        if (inStatic) {
            if (t.Text == "(") ++depth;
            if (t.Text == ")") --depth;
            if (t.Text == "," && depth == 0) {
                // Each further name becomes a statement of its own.
                t.Text = "\n";
                t.Type = PBSC_NewLine;
                expectName = true;
                continue;
            }
        }
        if (EqualsNoCase(t.Text, "endprocedure")) {
            names.clear();
            continue;
        }
        if (!names.empty() && names.count(t.Text)) t.Text = holder + t.Text;
    }
}

void TranslateArrays(Conversion& conv) {
    LogMessage(conv, "Processing: Arrays...");
    TokenList& tokens = conv.Tokens;
    std::unordered_set<std::string> arrays;
    // Names of "Array name(1)" procedure parameters: their elements are indexed in the body
    // like a Dim array's, while the header itself is left for the procedure pass.
    std::unordered_set<TokenId> parameterNames;

    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        const std::string lower = Lower(t.Text);
        if (lower == "array") {
            TokenId name = NextFilled(tokens, id);
            if (name != NoToken && tokens.At(name).Type == PBSC_Identifier &&
                tokens.TextOf(NextFilled(tokens, name)) == "(") {
                arrays.insert(tokens.At(name).Text);
                parameterNames.insert(name);
            }
        } else if (lower == "redim") {
            // The runtime resizes the array it is given and hands it back.
            TokenId name = NextFilled(tokens, id);
            if (name == NoToken || IsStatementEndType(tokens.At(name).Type)) continue;
            const std::string arrayName = tokens.At(name).Text;
            t.Text = arrayName + " = " + std::string(js::ArrayReDim) + "(";
            tokens.At(name).Text = arrayName + ",";
            int depth = 0;
            for (TokenId at = tokens.Next(name); at != NoToken; at = tokens.Next(at)) {
                Token& a = tokens.At(at);
                if (IsStatementEndType(a.Type)) break;
                id = at;
                if (a.Text == "(" && depth++ == 0) a.Text = " [ ";
                if (a.Text == ")" && --depth == 0) {
                    a.Text = " ]) ";
                    break;
                }
            }
        } else if (lower == "dim") {
            t.Text = "var ";
            t.Type = PBSC_Other;
            TokenId name = NextFilled(tokens, id);
            if (name == NoToken || IsStatementEndType(tokens.At(name).Type)) continue;
            const std::string arrayName = tokens.At(name).Text;
            arrays.insert(arrayName);
            std::string templateName = "null";
            TokenId after = tokens.Next(name);
            if (after != NoToken && tokens.At(after).Text == ".") {
                EmptyToken(tokens.At(after));
                TokenId type = tokens.Next(after);
                if (type != NoToken && !IsStatementEndType(tokens.At(type).Type)) {
                    templateName = tokens.At(type).Text;
                    EmptyToken(tokens.At(type));
                }
            }
            // Only the outer parentheses hold the sizes; "Dim a(Len(s))" keeps its call.
            int depth = 0;
            for (TokenId at = tokens.Next(name); at != NoToken; at = tokens.Next(at)) {
                Token& a = tokens.At(at);
                if (IsStatementEndType(a.Type)) break;
                id = at;
                if (a.Text == "(" && depth++ == 0) a.Text = " [";
                if (a.Text == ")" && --depth == 0) {
                    a.Text = " ])\n";
                    break;
                }
            }
            tokens.At(name).Text =
                arrayName + " = " + std::string(js::ArrayDim) + "(" + templateName + ", ";
        } else if (lower == js::ArraySizeLower) {
            TokenId third = tokens.Next(tokens.Next(tokens.Next(id)));
            if (third == NoToken) continue;
            tokens.At(third).Text.clear();
            TokenId fourth = tokens.Next(third);
            if (fourth != NoToken) tokens.At(fourth).Text.clear();
        }
    }
    if (arrays.empty()) return;

    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier || !arrays.count(t.Text) || parameterNames.count(id))
            continue;
        TokenId open = tokens.Next(id);
        if (open == NoToken || tokens.At(open).Text != "(") continue;
        TokenId close = tokens.Next(open);
        if (close != NoToken && tokens.At(close).Text == ")") {
            EmptyToken(tokens.At(open));  // the array passed as a whole
            EmptyToken(tokens.At(close));
            continue;
        }
        tokens.At(open).Text = "[";
        int depth = 1;
        for (TokenId at = tokens.Next(open); at != NoToken; at = tokens.Next(at)) {
            Token& a = tokens.At(at);
            if (IsStatementEndType(a.Type) || a.Text == "=") break;
            if (a.Text == "(") {
                ++depth;
            } else if (a.Text == ")") {
                if (--depth == 0) {
                    a.Text = "]";
                    break;
                }
            } else if (a.Text == "," && depth == 1) {
                a.Text = "][";
            }
        }
    }
}

}  // namespace orvane
