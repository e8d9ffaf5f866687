// Server blocks: the code between EnablePHP and DisablePHP (and the markers of the other five
// languages) goes to the server program; in the source each procedure of a block is replaced by a
// client stub whose raw JavaScript posts the call to that server program.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <memory>
#include <set>

#include "converter/server/server.h"
#include "converter/server/server_internal.h"

namespace orvane {

namespace {

using Pattern = std::unique_ptr<pcre2_code, void (*)(pcre2_code*)>;

Pattern Compile(const std::string& pattern) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.c_str()), pattern.size(),
                                     PCRE2_CASELESS | PCRE2_MULTILINE, &error, &offset, nullptr);
    if (code) pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    return Pattern(code, [](pcre2_code* c) { pcre2_code_free(c); });
}

struct Match {
    size_t Start = 0;
    size_t End = 0;
};

// Every match of the pattern, in order. False when matching itself failed (a limit was hit):
// the caller must not take a partial search for the whole answer.
bool FindAll(const Pattern& pattern, std::string_view text, std::vector<Match>& matches) {
    matches.clear();
    std::unique_ptr<pcre2_match_data, void (*)(pcre2_match_data*)> data(
        pcre2_match_data_create_from_pattern(pattern.get(), nullptr),
        [](pcre2_match_data* d) { pcre2_match_data_free(d); });
    size_t start = 0;
    while (start <= text.size()) {
        int rc = pcre2_match(pattern.get(), reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(),
                             start, 0, data.get(), nullptr);
        if (rc == PCRE2_ERROR_NOMATCH) return true;
        if (rc < 0) return false;
        PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        matches.push_back({ovector[0], ovector[1]});
        // The patterns always consume their keyword, so a match is never empty.
        start = ovector[1] > ovector[0] ? ovector[1] : ovector[0] + 1;
    }
    return true;
}

std::string Marker(ServerLanguage language) {
    switch (language) {
        case ServerLanguage::Cgi:
            return "CGI";
        case ServerLanguage::Php:
            return "PHP";
        case ServerLanguage::Python:
            return "Python";
        case ServerLanguage::NodeJs:
            return "NodeJs";
        case ServerLanguage::Aspx:
            return "ASPX";
        case ServerLanguage::Asp:
            return "ASP";
    }
    return "";
}

// The text between the start marker and the end marker that close the block, whatever their
// letter case: a block the pattern accepted must not lose its code to a differently cased marker.
std::string BlockBody(const std::string& block, const std::string& marker) {
    size_t start = block.find_first_not_of("\t ");
    start = start == std::string::npos ? block.size() : start + std::string("Enable").size();
    start = std::min(start + marker.size(), block.size());
    size_t endMarker = std::string("Disable").size() + marker.size();
    size_t end = block.size() >= endMarker ? block.size() - endMarker : 0;
    if (end < start) return "";
    std::string body = block.substr(start, end - start);
    size_t second = body.find("Enable" + marker);
    if (second != std::string::npos) body.resize(second);
    return body;
}

std::string FirstLine(const std::string& match) {
    return match.substr(0, match.find('\n')) + "\n";
}

// ".b" right after the keyword asks for the answer as binary data. Indentation and the keyword's
// letter case do not change what the programmer declared.
bool IsBinary(const std::string& match, const std::string& keyword) {
    size_t at = match.find_first_not_of("\t ");
    if (at == std::string::npos) return false;
    at += keyword.size();
    return match.size() >= at + 2 && match[at] == '.' &&
           (match[at + 1] == 'b' || match[at + 1] == 'B');
}

// The programmer names the callback after the procedure: the last word before "(".
std::string CallbackFromHead(const std::string& match) {
    std::string head = FirstLine(match);
    head = TrimTrailingChars(head.substr(0, head.find('(')), " \t\r\n");
    size_t space = head.find_last_of(" \t");
    std::string name = space == std::string::npos ? head : head.substr(space + 1);
    return name + "Callback";
}

bool UsesFlask(const RunSettings& settings) {
    return !settings.UseFlask.empty();
}

std::string UrlLine(const RunSettings& s, ServerLanguage language, bool binary,
                    const std::string& name) {
    switch (language) {
        case ServerLanguage::Php:
            return "; \turl: '" + s.PhpAddress + "?request=' + arguments.callee.name, \n";
        case ServerLanguage::Cgi:
            return binary ? "; \turl: '" + s.CgiAddress + "?' + params, \n"
                          : "; \turl: '" + s.CgiAddress + "', \n";
        case ServerLanguage::Python:
            return UsesFlask(s) ? "; \turl: '/' + arguments.callee.name, \n"
                                : "; \turl: '" + s.PythonAddress + "/' + arguments.callee.name, \n";
        case ServerLanguage::NodeJs:
            return "; \turl: '" + s.NodeJsAddress + "?request=' + arguments.callee.name, \n";
        case ServerLanguage::Aspx:
            return "; \turl: '" + s.AspxAddress + "?request=" + name + "', \n";
        case ServerLanguage::Asp:
            return "; \turl: '" + s.AspAddress + "?request=" + name + "', \n";
    }
    return "";
}

// Everything of a stub's $.ajax call from its url line up to and including its cache/async lines.
std::string RequestLines(const RunSettings& s, ServerLanguage language, const std::string& match,
                         const std::string& keyword, bool async) {
    bool typed = language == ServerLanguage::Php || language == ServerLanguage::Cgi;
    bool binary = typed && IsBinary(match, keyword);
    ProcedureParameters procedure;
    if (language == ServerLanguage::Cgi || language == ServerLanguage::Aspx ||
        language == ServerLanguage::Asp)
        procedure = ParameterMap(match);
    std::string map = procedure.Map;
    if (language == ServerLanguage::Cgi) map = "'orvrequest':'" + procedure.Name + "'," + map;

    std::string out = UrlLine(s, language, binary, procedure.Name);
    out += "; \ttype: 'POST', \n";
    switch (language) {
        case ServerLanguage::Cgi:
            if (!binary) out += "; \tdata: { " + map + " }, \n";
            break;
        case ServerLanguage::Aspx:
        case ServerLanguage::Asp:
            if (!procedure.Map.empty()) out += "; \tdata: { " + map + " }, \n";
            break;
        default:
            out += "; \tdata: arguments, \n";
    }
    if (typed) {
        out += std::string("; \tdataType: '") + (binary ? "binary" : "text") + "', \n";
        out += std::string("; \tprocessData: ") + (binary ? "false" : "true") + ", \n";
    } else {
        out += "; \tdataType: 'text', \n";
    }
    std::string asyncLine = std::string("; \tasync: ") + (async ? "true" : "false") + ", \n";
    if (language == ServerLanguage::Python)
        out += "; \tcache: false, \n" + asyncLine;
    else
        out += asyncLine + "; \tcache: false, \n";
    return out;
}

std::string CgiParamsLine(const std::string& match) {
    ProcedureParameters procedure = ParameterMap(match);
    return "; var params = jQuery.param( { 'orvrequest':'" + procedure.Name + "'," + procedure.Map +
           " } ); \n";
}

// A start marker without its end marker would leave server code in the program, where the
// translator would take it for PureBasic; the programmer must hear about it.
void ReportUnclosedBlocks(Conversion& conv, const std::string& marker, std::string_view text,
                          const std::vector<Match>& blocks) {
    Pattern start = Compile("^[\\t]*[\\ ]*Enable" + marker + "\\b");
    std::vector<Match> starts;
    if (!start || !FindAll(start, text, starts)) return;
    size_t b = 0;
    for (const Match& s : starts) {
        while (b < blocks.size() && blocks[b].End <= s.Start)
            ++b;
        if (b < blocks.size() && blocks[b].Start <= s.Start) continue;
        size_t line = 1 + CountOf(text.substr(0, s.Start), "\n");
        LogMessage(conv,
                   "'Enable" + marker + "' in line " + std::to_string(line) + " has no 'Disable" +
                       marker + "': its code stays in the program",
                   true);
    }
}

}  // namespace

int ServerLanguageNumber(ServerLanguage language) {
    switch (language) {
        case ServerLanguage::Cgi:
            return 4;
        case ServerLanguage::Php:
            return 3;
        case ServerLanguage::Python:
            return 5;
        case ServerLanguage::NodeJs:
            return 2;
        case ServerLanguage::Aspx:
            return 7;
        case ServerLanguage::Asp:
            return 6;
    }
    return 0;
}

ProcedureParameters ParameterMap(const std::string& procedureText) {
    TokenList tokens;
    TokenizeText(tokens, procedureText);
    ProcedureParameters result;
    for (TokenId id = tokens.First(); id != NoToken; id = tokens.Next(id)) {
        const Token& token = tokens.At(id);
        if (token.Type != PBSC_Identifier) continue;
        std::string word = Lower(token.Text);
        if (word != "procedure" && word != "proceduredll" && word != "procedurecdll") continue;
        ProcedureHead head = ReadProcedureHead(tokens, id);
        result.Name = head.Name;
        for (const std::string& parameter : head.Parameters) {
            if (!result.Map.empty()) result.Map += ", ";
            result.Map += "'" + parameter + "': " + parameter;
        }
        break;
    }
    return result;
}

ProcedureHead ReadProcedureHead(const TokenList& tokens, TokenId keyword) {
    ProcedureHead head;
    auto endOfHead = [&](TokenId id) {
        return id == NoToken || tokens.At(id).Type == PBSC_NewLine ||
               tokens.At(id).Type == PBSC_Comment;
    };
    TokenId id = tokens.Next(keyword);
    if (!endOfHead(id) && tokens.At(id).Text == ".") {
        id = tokens.Next(id);
        if (endOfHead(id)) return head;
        head.TypeLetter = tokens.At(id).Text;
        id = tokens.Next(id);
    }
    if (endOfHead(id)) return head;
    head.Name = tokens.At(id).Text;
    id = tokens.Next(id);
    if (endOfHead(id) || tokens.At(id).Text != "(") return head;
    // A parameter is the word after "(" or ","; its type suffix and default value are skipped.
    bool expectParameter = true;
    for (id = tokens.Next(id); !endOfHead(id) && tokens.At(id).Text != ")"; id = tokens.Next(id)) {
        const std::string& text = tokens.At(id).Text;
        if (text == ",") {
            expectParameter = true;
        } else if (expectParameter) {
            head.Parameters.push_back(text);
            expectParameter = false;
        }
    }
    return head;
}

std::string SynchronousStub(const RunSettings& settings, ServerLanguage language,
                            const std::string& match) {
    const std::string keyword = "ProcedureDLL";
    std::string stub = FirstLine(match);
    if (language == ServerLanguage::Php) {
        stub += "EnableJs\n";
        stub += "; var returnValue; \n";
        stub += "; $.ajax({ \n";
        stub += RequestLines(settings, language, match, keyword, false);
        stub += "; \tsuccess: function(result) {\n";
        stub += "; \t\treturnValue = result;\n";
        stub += "; \t},\n";
        stub += "; \terror: function(a, b, c) {\n";
        stub += "; \t  returnValue = 'error: ' + b + '/' + c;\n";
        stub += "; \t}\n";
        stub += "; }); \n";
        stub += "; return returnValue; \n";
        stub += "DisableJs\n";
        stub += "EndProcedure\n";
        return stub;
    }
    stub += "Protected ReturnValue.s\n";
    stub += "EnableJs\n";
    if (language == ServerLanguage::Cgi) stub += CgiParamsLine(match);
    stub += "; $.ajax({ \n";
    stub += RequestLines(settings, language, match, keyword, false);
    stub += "; \tsuccess: function (result)  { ReturnValue = result }, \n";
    stub += "; \terror:   function (a, b, c) { ReturnValue = b + '/' + c } \n";
    stub += "; }); \n";
    stub += "DisableJs\n";
    stub += "ProcedureReturn ReturnValue\n";
    stub += "EndProcedure\n";
    return stub;
}

std::string AsynchronousStub(const RunSettings& settings, ServerLanguage language,
                             const std::string& match) {
    if (language == ServerLanguage::NodeJs) return "";
    const std::string keyword = "ProcedureCDLL";
    bool binary = (language == ServerLanguage::Php || language == ServerLanguage::Cgi) &&
                  IsBinary(match, keyword);
    std::string cb;
    std::string map;
    if (language == ServerLanguage::Php || language == ServerLanguage::Python) {
        cb = CallbackFromHead(match);
    } else {
        ProcedureParameters procedure = ParameterMap(match);
        cb = procedure.Name + "Callback";
        map = "'orvrequest':'" + procedure.Name + "'," + procedure.Map;
    }

    std::string stub = FirstLine(match);
    stub += "EnableJs\n";
    if (language == ServerLanguage::Cgi) stub += CgiParamsLine(match);
    stub += "; $.ajax({ \n";
    stub += RequestLines(settings, language, match, keyword, true);
    if (language == ServerLanguage::Php) {
        if (binary) {
            stub += "; success: function(result) { \n;  if (typeof " + cb +
                    " == 'function') { \n;   // var reader = new window.FileReader(); \n;   // "
                    "reader.readAsDataURL(result); \n;   // reader.onloadend = function() { \n;   "
                    "// " +
                    cb + "(true, reader.result); \n;   " + cb +
                    "(true, result); \n;   // } \n;  } \n; }, \n";
        } else {
            stub += "; \tsuccess: function(result)  { if (typeof " + cb + " == 'function') " + cb +
                    "(true, result) }, \n";
        }
        stub += "; \terror: function(a, b, c) { if (typeof " + cb + " == 'function') " + cb +
                "(false, b + '/' + c) } \n";
    } else if (language == ServerLanguage::Cgi) {
        if (binary) {
            stub += "; success: function(result) { \n;  if (typeof " + cb +
                    " == 'function') { \n;   " + cb + "(true, result, {" + map +
                    "}); \n;  } \n; }, \n";
        } else {
            stub += "; \tsuccess: function(result)  { if (typeof " + cb + " == 'function') " + cb +
                    "(true, result, {" + map + "}) }, \n";
        }
        stub += "; \terror:   function (a, b, c) { if (typeof " + cb + " == 'function') " + cb +
                "(false, b + '/' + c) } \n";
    } else {
        stub += "; \tsuccess: function (result)  { if (typeof " + cb + " == 'function') " + cb +
                "(true, result) }, \n";
        stub += "; \terror:   function (a, b, c) { if (typeof " + cb + " == 'function') " + cb +
                "(false, b + '/' + c) } \n";
    }
    stub += "; }); \n";
    stub += "DisableJs\n";
    stub += "EndProcedure\n";
    return stub;
}

std::string RunServerPass(Conversion& conv, ServerLanguage language, const std::string& text) {
    conv.ServerLanguageCode = ServerLanguageNumber(language);
    const std::string marker = Marker(language);
    Pattern block = Compile("^[\\t]*[\\ ]*Enable" + marker + "([\\s\\S]*?)^[\\s]*Disable" + marker);
    Pattern sync =
        Compile("^[\\t]*[\\ ]*ProcedureDLL([\\s\\S]*?)\\(([\\s\\S]*?)^[\\s]*EndProcedure");
    Pattern async =
        Compile("^[\\t]*[\\ ]*ProcedureCDLL([\\s\\S]*?)\\(([\\s\\S]*?)^[\\s]*EndProcedure");
    if (!block || !sync || !async) return "";

    std::vector<Match> blocks, procedures;
    if (!FindAll(block, text, blocks)) {
        LogMessage(conv, "Server code (" + marker + ") is too large to search", true);
        return "";
    }
    ReportUnclosedBlocks(conv, marker, text, blocks);
    if (blocks.empty()) return text;

    std::string serverCode;
    std::string out;
    out.reserve(text.size());
    std::set<std::string> seenBlocks;
    size_t copied = 0;
    for (const Match& m : blocks) {
        out.append(text, copied, m.Start - copied);
        copied = m.End;
        std::string blockText = text.substr(m.Start, m.End - m.Start);
        // An identical copy of a block would declare its procedures twice in the server program,
        // which PHP and Flask refuse to run; its stubs are the same either way.
        if (seenBlocks.insert(blockText).second) serverCode += BlockBody(blockText, marker) + "\n";

        std::string stubs;
        if (!FindAll(sync, blockText, procedures)) return "";
        for (const Match& p : procedures)
            stubs += SynchronousStub(conv.Settings, language,
                                     blockText.substr(p.Start, p.End - p.Start)) +
                     "\n";
        if (!FindAll(async, blockText, procedures)) return "";
        for (const Match& p : procedures) {
            std::string procedure = blockText.substr(p.Start, p.End - p.Start);
            if (language == ServerLanguage::NodeJs) {
                LogMessage(conv,
                           "Node.js server procedures are called synchronously: use ProcedureDLL "
                           "instead of ProcedureCDLL in '" +
                               TrimWhite(FirstLine(procedure)) + "'",
                           true);
                continue;
            }
            stubs += AsynchronousStub(conv.Settings, language, procedure) + "\n";
        }
        out += stubs;
    }
    out.append(text, copied, std::string::npos);

    if (!WriteServerProgram(conv, language, serverCode)) return "";
    // An empty text would tell the run that this pass failed.
    if (out.empty()) out = "\n";
    return out;
}

std::string ServerBlockEnd(std::string_view line) {
    std::string_view test = TrimView(line, " \t\r\n");
    // ASPX before ASP: the one marker begins with the other.
    for (ServerLanguage language :
         {ServerLanguage::Cgi, ServerLanguage::Php, ServerLanguage::Python, ServerLanguage::NodeJs,
          ServerLanguage::Aspx, ServerLanguage::Asp}) {
        std::string marker = Lower(Marker(language));
        if (StartsWithNoCase(test, "enable" + marker)) return "disable" + marker;
    }
    return "";
}

}  // namespace orvane
