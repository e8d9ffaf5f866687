// For/Next, While/Wend, Repeat/Until/ForEver.
#include "converter/translator/passes.h"

namespace orvane {

namespace {

// Where the limit test's operator goes until the step's sign decides between "<=" and ">=".
constexpr std::string_view kComparisonPlaceholder = "#groesserkleinergleich#";

// "=" becomes "==", the source forms "=>" and "=<" become ">=" and "<=", "<>" becomes "!=".
void RewriteComparison(TokenList& tokens, TokenId id) {
    Token& t = tokens.At(id);
    if (t.Text == "=") {
        TokenId next = tokens.Next(id);
        const std::string n = tokens.TextOf(next);
        if (n == ">" || n == "<") {
            tokens.At(next).Text.clear();
            t.Text = n + "=";
        } else {
            t.Text = "==";
        }
    } else if (t.Text == "<>") {
        t.Text = "!=";
    }
}

bool EndsHere(const TokenList& tokens, TokenId id) {
    return id == NoToken || IsStatementEndType(tokens.At(id).Type);
}

}  // namespace

std::string ForHeader(const std::string& variable, const std::string& start,
                      const std::string& limit, const std::string& step) {
    std::string text = variable + "=" + start + ";" + limit + "; ";
    std::string comparison = "<=";
    if (step.empty()) {
        text += variable + "++) {";
    } else if (step[0] == '-') {
        text += variable + "=" + variable + step + ") {";
        comparison = ">=";
    } else {
        text += variable + "=" + variable + "+" + step + ") {";
    }
    return ReplaceAll(text, kComparisonPlaceholder, comparison);
}

void TranslateForLoops(Conversion& conv) {
    LogMessage(conv, "Processing: For - Next...");
    TokenList& tokens = conv.Tokens;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (EqualsNoCase(t.Text, "next")) {
            TokenId last = NoToken;
            GatherStatementTail(tokens, id, last);
            tokens.At(last).Text = "}";
            id = last;
            continue;
        }
        if (!EqualsNoCase(t.Text, "for")) continue;

        t.Text = " for ( ";
        TokenId last = id;
        TokenId at = tokens.Next(id);
        std::string variable, start;
        // Variable, "=" and the start value up to To; a header cut short never eats the
        // statements after it.
        bool complete = false;
        if (!EndsHere(tokens, at)) {
            variable = tokens.At(at).Text;
            EmptyToken(tokens.At(at));
            last = at;
            at = tokens.Next(at);
            if (!EndsHere(tokens, at)) {
                EmptyToken(tokens.At(at));
                last = at;
                at = tokens.Next(at);
            }
            for (; !EndsHere(tokens, at); at = tokens.Next(at)) {
                Token& a = tokens.At(at);
                last = at;
                if (EqualsNoCase(a.Text, "to")) {
                    EmptyToken(a);
                    complete = true;
                    break;
                }
                start += a.Text;
                EmptyToken(a);
            }
        }
        // Without To the header stops at its line; the statements after it stay untouched.
        std::string limit = variable + std::string(kComparisonPlaceholder);
        if (!complete) {
            tokens.At(last).Text = ForHeader(variable, start, limit, "");
            id = last;
            continue;
        }
        for (at = tokens.Next(at); !EndsHere(tokens, at); at = tokens.Next(at)) {
            Token& a = tokens.At(at);
            if (EqualsNoCase(a.Text, "step")) break;
            limit += a.Text;
            EmptyToken(a);
            last = at;
        }
        std::string step;
        if (!EndsHere(tokens, at)) {  // on Step
            EmptyToken(tokens.At(at));
            last = at;
            TokenId gathered = NoToken;
            step = GatherStatementTail(tokens, tokens.Next(at), gathered);
            if (gathered != NoToken) last = gathered;
        }
        tokens.At(last).Text = ForHeader(variable, start, limit, step);
        id = last;
    }
}

void TranslateWhileLoops(Conversion& conv) {
    LogMessage(conv, "Processing: While - Wend...");
    TokenList& tokens = conv.Tokens;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (EqualsNoCase(t.Text, "wend")) {
            t.Text = "}";
        } else if (EqualsNoCase(t.Text, "while")) {
            EmptyToken(t);
            TokenId last = NoToken;
            std::string condition =
                GatherStatementTail(tokens, tokens.Next(id), last, RewriteComparison);
            tokens.At(id).Text = "while (" + condition + ") {";
            if (last != NoToken) id = last;
        }
    }
}

void TranslateRepeatLoops(Conversion& conv) {
    LogMessage(conv, "Processing: Repeat - Until...");
    TokenList& tokens = conv.Tokens;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type != PBSC_Identifier) continue;
        if (EqualsNoCase(t.Text, "repeat")) {
            t.Text = "do {";
        } else if (EqualsNoCase(t.Text, "forever")) {
            t.Text = " } while ( true );";
        } else if (EqualsNoCase(t.Text, "until")) {
            EmptyToken(t);
            TokenId last = NoToken;
            std::string condition =
                GatherStatementTail(tokens, tokens.Next(id), last, RewriteComparison);
            if (last == NoToken) last = id;
            tokens.At(last).Text = " } while (!( " + condition + " ));";
            id = last;
        }
    }
}

}  // namespace orvane
