// Server code is written in the target language, but each callable procedure is framed the
// PureBasic way (ProcedureDLL Name(a.s, b) ... EndProcedure), and target-language lines carry a
// leading "!" so that the PureBasic syntax check passes them. These rewrites turn that text into
// code the target language runs.
#include <algorithm>

#include "converter/server/server.h"
#include "converter/server/server_internal.h"

namespace orvane {

namespace {

bool IsProcedureKeyword(const Token& token) {
    if (token.Type != PBSC_Identifier) return false;
    std::string word = Lower(token.Text);
    return word == "proceduredll" || word == "procedurecdll";
}

bool IsKeyword(const Token& token, std::string_view lowerWord) {
    return token.Type == PBSC_Identifier && Lower(token.Text) == lowerWord;
}

bool EndsHead(const Token& token) {
    return IsStatementEndType(token.Type);
}

// Empties the token after `id` unless it ends the line; returns the token to go on from.
TokenId EmptyNextInHead(TokenList& tokens, TokenId id) {
    TokenId next = tokens.Next(id);
    if (next == NoToken || EndsHead(tokens.At(next))) return id;
    tokens.At(next).Text = "";
    return next;
}

TokenList TokenizeServerCode(const std::string& text) {
    TokenList tokens;
    TokenizeText(tokens, "\n" + ReplaceAll(text, "\r\n", "\n"));
    return tokens;
}

// PHP's two-character operators; the list is joined with blanks, which would split them.
bool JoinsPhpOperator(const std::string& text, const std::string& next) {
    static const char* const kPairs[][2] = {{"-", ">"}, {"=", ">"}, {"=", "="}, {"&", "&"},
                                            {"|", "|"}, {"+", "+"}, {"-", "-"}, {"+", "="},
                                            {"-", "="}, {"*", "="}, {"*", "*"}, {"%", "="},
                                            {"|", "="}, {"&", "="}, {"^", "="}, {"?", "?"}};
    for (const auto& pair : kPairs)
        if (text == pair[0] && next == pair[1]) return true;
    return false;
}

const std::string kBlank = "\x01";
const std::string kTab = "\x02";

bool IsSpaceToken(const TokenList& tokens, TokenId id) {
    return id != NoToken && (tokens.At(id).Text == kBlank || tokens.At(id).Text == kTab);
}

TokenId SkipSpaces(const TokenList& tokens, TokenId id) {
    while (IsSpaceToken(tokens, id))
        id = tokens.Next(id);
    return id;
}

// Python reads the body's indentation from its first line, so the lines that take the
// parameters from the form must use the same one.
std::string PythonBodyIndent(const TokenList& tokens, TokenId newline) {
    std::string indent;
    bool bangSkipped = false;
    for (TokenId id = tokens.Next(newline); id != NoToken; id = tokens.Next(id)) {
        const Token& token = tokens.At(id);
        if (token.Text == kBlank) {
            indent += ' ';
        } else if (token.Text == kTab) {
            indent += '\t';
        } else if (token.Text == "!" && !bangSkipped) {
            bangSkipped = true;
        } else if (token.Type == PBSC_NewLine) {
            indent.clear();
            bangSkipped = false;
        } else {
            if (IsKeyword(token, "endprocedure")) indent.clear();
            break;
        }
    }
    return indent.empty() ? " " : indent;
}

std::string PythonParameterLines(const std::vector<std::string>& parameters,
                                 const std::string& indent) {
    std::string lines;
    for (size_t i = 0; i < parameters.size(); ++i)
        lines += indent + parameters[i] + " = request.form.get('" + std::to_string(i) + "')\n";
    return lines;
}

bool IsJsIdentifier(const std::string& name) {
    if (name.empty()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        bool letter = std::isalpha(c) || c == '_' || c == '$';
        if (!letter && !(i > 0 && std::isdigit(c))) return false;
    }
    return true;
}

}  // namespace

std::string RewritePhp(const std::string& serverCode) {
    TokenList tokens = TokenizeServerCode(serverCode);
    bool head = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& token = tokens.At(id);
        if (IsProcedureKeyword(token)) {
            token.Text = "function";
            head = true;
        } else if (IsKeyword(token, "endprocedure")) {
            token.Text = "}";
        } else if (token.Type == PBSC_NewLine) {
            if (head) token.Text = "{" + token.Text;
            head = false;
            TokenId next = tokens.Next(id);
            if (next != NoToken && tokens.At(next).Text == "!") tokens.At(next).Text = "";
        } else if (token.Type == PBSC_Comment && head) {
            token.Text = "{ //" + token.Text.substr(1);
            head = false;
        } else if (head && token.Text == ".") {
            token.Text = "";
            id = EmptyNextInHead(tokens, id);
        } else if (head && (token.Text == "(" || token.Text == ",")) {
            TokenId next = tokens.Next(id);
            if (next == NoToken || EndsHead(tokens.At(next))) continue;
            id = next;
            if (token.Text == "," || tokens.At(next).Text != ")")
                tokens.At(next).Text = "$" + tokens.At(next).Text;
        }
    }
    tokens.RemoveEmptyTokens();

    std::string out;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& token = tokens.At(id);
        const std::string& next = tokens.TextOf(tokens.Next(id));
        out += token.Text;
        bool alone = next == "." || next == ":" || next == "/" || token.Text == "." ||
                     token.Text == "/" || token.Text == "!" || token.Text == ":" ||
                     token.Text == "$" || JoinsPhpOperator(token.Text, next) ||
                     token.Type == PBSC_Number;
        if (!alone) out += " ";
    }
    return out;
}

std::string RewriteAspVb(const std::string& serverCode) {
    TokenList tokens = TokenizeServerCode(serverCode);
    bool head = false;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& token = tokens.At(id);
        if (IsProcedureKeyword(token)) {
            token.Text = "Function";
            head = true;
        } else if (IsKeyword(token, "endprocedure")) {
            token.Text = "End Function";
        } else if (EndsHead(token)) {
            head = false;
        } else if (head && token.Text == ".") {
            token.Text = "";
            id = EmptyNextInHead(tokens, id);
        }
        if (tokens.At(id).Text == "!") tokens.At(id).Text = "";
    }
    tokens.RemoveEmptyTokens();

    std::string out;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const std::string& text = tokens.At(id).Text;
        out += text;
        if (text != "." && tokens.TextOf(tokens.Next(id)) != ".") out += " ";
    }
    return out;
}

std::string RewritePython(const std::string& serverCode) {
    std::string text = "\n" + ReplaceAll(serverCode, "\r\n", "\n");
    std::replace(text.begin(), text.end(), ' ', '\x01');
    std::replace(text.begin(), text.end(), '\t', '\x02');
    TokenList tokens;
    TokenizeText(tokens, text);

    bool head = false;
    bool lineStart = true;  // only blanks and tabs so far on this line
    bool inProcedure = false;
    std::vector<std::string> parameters;
    // The word after "(" or "," is a parameter; blanks before it are layout, not names.
    auto takeParameter = [&](TokenId from) {
        TokenId id = SkipSpaces(tokens, tokens.Next(from));
        if (id == NoToken || EndsHead(tokens.At(id)) || tokens.At(id).Text == ")") return from;
        parameters.push_back(tokens.At(id).Text);
        tokens.At(id).Text = "";
        return id;
    };
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& token = tokens.At(id);
        if (token.Type == PBSC_NewLine) {
            if (head) {
                token.Text = ":" + token.Text +
                             PythonParameterLines(parameters, PythonBodyIndent(tokens, id));
                parameters.clear();
                head = false;
            }
            lineStart = true;
            continue;
        }
        if (IsSpaceToken(tokens, id)) continue;
        // A "!" opens a target-language line; elsewhere it belongs to the code ("!="). Outside
        // procedures the blank written after it would indent top-level code, which Python refuses.
        if (token.Text == "!" && lineStart) {
            token.Text = "";
            lineStart = false;
            TokenId next = tokens.Next(id);
            if (!inProcedure && next != NoToken && tokens.At(next).Text == kBlank) {
                tokens.At(next).Text = "";
                id = next;
            }
            continue;
        }
        lineStart = false;
        if (IsProcedureKeyword(token)) {
            TokenId open = id;
            while (open != NoToken && !EndsHead(tokens.At(open)) && tokens.At(open).Text != "(")
                open = tokens.Next(open);
            if (open == NoToken || tokens.At(open).Text != "(") continue;
            TokenId name = tokens.Prev(open);
            while (IsSpaceToken(tokens, name))
                name = tokens.Prev(name);
            token.Text = "@app.route('/" + tokens.At(name).Text + "', methods=['POST'])\ndef ";
            head = true;
            inProcedure = true;
        } else if (IsKeyword(token, "endprocedure")) {
            token.Text = "";
            parameters.clear();
            inProcedure = false;
        } else if (token.Type == PBSC_Comment && head) {
            TokenId newline = tokens.Next(id);
            token.Text = ": #" + token.Text.substr(1) + "\n" +
                         PythonParameterLines(parameters, newline == NoToken
                                                              ? std::string(" ")
                                                              : PythonBodyIndent(tokens, newline));
            parameters.clear();
            head = false;
        } else if (head && token.Text == ".") {
            token.Text = "";
            id = EmptyNextInHead(tokens, id);
        } else if (head && token.Text == "(") {
            id = takeParameter(id);
        } else if (head && token.Text == ",") {
            token.Text = "";
            id = takeParameter(id);
        }
    }
    tokens.RemoveEmptyTokens();

    std::string out;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id))
        out += tokens.At(id).Text;
    std::replace(out.begin(), out.end(), '\x01', ' ');
    std::replace(out.begin(), out.end(), '\x02', '\t');
    return out;
}

std::string RewriteNodeJs(const std::string& serverCode) {
    std::vector<std::string> lines;
    SplitToArray("\n" + serverCode, "\n", lines);
    std::vector<std::string> names;
    for (std::string& line : lines) {
        line = TrimWhite(line);
        std::string lower = Lower(line);
        if (StartsWith(lower, "proceduredll")) {
            // The keyword, its optional type suffix, then the name up to "(".
            std::string rest = line.substr(std::string("proceduredll").size());
            if (StartsWith(rest, ".")) {
                size_t end = rest.find_first_of(" \t(", 1);
                rest = end == std::string::npos ? "" : rest.substr(end);
            }
            std::string name = TrimWhite(rest.substr(0, rest.find('(')));
            if (IsJsIdentifier(name)) names.push_back(name);
            line.clear();
        } else if (StartsWith(lower, "procedurecdll") || StartsWith(lower, "endprocedure")) {
            line.clear();
        } else if (StartsWith(line, "!")) {
            line.erase(0, 1);
        }
    }
    std::string out = " var VelkNodeJsFunctions = { }; " + JoinArray(lines, "\n");
    for (const std::string& name : names)
        out += "VelkNodeJsFunctions." + name + " = " + name + ";\n";
    return out;
}

std::vector<std::string> ServerProcedureNames(const std::string& serverCode) {
    TokenList tokens = TokenizeServerCode(serverCode);
    std::vector<std::string> names;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        if (!IsProcedureKeyword(tokens.At(id))) continue;
        ProcedureHead head = ReadProcedureHead(tokens, id);
        if (!head.Name.empty()) names.push_back(head.Name);
    }
    return names;
}

}  // namespace orvane
