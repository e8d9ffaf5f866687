// The preprocessing pass: one walk over the lines in source order, as PureBasic's compiler reads
// them. A macro definition is recorded where it stands; a line is expanded before its directive is
// evaluated; nothing inside a branch not taken is expanded, declared or checked.
#include "converter/preprocess/preprocess.h"

#include "converter/preprocess/preprocess_internal.h"

namespace orvane {

namespace preprocess {

void FailAt(State& state, int line, const std::string& message) {
    if (state.Failed) return;  // the first fatal error is the one that counts
    state.Failed = true;
    LogMessage(state.Conv, "Line " + std::to_string(line) + ": " + message, true);
}

void Fail(State& state, const std::string& message) {
    FailAt(state, state.Line, message);
}

namespace {

enum class Directive {
    None,
    If,
    ElseIf,
    Else,
    EndIf,
    Select,
    Case,
    Default,
    EndSelect,
    Error,
    Warning,
};

Directive DirectiveOf(std::string_view word) {
    if (word.size() < 10 || !SameNoCase(word.substr(0, 8), "compiler")) return Directive::None;
    static const std::pair<std::string_view, Directive> names[] = {
        {"compilerif", Directive::If},           {"compilerelseif", Directive::ElseIf},
        {"compilerelse", Directive::Else},       {"compilerendif", Directive::EndIf},
        {"compilerselect", Directive::Select},   {"compilercase", Directive::Case},
        {"compilerdefault", Directive::Default}, {"compilerendselect", Directive::EndSelect},
        {"compilererror", Directive::Error},     {"compilerwarning", Directive::Warning}};
    for (const auto& [name, directive] : names)
        if (SameNoCase(word, name)) return directive;
    return Directive::None;
}

// Directives that continue or close the block opened before them.
bool ContinuesBlock(Directive d) {
    return d == Directive::ElseIf || d == Directive::Else || d == Directive::EndIf ||
           d == Directive::Case || d == Directive::Default || d == Directive::EndSelect;
}

bool IsMacroKeyword(std::string_view word) {
    return SameNoCase(word, "macro") || SameNoCase(word, "endmacro") ||
           SameNoCase(word, "undefinemacro");
}

std::string_view FirstWord(std::string_view text, const std::vector<Piece>& pieces, size_t first,
                           size_t last) {
    size_t i = SkipSpaces(pieces, first, last);
    return i < last && pieces[i].Kind == PieceKind::Word ? PieceText(text, pieces[i])
                                                         : std::string_view();
}

const char* BlockName(DirectiveKind kind) {
    return kind == DirectiveKind::If ? "CompilerIf" : "CompilerSelect";
}

// Checks that a continuing directive belongs to the open block; false after an error.
bool MatchesOpenBlock(State& st, Directive d, std::string_view word) {
    const DirectiveKind wanted =
        d == Directive::ElseIf || d == Directive::Else || d == Directive::EndIf
            ? DirectiveKind::If
            : DirectiveKind::Select;
    if (st.Directives.empty()) {
        Fail(st, std::string(word) + " without " + BlockName(wanted));
        return false;
    }
    const OpenDirective& open = st.Directives.back();
    if (open.Kind != wanted) {
        Fail(st, std::string(word) + " without " + BlockName(wanted) + " (the " +
                     BlockName(open.Kind) + " of line " + std::to_string(open.Line) +
                     " is still open)");
        return false;
    }
    return true;
}

// Directives met inside a branch not taken only keep the blocks paired.
void TrackSkippedDirective(State& st, Directive d, std::string_view word) {
    if (d == Directive::If || d == Directive::Select) {
        st.Directives.push_back({d == Directive::If ? DirectiveKind::If : DirectiveKind::Select,
                                 st.Line,
                                 false,
                                 false,
                                 false,
                                 false,
                                 {}});
    } else if (ContinuesBlock(d) && MatchesOpenBlock(st, d, word) &&
               (d == Directive::EndIf || d == Directive::EndSelect)) {
        st.Directives.pop_back();
    }
}

std::vector<std::string_view> TopLevelItems(std::string_view text) {
    std::vector<Piece> pieces;
    LexLine(text, pieces);
    std::vector<std::string_view> items;
    int nesting = 0;
    size_t start = 0;
    for (const Piece& p : pieces) {
        if (p.Kind != PieceKind::Operator) continue;
        char c = text[p.Begin];
        if (c == '(' || c == '[') ++nesting;
        if (c == ')' || c == ']') --nesting;
        if (c == ',' && nesting == 0) {
            items.push_back(text.substr(start, p.Begin - start));
            start = p.End;
        }
    }
    items.push_back(text.substr(start));
    return items;
}

bool SameValue(const ConstValue& a, const ConstValue& b) {
    if (a.IsString() || b.IsString()) return a.IsString() && b.IsString() && a.Text == b.Text;
    if (a.Type == ConstValue::Kind::Integer && b.Type == ConstValue::Kind::Integer)
        return a.Int == b.Int;
    return a.AsDouble() == b.AsDouble();
}

std::optional<ConstValue> EvaluateOrFail(State& st, std::string_view word, std::string_view text) {
    std::string error;
    auto v = Evaluate(st, text, error);
    if (!v) {
        // The expression as written says which one failed; a runaway one is cut short.
        std::string_view shown = TrimmedView(text);
        std::string quoted =
            shown.size() > 80 ? std::string(shown.substr(0, 77)) + "..." : std::string(shown);
        Fail(st, (word.empty() ? quoted : std::string(word) + " " + quoted) + ": " + error);
    }
    return v;
}

std::optional<bool> Condition(State& st, std::string_view word, std::string_view text) {
    auto v = EvaluateOrFail(st, word, text);
    if (!v) return std::nullopt;
    if (v->IsString()) {
        Fail(st, std::string(word) + " needs a numeric expression, not a string");
        return std::nullopt;
    }
    return IsTrue(*v);
}

// The text of CompilerError and CompilerWarning: the string it evaluates to, or as written.
std::string MessageText(State& st, std::string_view text) {
    std::string error;
    auto v = Evaluate(st, text, error);
    if (!v) return std::string(TrimmedView(text));
    return v->IsString() ? v->Text : SourceLiteral(*v);
}

void HandleDirective(State& st, Directive d, std::string_view word, std::string_view rest) {
    if (ContinuesBlock(d) && !MatchesOpenBlock(st, d, word)) return;
    switch (d) {
        case Directive::If: {
            auto taken = Condition(st, word, rest);
            if (!taken) return;
            st.Directives.push_back({DirectiveKind::If, st.Line, true, *taken, *taken, false, {}});
            return;
        }
        case Directive::Select: {
            auto selector = EvaluateOrFail(st, word, rest);
            if (!selector) return;
            st.Directives.push_back(
                {DirectiveKind::Select, st.Line, true, false, false, false, *selector});
            return;
        }
        case Directive::ElseIf:
        case Directive::Case: {
            OpenDirective& open = st.Directives.back();
            if (open.SeenElse) {
                Fail(st, std::string(word) + " after " +
                             (d == Directive::ElseIf ? "CompilerElse" : "CompilerDefault"));
                return;
            }
            open.Active = false;
            if (open.Taken) return;
            bool taken = false;
            if (d == Directive::ElseIf) {
                auto condition = Condition(st, word, rest);
                if (!condition) return;
                taken = *condition;
            } else {
                for (std::string_view item : TopLevelItems(rest)) {
                    auto v = EvaluateOrFail(st, word, item);
                    if (!v) return;
                    taken = taken || SameValue(*v, open.Selector);
                }
            }
            open.Active = open.Taken = taken;
            return;
        }
        case Directive::Else:
        case Directive::Default: {
            OpenDirective& open = st.Directives.back();
            if (open.SeenElse) {
                Fail(st, std::string(word) + " appears twice in the " + BlockName(open.Kind) +
                             " of line " + std::to_string(open.Line));
                return;
            }
            open.SeenElse = true;
            open.Active = !open.Taken;
            open.Taken = true;
            return;
        }
        case Directive::EndIf:
        case Directive::EndSelect:
            st.Directives.pop_back();
            return;
        case Directive::Error:
            Fail(st, "CompilerError: " + MessageText(st, rest));
            return;
        case Directive::Warning:
            LogMessage(st.Conv, "Line " + std::to_string(st.Line) +
                                    ": CompilerWarning: " + MessageText(st, rest));
            return;
        case Directive::None:
            return;
    }
}

// Compiler constants and Defined() written as their values.
bool NeedsValues(std::string_view text, const std::vector<Piece>& pieces) {
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        if (p.Kind == PieceKind::Constant && p.End - p.Begin > 13 &&
            SameNoCase(text.substr(p.Begin, 13), "#pb_compiler_"))
            return true;
        if (p.Kind == PieceKind::Word && SameNoCase(PieceText(text, p), "defined")) {
            size_t open = SkipSpaces(pieces, i + 1, pieces.size());
            if (open < pieces.size() && IsOperator(text, pieces[open], "(")) return true;
        }
    }
    return false;
}

std::string ReplaceValues(State& st, std::string_view text, const std::vector<Piece>& pieces) {
    std::string out;
    size_t copied = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        std::optional<ConstValue> value;
        size_t end = p.End;
        if (p.Kind == PieceKind::Constant) {
            value = CompilerConstant(st, LowerText(PieceText(text, p).substr(1)));
        } else if (p.Kind == PieceKind::Word && SameNoCase(PieceText(text, p), "defined")) {
            size_t open = SkipSpaces(pieces, i + 1, pieces.size());
            if (open == pieces.size() || !IsOperator(text, pieces[open], "(")) continue;
            size_t close = open;
            while (close < pieces.size() && !IsOperator(text, pieces[close], ")"))
                ++close;
            if (close == pieces.size()) {
                Fail(st, "Defined( has no closing \")\"");
                return {};
            }
            end = pieces[close].End;
            value = EvaluateOrFail(st, "", text.substr(p.Begin, end - p.Begin));
            if (!value) return {};
            i = close;
        }
        if (!value) continue;
        out.append(text.substr(copied, p.Begin - copied));
        out += SourceLiteral(*value);
        copied = end;
    }
    out.append(text.substr(copied));
    return out;
}

void ProcessStatement(State& st, std::string_view text, bool expanded,
                      std::vector<std::string>& kept) {
    if (st.Failed) return;
    std::vector<Piece> pieces;
    LexLine(text, pieces);
    const std::string_view keyword = FirstWord(text, pieces, 0, pieces.size());
    const std::string_view rest =
        keyword.empty()
            ? std::string_view()
            : text.substr(static_cast<size_t>(keyword.data() - text.data()) + keyword.size());

    if (st.Recording) {
        Macro& m = *st.Recording;
        if (SameNoCase(keyword, "endmacro")) {
            for (const std::string& statement : m.Body) {
                if (!m.BodyText.empty()) m.BodyText += " : ";
                m.BodyText += statement;
            }
            st.Recording = nullptr;
        } else if (SameNoCase(keyword, "macro")) {
            Fail(st, "Macro inside the definition of macro " + m.Name + " (line " +
                         std::to_string(m.DefinedAt) + "): is its EndMacro missing?");
        } else {
            m.Body.emplace_back(TrimmedView(text));
        }
        return;
    }

    const Directive directive = DirectiveOf(keyword);
    if (!st.Active()) {
        // Only the directive that may end a branch not taken is read (and expanded) here.
        if (!(ContinuesBlock(directive) && st.Directives.back().ParentActive)) {
            if (directive != Directive::None) TrackSkippedDirective(st, directive, keyword);
            return;
        }
    }
    if (IsMacroKeyword(keyword)) {
        if (expanded) {
            Fail(st, "a macro cannot define or undefine macros (" + std::string(keyword) + ")");
        } else if (SameNoCase(keyword, "macro")) {
            BeginMacro(st, rest);
        } else if (SameNoCase(keyword, "endmacro")) {
            Fail(st, "EndMacro without Macro");
        } else {
            st.Macros.erase(LowerText(TrimmedView(rest)));
        }
        return;
    }
    if (!expanded && UsesMacro(st, text, pieces)) {
        std::string result;
        if (!ExpandMacros(st, text, result)) return;
        std::vector<Piece> resultPieces;
        std::vector<StatementRange> statements;
        LexLine(result, resultPieces);
        SplitStatements(result, resultPieces, statements);
        for (const StatementRange& s : statements)
            ProcessStatement(st, RangeText(result, resultPieces, s.First, s.Last), true, kept);
        return;
    }
    if (directive != Directive::None) {
        HandleDirective(st, directive, keyword, rest);
        return;
    }
    std::string code(text);
    if (NeedsValues(text, pieces)) {
        code = ReplaceValues(st, text, pieces);
        if (st.Failed) return;
        LexLine(code, pieces);
    }
    if (ScanStatement(st, code, pieces, 0, pieces.size())) kept.push_back(std::move(code));
}

void AppendJoined(std::string& out, const std::vector<std::string>& kept) {
    for (size_t k = 0; k < kept.size(); ++k) {
        if (k > 0) out += kept[k - 1].back() == ':' ? " " : " : ";  // after a label, no separator
        out += kept[k];
    }
}

struct LineBuffers {
    std::vector<Piece> Pieces;
    std::vector<StatementRange> Statements;
    std::vector<std::string> Kept;
};

// One logical line: appends its output (without the line break).
void ProcessLine(State& st, std::string_view text, LineBuffers& b, std::string& out) {
    SplitStatements(text, b.Pieces, b.Statements);
    b.Kept.clear();
    if (!st.Recording) {
        bool special = false;
        for (const StatementRange& s : b.Statements) {
            std::string_view word = FirstWord(text, b.Pieces, s.First, s.Last);
            special = special || DirectiveOf(word) != Directive::None || IsMacroKeyword(word);
        }
        if (!st.Active() && !special) return;
        if (st.Active() && !special && !UsesMacro(st, text, b.Pieces) &&
            !NeedsValues(text, b.Pieces)) {
            // The common line: nothing to rewrite, only declarations to note.
            bool all = true;
            for (const StatementRange& s : b.Statements) {
                if (ScanStatement(st, text, b.Pieces, s.First, s.Last))
                    b.Kept.emplace_back(RangeText(text, b.Pieces, s.First, s.Last));
                else
                    all = false;
            }
            if (all)
                out += text;
            else
                AppendJoined(out, b.Kept);
            return;
        }
    }
    const bool hasComment = !b.Pieces.empty() && b.Pieces.back().Kind == PieceKind::Comment;
    const std::string comment =
        hasComment ? std::string(PieceText(text, b.Pieces.back())) : std::string();
    for (const StatementRange& s : b.Statements) {
        ProcessStatement(st, RangeText(text, b.Pieces, s.First, s.Last), false, b.Kept);
        if (st.Failed) return;
    }
    AppendJoined(out, b.Kept);
    if (!b.Kept.empty() && hasComment) out += " " + comment;
}

// PureBasic continues a line that ends with ",", "+", "|", And, Or or XOr.
bool Continues(std::string_view text, const std::vector<Piece>& pieces) {
    for (size_t i = pieces.size(); i-- > 0;) {
        const Piece& p = pieces[i];
        if (p.Kind == PieceKind::Space || p.Kind == PieceKind::Comment) continue;
        std::string_view s = PieceText(text, p);
        if (p.Kind == PieceKind::Operator) return s == "," || s == "+" || s == "|";
        return p.Kind == PieceKind::Word &&
               (SameNoCase(s, "and") || SameNoCase(s, "or") || SameNoCase(s, "xor"));
    }
    return false;
}

std::string_view CodePart(std::string_view text, const std::vector<Piece>& pieces) {
    if (!pieces.empty() && pieces.back().Kind == PieceKind::Comment)
        text = text.substr(0, pieces.back().Begin);
    return TrimmedView(text);
}

// A line of raw JavaScript ("!" first); under EnableASM, the same mark is inline assembly.
bool IsBangLine(std::string_view line) {
    std::string_view trimmed = TrimmedView(line);
    return !trimmed.empty() && trimmed[0] == '!';
}

}  // namespace

}  // namespace preprocess

std::string PreprocessSource(Conversion& conv, const std::string& text) {
    using namespace preprocess;
    State st(conv);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    LineBuffers buffers;
    std::vector<Piece> next;
    std::string logical;
    const std::string_view all = text;
    size_t pos = 0;
    auto takeLine = [&]() {
        size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(pos, end - pos);
        pos = end + 1;
        return line;
    };
    int lineNumber = 0;
    while (pos < all.size() && !st.Failed) {
        std::string_view line = takeLine();
        st.Line = ++lineNumber;
        if (IsBangLine(line)) {
            if (st.Recording) {
                st.Recording->Body.emplace_back(TrimmedView(line));
            } else if (st.Active()) {
                if (st.Declared.InAsm)
                    ScanStatement(st, "!", {{PieceKind::Operator, 0, 1}}, 0, 1);
                else
                    out += line;
            }
            out += '\n';
            continue;
        }
        LexLine(line, buffers.Pieces);
        int joined = 0;
        if ((st.Active() || st.Recording) && Continues(line, buffers.Pieces)) {
            // A statement split over several lines is read as one, on its first line.
            logical.assign(CodePart(line, buffers.Pieces));
            bool more = true;
            while (more && pos < all.size()) {
                size_t save = pos;
                std::string_view following = takeLine();
                if (IsBangLine(following)) {
                    pos = save;
                    break;
                }
                LexLine(following, next);
                logical += ' ';
                logical += CodePart(following, next);
                more = Continues(following, next);
                ++joined;
            }
            LexLine(logical, buffers.Pieces);
            ProcessLine(st, logical, buffers, out);
        } else {
            ProcessLine(st, line, buffers, out);
        }
        out += '\n';
        out.append(static_cast<size_t>(joined), '\n');
        lineNumber += joined;
    }
    if (!st.Failed) {
        if (st.Recording) {
            FailAt(st, st.Recording->DefinedAt, "Macro " + st.Recording->Name + " has no EndMacro");
        } else if (!st.Directives.empty()) {
            const OpenDirective& open = st.Directives.back();
            FailAt(st, open.Line,
                   open.Kind == DirectiveKind::If ? "CompilerIf without CompilerEndIf"
                                                  : "CompilerSelect without CompilerEndSelect");
        } else {
            FinishDeclarations(st);
        }
    }
    if (st.Failed || st.NativeErrors > 0) return "";
    return out;
}

}  // namespace orvane
