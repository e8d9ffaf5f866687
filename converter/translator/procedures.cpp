// Procedure headers with default parameters, ProcedureReturn, EndProcedure.
#include <vector>

#include "converter/translator/passes.h"

namespace orvane {

namespace {

struct Parameter {
    std::string name;
    std::string defaultMarker;  // "=" when the parameter has a default value
    std::string defaultValue;
};

bool IsProcedureKeyword(const std::string& lower) {
    // ProcedureC (C calling convention, used for callbacks) is an ordinary function here too.
    return lower == "procedure" || lower == "proceduredll" || lower == "procedurecdll" ||
           lower == "procedurec";
}

}  // namespace

void TranslateProcedures(Conversion& conv) {
    LogMessage(conv, "Processing: Procedure - EndProcedure...");
    TokenList& tokens = conv.Tokens;
    bool inHeader = false, inParameters = false;
    std::vector<Parameter> parameters;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        Token& t = tokens.At(id);
        if (t.Type == PBSC_Identifier) {
            const std::string lower = Lower(t.Text);
            if (IsProcedureKeyword(lower)) {
                t.Text = "function";
                inHeader = true;
            } else if (lower == "procedurereturn") {
                t.Text = "return";
            } else if (lower == "endprocedure") {
                t.Text = "}";
            } else if (lower == "list" || lower == "map" || lower == "array") {
                // A collection parameter is passed as the object itself: only its name stays.
                EmptyToken(t);
                TokenId name = tokens.Next(id);
                if (name == NoToken) break;
                id = name;
                for (TokenId at = tokens.Next(name); at != NoToken; at = tokens.Next(at)) {
                    Token& a = tokens.At(at);
                    if (IsStatementEndType(a.Type)) break;
                    const bool closing = a.Text == ")";
                    EmptyToken(a);
                    id = at;
                    if (closing) break;
                }
            } else if (inParameters) {
                parameters.push_back({t.Text, "", ""});
            }
            continue;
        }
        if (t.Text == "=" && inParameters) {
            if (parameters.empty()) continue;
            Parameter& p = parameters.back();
            p.defaultMarker = "=";
            t.Text.clear();
            for (TokenId at = tokens.Next(id); at != NoToken; at = tokens.Next(at)) {
                Token& a = tokens.At(at);
                if (a.Text == ")" || a.Text == "," || IsStatementEndType(a.Type)) break;
                p.defaultValue += a.Text;
                a.Text.clear();
                id = at;
            }
        } else if (t.Text == "(" && inHeader) {
            inParameters = true;
        } else if (t.Text == ")" && inHeader) {
            t.Text = ") {\r\n";
            inHeader = inParameters = false;
            for (const Parameter& p : parameters) {
                if (p.name.empty() || p.defaultMarker.empty() || p.defaultValue.empty()) continue;
                t.Text += "if (typeof " + p.name + " === \"undefined\" || " + p.name +
                          " === null) " + p.name + " = " + p.defaultValue + ";\r\n";
            }
            parameters.clear();
        }
    }
}

}  // namespace orvane
