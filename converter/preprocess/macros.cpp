// Macros as PureBasic's preprocessor treats them: the body is pasted where the macro is used, with
// parameters replaced as whole words, "#" gluing words together, and the pasted text scanned
// again for further macros. A macro may not reach itself again: that would never end.
#include <algorithm>

#include "converter/preprocess/preprocess_internal.h"

namespace orvane::preprocess {

namespace {

// A line that expands past these limits is a runaway (macros that double each other), not a
// program: stop with an error instead of exhausting memory.
constexpr size_t MaxExpansionLength = 4 << 20;
constexpr size_t MaxExpansionsPerStatement = 1 << 16;
constexpr int MaxExpansionDepth = 100;

struct Expander {
    State& St;
    std::vector<const Macro*> Active;  // the macros being expanded, outermost first
    size_t Expansions = 0;
};

bool ExpandText(Expander& ex, std::string_view text, std::string& out, int depth);

// Splits "a, (b, c), d" at its top-level commas; `text` is what stands between the brackets.
std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<Piece> pieces;
    LexLine(text, pieces);
    std::vector<std::string> args;
    int nesting = 0;
    size_t start = 0;
    for (const Piece& p : pieces) {
        if (p.Kind != PieceKind::Operator) continue;
        char c = text[p.Begin];
        if (c == '(' || c == '[' || c == '{') ++nesting;
        if (c == ')' || c == ']' || c == '}') --nesting;
        if (c == ',' && nesting == 0) {
            args.emplace_back(TrimmedView(text.substr(start, p.Begin - start)));
            start = p.End;
        }
    }
    args.emplace_back(TrimmedView(text.substr(start)));
    if (args.size() == 1 && args[0].empty()) args.clear();  // "M()" has no argument
    return args;
}

// Index of the bracket that closes the one at `open`, or pieces.size().
size_t ClosingBracket(std::string_view text, const std::vector<Piece>& pieces, size_t open) {
    int nesting = 0;
    for (size_t i = open; i < pieces.size(); ++i) {
        if (pieces[i].Kind != PieceKind::Operator) continue;
        char c = text[pieces[i].Begin];
        if (c == '(' || c == '[' || c == '{') ++nesting;
        if ((c == ')' || c == ']' || c == '}') && --nesting == 0) return i;
    }
    return pieces.size();
}

std::string ArgumentCount(size_t n) {
    return std::to_string(n) + (n == 1 ? " argument" : " arguments");
}

// The body of one use of `m` with its arguments in place, before it is scanned again.
bool Instantiate(Expander& ex, Macro& m, const std::vector<std::string>& args, std::string& out,
                 int depth) {
    State& st = ex.St;
    const size_t wanted = m.Parameters.size();
    size_t required = 0;
    for (size_t k = 0; k < wanted; ++k)
        if (!m.Defaults[k]) required = k + 1;
    if (args.size() > wanted || args.size() < required) {
        std::string range = required == wanted
                                ? ArgumentCount(wanted)
                                : std::to_string(required) + " to " + ArgumentCount(wanted);
        Fail(st, "macro " + m.Name + " takes " + range + ", but is given " +
                     std::to_string(args.size()));
        return false;
    }
    // Each argument as written (for "#") and with its own macros expanded (everywhere else), so
    // that a macro may take a use of itself as argument: Max(Max(a, b), c).
    std::vector<std::string> raw(wanted), expanded(wanted);
    for (size_t k = 0; k < wanted; ++k) {
        raw[k] = k < args.size() && (!args[k].empty() || !m.Defaults[k]) ? args[k]
                                                                         : m.Defaults[k].value();
        if (!ExpandText(ex, raw[k], expanded[k], depth + 1)) return false;
    }
    ++m.ExpandedCount;

    std::vector<Piece> pieces;
    LexLine(m.BodyText, pieces, true);
    const std::string_view body = m.BodyText;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        if (p.Kind == PieceKind::Concat) continue;
        std::string_view word = PieceText(body, p);
        if (p.Kind != PieceKind::Word) {
            out += word;
            continue;
        }
        const bool glued = (i > 0 && pieces[i - 1].Kind == PieceKind::Concat) ||
                           (i + 1 < pieces.size() && pieces[i + 1].Kind == PieceKind::Concat);
        std::string lower = LowerText(word);
        auto parameter = std::find(m.Parameters.begin(), m.Parameters.end(), lower);
        if (parameter != m.Parameters.end()) {
            size_t k = static_cast<size_t>(parameter - m.Parameters.begin());
            out += glued ? raw[k] : expanded[k];
        } else if (lower == "macroexpandedcount") {
            out += std::to_string(m.ExpandedCount);
        } else if (glued) {
            // A word glued to another is expanded before the two are joined, so that a macro
            // holding a lone quote can turn a parameter into a string.
            // Only a macro without parameters can be pasted so; any other name stays a name part.
            const Macro* glue = FindMacro(st, word);
            bool pasted = glue && glue != &m && !glue->HasParameters &&
                          std::find(ex.Active.begin(), ex.Active.end(), glue) == ex.Active.end();
            if (!pasted)
                out += word;
            else if (!ExpandText(ex, word, out, depth + 1))
                return false;
        } else {
            out += word;
        }
    }
    return true;
}

bool ExpandText(Expander& ex, std::string_view text, std::string& out, int depth) {
    State& st = ex.St;
    if (depth > MaxExpansionDepth) {
        Fail(st, "macros nested more than " + std::to_string(MaxExpansionDepth) + " deep");
        return false;
    }
    std::vector<Piece> pieces;
    LexLine(text, pieces);
    size_t copied = 0;  // text before this offset is already in `out`
    for (size_t i = 0; i < pieces.size(); ++i) {
        const Piece& p = pieces[i];
        if (p.Kind != PieceKind::Word) continue;
        std::string_view word = PieceText(text, p);
        // Defined(Name, ...) asks about the name itself, not about what a macro would make of it.
        if (SameNoCase(word, "defined")) {
            size_t open = SkipSpaces(pieces, i + 1, pieces.size());
            if (open < pieces.size() && IsOperator(text, pieces[open], "(")) {
                size_t name = SkipSpaces(pieces, open + 1, pieces.size());
                if (name < pieces.size()) i = name;
            }
            continue;
        }
        Macro* m = FindMacro(st, word);
        if (!m) continue;
        if (std::find(ex.Active.begin(), ex.Active.end(), m) != ex.Active.end()) {
            std::string chain;
            for (const Macro* a : ex.Active)
                chain += a->Name + " -> ";
            Fail(st, "macro " + m->Name + " expands into itself (" + chain + m->Name + ")");
            return false;
        }
        // Module::Macro names the same macro.
        size_t begin = p.Begin;
        if (i >= 2 && IsOperator(text, pieces[i - 1], "::") &&
            pieces[i - 2].Kind == PieceKind::Word)
            begin = pieces[i - 2].Begin;
        size_t end = p.End;
        std::vector<std::string> args;
        if (m->HasParameters) {
            size_t open = SkipSpaces(pieces, i + 1, pieces.size());
            if (open == pieces.size() || !IsOperator(text, pieces[open], "(")) {
                Fail(st,
                     "macro " + m->Name + " is used without its arguments: " + m->Name + "(...)");
                return false;
            }
            size_t close = ClosingBracket(text, pieces, open);
            if (close == pieces.size()) {
                Fail(st, "the arguments of macro " + m->Name + " have no closing \")\"");
                return false;
            }
            args = SplitArguments(
                text.substr(pieces[open].End, pieces[close].Begin - pieces[open].End));
            end = pieces[close].End;
            i = close;
        }
        if (++ex.Expansions > MaxExpansionsPerStatement || out.size() > MaxExpansionLength) {
            Fail(st, "macro " + m->Name + " expands to more than " +
                         std::to_string(MaxExpansionsPerStatement) +
                         " macro uses or 4 MB of text (macros that multiply each other?)");
            return false;
        }
        out.append(text.substr(copied, begin - copied));
        copied = end;
        std::string body;
        if (!Instantiate(ex, *m, args, body, depth)) return false;
        ex.Active.push_back(m);
        bool ok = ExpandText(ex, body, out, depth + 1);
        ex.Active.pop_back();
        if (!ok) return false;
    }
    out.append(text.substr(copied));
    return true;
}

// FNV-1a of the lower-cased name, folded to a bit of the macro filter.
size_t FilterBit(std::string_view name) {
    uint32_t h = 2166136261u;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return (h ^ (h >> 16)) & 0xFFFF;
}

}  // namespace

Macro* FindMacro(State& state, std::string_view word) {
    if (state.Macros.empty()) return nullptr;
    size_t bit = FilterBit(word);
    if (!(state.MacroFilter[bit >> 6] >> (bit & 63) & 1)) return nullptr;
    state.Key.assign(word);
    for (char& c : state.Key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    auto found = state.Macros.find(state.Key);
    return found == state.Macros.end() ? nullptr : &found->second;
}

bool UsesMacro(State& state, std::string_view text, const std::vector<Piece>& pieces) {
    if (state.Macros.empty()) return false;
    for (const Piece& p : pieces)
        if (p.Kind == PieceKind::Word && FindMacro(state, PieceText(text, p))) return true;
    return false;
}

bool BeginMacro(State& state, std::string_view header) {
    std::vector<Piece> pieces;
    LexLine(header, pieces);
    size_t i = SkipSpaces(pieces, 0, pieces.size());
    if (i == pieces.size() || pieces[i].Kind != PieceKind::Word) {
        Fail(state, "Macro needs a name");
        return false;
    }
    Macro m;
    m.Name = std::string(PieceText(header, pieces[i]));
    m.DefinedAt = state.Line;
    size_t open = SkipSpaces(pieces, i + 1, pieces.size());
    if (open < pieces.size()) {
        size_t close = ClosingBracket(header, pieces, open);
        if (!IsOperator(header, pieces[open], "(") || close == pieces.size() ||
            SkipSpaces(pieces, close + 1, pieces.size()) != pieces.size()) {
            Fail(state, "Macro " + m.Name + ": the parameters must follow the name as (a, b, ...)");
            return false;
        }
        m.HasParameters = true;
        std::string_view list =
            header.substr(pieces[open].End, pieces[close].Begin - pieces[open].End);
        for (const std::string& parameter : SplitArguments(list)) {
            size_t equals = parameter.find('=');
            std::string_view name = TrimmedView(std::string_view(parameter).substr(0, equals));
            bool plainName = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
                return IsWordChar(c) || c == '$';
            });
            if (!plainName) {
                Fail(state, "Macro " + m.Name + ": \"" + parameter + "\" is not a parameter name");
                return false;
            }
            m.Parameters.push_back(LowerText(name));
            if (equals == std::string::npos)
                m.Defaults.emplace_back();
            else
                m.Defaults.emplace_back(
                    std::string(TrimmedView(std::string_view(parameter).substr(equals + 1))));
        }
    }
    std::string key = LowerText(m.Name);
    size_t bit = FilterBit(key);
    state.MacroFilter[bit >> 6] |= uint64_t{1} << (bit & 63);
    state.Macros[key] = std::move(m);
    state.Recording = &state.Macros[key];
    return true;
}

bool ExpandMacros(State& state, std::string_view text, std::string& out) {
    Expander ex{state, {}, 0};
    out.clear();
    return ExpandText(ex, text, out, 0);
}

}  // namespace orvane::preprocess
