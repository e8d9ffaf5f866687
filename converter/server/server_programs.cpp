// Server programs: the rewritten server code and a request dispatch go into the language's
// template, and the result is written where the profile says (CGI: compiled there).
#include <QUrl>

#include "converter/server/server.h"
#include "converter/server/server_internal.h"
#include "platform/platform.h"

namespace orvane {

namespace {

const std::string kQuote = "\"";

void LogErrorBetweenEmptyLines(Conversion& conv, const std::string& message) {
    LogMessage(conv, "");
    LogMessage(conv, message, true);
    LogMessage(conv, "");
}

bool Required(Conversion& conv, const std::string& value, const std::string& settingName) {
    if (!value.empty()) return true;
    LogErrorBetweenEmptyLines(conv, "Found ServerCode but '" + settingName + "' is empty");
    return false;
}

bool RequiredFolder(Conversion& conv, const std::string& fileName) {
    std::string folder = FolderPart(fileName);
    if (FolderExists(folder)) return true;
    LogErrorBetweenEmptyLines(conv, "Folder '" + folder + " doesn't exist");
    return false;
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

QUrl ParseAddress(const std::string& address) {
    return QUrl(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
}

std::string PortOf(const std::string& address) {
    QUrl url = ParseAddress(address);
    if (url.port() >= 0) return std::to_string(url.port());
    return url.scheme().toLower() == "https" ? "443" : "80";
}

// The host a standalone server binds to: the one its address names, loopback when the address
// names none (a page opened as a local file), so nothing is exposed that the profile did not ask
// for.
std::string HostOf(const std::string& address) {
    std::string host = ParseAddress(address).host().toStdString();
    for (char c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != ':')
            return "127.0.0.1";
    return host.empty() ? "127.0.0.1" : host;
}

// The procedures the PHP template may call, keyed by the lower-cased name because PHP function
// names ignore letter case.
std::string PhpProcedureRegistry(const std::string& serverCode) {
    std::string entries;
    for (const std::string& name : ServerProcedureNames(serverCode)) {
        if (!IsPlainName(name)) continue;
        if (!entries.empty()) entries += ", ";
        entries += "'" + Lower(name) + "' => '" + name + "'";
    }
    return "$OrvaneServerProcedures = array(" + entries + ");";
}

// One Case per procedure, in the three dialects the generators share.
struct DispatchDialect {
    bool CgiStrings = false;  // CGI: wrap non-string results in Str()
    std::string CallStart;    // before the name
    std::string AfterName;
    std::string ParameterStart;
    std::string CallEnd;
    std::string WrapStart;
    std::string WrapEnd;
};

std::string Dispatch(const std::string& serverCode, const DispatchDialect& d) {
    TokenList tokens;
    TokenizeText(tokens, ReplaceAll(serverCode, "\r\n", "\n"));
    std::string text;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& token = tokens.At(id);
        if (token.Type != PBSC_Identifier) continue;
        std::string word = Lower(token.Text);
        if (word != "proceduredll" && word != "procedurecdll") continue;
        ProcedureHead head = ReadProcedureHead(tokens, id);
        bool stringResult = d.CgiStrings && Lower(head.TypeLetter) == "s";
        text += "\tCase " + kQuote + Lower(head.Name) + kQuote + "\r\n";
        if (d.CgiStrings)
            text += stringResult ? "\t\tReturnValue = " + head.Name + "("
                                 : "\t\tReturnValue = Str(" + head.Name + "(";
        else
            text += d.CallStart + head.Name + d.AfterName;
        for (const std::string& parameter : head.Parameters)
            text += d.ParameterStart + "GetValue(" + kQuote + parameter + kQuote + "), ";
        std::string trimmed = TrimBlanks(text);
        if (EndsWith(trimmed, ",")) text = trimmed.substr(0, trimmed.size() - 1);
        text += d.CgiStrings ? (stringResult ? ")\r\n" : "))\r\n") : d.CallEnd;
    }
    if (text.empty()) return "";
    return d.WrapStart + text + d.WrapEnd;
}

// Fills the template: each placeholder, in order, replaced everywhere by its value.
std::string FillTemplate(std::string text,
                         const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [placeholder, value] : values)
        text = ReplaceAll(text, placeholder, value);
    return text;
}

// Server programs are written as UTF-8: Python refuses other bytes in its source, and the
// other languages take UTF-8 as well, so text in the server code survives as written.
void WriteProgram(Conversion& conv, const std::string& text, const std::string& path) {
    if (!WriteTextFile(text, path, TextFormat::Utf8))
        LogErrorBetweenEmptyLines(conv, "Can't write the server program '" + path + "'");
}

void BuildCgi(Conversion& conv, const std::string& program) {
    const std::string& target = conv.Settings.CgiFilename;
    std::string source = FolderPart(conv.SourceFile) + "tempcgi.pb";
    WriteProgram(conv, program, source);
    // A running CGI program keeps its file locked for a moment after a request.
    for (int attempt = 1; FileExists(target); ++attempt) {
        LogMessage(conv,
                   "Trying to delete '" + target + "'. " + std::to_string(attempt) + " try...");
        DeleteFile(target);
        if (attempt >= 10) break;
        SleepMilliseconds(500);
    }
    int exitCode = RunProgramCaptured(conv.CompilerPath, {source, "/CONSOLE", "/EXE", target},
                                      [&conv](const std::string& line) { LogMessage(conv, line); });
    if (exitCode == -1)
        LogErrorBetweenEmptyLines(conv, "Something went wrong :-(");
    else if (exitCode != 0)
        LogErrorBetweenEmptyLines(conv, "Press return to continue");
}

}  // namespace

std::string FindServerTemplate(const std::string& programFolder, const std::string& name) {
    for (const char* folder : {"system/usertemplates/", "system/templates/"}) {
        std::string path = WithSlash(programFolder) + folder + name;
        if (FileSize(path) > 0) return path;
    }
    return "";
}

std::string NodeJsPortLine(const std::string& address) {
    return "var port = " + PortOf(address) + ";";
}

std::string CgiDispatch(const std::string& serverCode) {
    DispatchDialect d;
    d.CgiStrings = true;
    d.ParameterStart = " ";
    d.WrapStart = " Select Request \r\n";
    d.WrapEnd = "\r\n Default \r\n   ReturnValue = " + kQuote + "unknown request: '" + kQuote +
                " + Request + " + kQuote + "'" + kQuote + "\r\n EndSelect";
    return Dispatch(serverCode, d);
}

std::string AspxDispatch(const std::string& serverCode) {
    DispatchDialect d;
    d.CallStart = "\t\tResponse.Write(";
    d.AfterName = "(";
    d.CallEnd = "))\r\n";
    d.WrapStart = "Dim myRequest As String : myRequest = LCase(Request.QueryString(" + kQuote +
                  "request" + kQuote + "))\r\n\r\nSelect Case myRequest\r\n";
    d.WrapEnd = "\r\nCase Else\r\n Response.Write(" + kQuote + "unknown request: '" + kQuote +
                " & myRequest & " + kQuote + "'" + kQuote + ")\r\nEnd Select";
    return Dispatch(serverCode, d);
}

std::string AspDispatch(const std::string& serverCode) {
    DispatchDialect d;
    d.CallStart = "\t\tResponse.Write ";
    d.AfterName = " ( ";
    d.ParameterStart = " ";
    d.CallEnd = " ) \r\n";
    d.WrapStart = "Dim myRequest : myRequest = LCase(Request.QueryString(" + kQuote + "request" +
                  kQuote + "))\r\n\r\nSelect Case myRequest\r\n";
    d.WrapEnd = "\r\nCase Else\r\n Response.Write " + kQuote + "unknown request: '" + kQuote +
                " & myRequest & " + kQuote + "'" + kQuote + "\r\nEnd Select";
    return Dispatch(serverCode, d);
}

bool WriteServerProgram(Conversion& conv, ServerLanguage language, const std::string& serverCode) {
    const RunSettings& s = conv.Settings;
    switch (language) {
        case ServerLanguage::Php: {
            std::string code = RewritePhp(serverCode);
            if (!Required(conv, s.PhpFilename, "PhpFilename")) return false;
            if (!Required(conv, s.PhpAddress, "PhpAddress")) return false;
            std::string path = FindServerTemplate(conv.ProgramFolder, "php.php");
            if (path.empty()) {
                LogMessage(conv, "no template found", true);
                return true;
            }
            WriteProgram(conv,
                         FillTemplate(ReadTextFile(path), {{"// ### Orvane ServerCode ###", code},
                                                           {"// ### Orvane ServerProcedures ###",
                                                            PhpProcedureRegistry(serverCode)}}),
                         s.PhpFilename);
            return true;
        }
        case ServerLanguage::Cgi: {
            if (!Required(conv, s.CgiFilename, "CgiFilename")) return false;
            if (!Required(conv, s.CgiAddress, "CgiAddress")) return false;
            // A run with --no-syntax-check may have no compiler: then no CGI program can be built.
            if (conv.SkipSyntaxCheck && !FileExists(conv.CompilerPath)) {
                LogMessage(conv, "");
                LogMessage(conv,
                           "Found CGI ServerCode, but the CGI program needs the PureBasic "
                           "compiler and none was found (set PB_TOOL_Compiler or PUREBASIC_HOME)",
                           true);
                LogMessage(conv, "");
                return false;
            }
            std::string path = FindServerTemplate(conv.ProgramFolder, "cgi.pb");
            if (path.empty()) {
                LogMessage(conv, "Found no template-file", true);
                return true;
            }
            std::string program = ReadTextFile(path);
            BuildCgi(conv, FillTemplate(program, {{"; ### Orvane ServerCode ###", serverCode},
                                                  {"; ### Orvane RequestSelect ###",
                                                   CgiDispatch(serverCode)}}));
            return true;
        }
        case ServerLanguage::Python: {
            // Flask is on whenever UseFlask is set, as for the stubs and the page: a Flask page
            // with a plain server program (or the other way round) could not reach its server.
            bool flask = !s.UseFlask.empty();
            std::string code = RewritePython(serverCode);
            if (!Required(conv, s.PythonFilename, "PythonFilename")) return false;
            if (!flask && !Required(conv, s.PythonAddress, "PythonAddress")) return false;
            std::string path =
                FindServerTemplate(conv.ProgramFolder, flask ? "flask.py" : "python.py");
            if (path.empty()) {
                LogMessage(conv, "no template found", true);
                return true;
            }
            std::string address = flask ? s.ServerAddress : s.PythonAddress;
            WriteProgram(
                conv,
                FillTemplate(
                    ReadTextFile(path),
                    {{"# ### Orvane ServerCode ###", code},
                     {"#FLASKPORT#", s.FlaskPort},
                     {"# ### Orvane ServerHost ###", "ORVANE_HOST = '" + HostOf(address) + "'"},
                     {"# ### Orvane ServerPort ###", "ORVANE_PORT = " + PortOf(s.PythonAddress)}}),
                s.PythonFilename);
            return true;
        }
        case ServerLanguage::NodeJs: {
            std::string code = RewriteNodeJs(serverCode);
            if (!Required(conv, s.NodeJsFilename, "NodeJsFilename")) return false;
            if (!Required(conv, s.NodeJsAddress, "NodeJsAddress")) return false;
            std::string path = FindServerTemplate(conv.ProgramFolder, "nodejs.js");
            if (path.empty()) {
                LogMessage(conv, "no template found", true);
                return true;
            }
            WriteProgram(
                conv,
                FillTemplate(ReadTextFile(path),
                             {{"// ### Orvane ServerPort ###", NodeJsPortLine(s.NodeJsAddress)},
                              {"// ### Orvane ServerCode ###", code},
                              {"// ### Orvane ServerHost ###",
                               "var orvaneHost = '" + HostOf(s.NodeJsAddress) + "';"}}),
                s.NodeJsFilename);
            return true;
        }
        case ServerLanguage::Aspx:
        case ServerLanguage::Asp: {
            bool aspx = language == ServerLanguage::Aspx;
            std::string dispatch = aspx ? AspxDispatch(serverCode) : AspDispatch(serverCode);
            std::string code = RewriteAspVb(serverCode);
            const std::string& fileName = aspx ? s.AspxFilename : s.AspFilename;
            const std::string& address = aspx ? s.AspxAddress : s.AspAddress;
            if (!Required(conv, fileName, aspx ? "AspxFilename" : "ASPFilename")) return false;
            if (!RequiredFolder(conv, fileName)) return false;
            if (!Required(conv, address, aspx ? "AspxAddress" : "ASPAddress")) return false;
            std::string path =
                FindServerTemplate(conv.ProgramFolder, aspx ? "aspx.aspx" : "asp.asp");
            if (path.empty()) {
                LogMessage(conv, "no template found", true);
                return true;
            }
            WriteProgram(
                conv,
                FillTemplate(ReadTextFile(path), {{"' ### Orvane ServerCode ###", code},
                                                  {"' ### Orvane RequestSelect ###", dispatch}}),
                fileName);
            return true;
        }
    }
    return false;
}

}  // namespace orvane
