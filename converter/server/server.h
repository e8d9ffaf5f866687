// Server blocks, client stubs and server programs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "converter/run/conversion.h"

namespace orvane {

enum class ServerLanguage { Cgi, Php, Python, NodeJs, Aspx, Asp };

// Cuts the language's server blocks out of the text, puts client stubs in their place and
// writes the server program. "" when the pass failed (the run stops).
std::string RunServerPass(Conversion& conv, ServerLanguage language, const std::string& text);

// ---- client stubs (server_blocks.cpp) ----

// The number the run records for the pass that ran last.
int ServerLanguageNumber(ServerLanguage language);

struct ProcedureParameters {
    std::string Name;
    std::string Map;  // 'a': a, 'b': b
};
// Name and parameter map of a procedure head (the text may hold the whole procedure).
ProcedureParameters ParameterMap(const std::string& procedureText);

// The stub that replaces one procedure match of a server block.
std::string SynchronousStub(const RunSettings& settings, ServerLanguage language,
                            const std::string& procedureMatch);
// "" for Node.js, whose server procedures are always called synchronously.
std::string AsynchronousStub(const RunSettings& settings, ServerLanguage language,
                             const std::string& procedureMatch);

// ---- server programs (server_programs.cpp) ----

// Rewrites the server code, fills the language's template and writes (for CGI: builds) the
// server program. False when a setting it needs is missing (the run stops).
bool WriteServerProgram(Conversion& conv, ServerLanguage language, const std::string& serverCode);

// The user's template when it exists and is not empty, else the delivered one; "" for none.
std::string FindServerTemplate(const std::string& programFolder, const std::string& name);

// "var port = N;" from the explicit port of the address, else 80 (443 for https).
std::string NodeJsPortLine(const std::string& address);

// Request dispatch code the CGI, ASPX and ASP templates run; "" when there is no procedure.
std::string CgiDispatch(const std::string& serverCode);
std::string AspxDispatch(const std::string& serverCode);
std::string AspDispatch(const std::string& serverCode);

// ---- server code rewrites (server_rewrites.cpp) ----

std::string RewritePhp(const std::string& serverCode);
std::string RewriteAspVb(const std::string& serverCode);
std::string RewritePython(const std::string& serverCode);
std::string RewriteNodeJs(const std::string& serverCode);

// The procedures a server program may call, as the browser names them in its requests.
std::vector<std::string> ServerProcedureNames(const std::string& serverCode);

// The lower-cased end marker ("disablepython") of the server block whose start marker begins the
// line (leading white space allowed), or "" when the line starts no server block.
std::string ServerBlockEnd(std::string_view line);

}  // namespace orvane
