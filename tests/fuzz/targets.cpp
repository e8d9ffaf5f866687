#include "tests/fuzz/targets.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "converter/page/page.h"
#include "converter/preprocess/preprocess.h"
#include "converter/program/translate_program.h"
#include "converter/run/directives.h"
#include "converter/run/source_assembly.h"
#include "converter/server/server.h"
#include "converter/translator/tokens.h"
#include "converter/translator/translate.h"
#include "platform/platform.h"
#include "profiles/profiles.h"

namespace orvane::fuzz {

namespace fs = std::filesystem;

namespace {

// One scratch folder per process, laid out as a program folder: the tables, the page and server
// templates and references.txt from the source tree. Removed when the process ends.
struct Scratch {
    std::string root;  // ends in "/"

    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "orvane-fuzz-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (!mkdtemp(name.data())) std::abort();
        root = std::string(name.data()) + "/";
        const fs::path source(ORVANE_SOURCE_DIR);
        fs::create_directories(root + "system/templates");
        fs::create_directories(root + "server");
        fs::copy(source / "runtime/tables/libraries.txt", root + "libraries.txt");
        fs::copy(source / "runtime/tables/constants.txt", root + "constants.txt");
        fs::copy(source / "system/references.txt", root + "system/references.txt");
        fs::copy(source / "system/templates", root + "system/templates",
                 fs::copy_options::recursive);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

const Scratch& Folder() {
    static const Scratch scratch;
    return scratch;
}

// A conversion that reports nowhere, with the scratch folder as program and server folder.
void Prepare(Conversion& conv) {
    const std::string& root = Folder().root;
    conv.Sink = [](const std::string&, bool) {};
    conv.ProgramFolder = root;
    conv.SystemFolder = root + "system/";
    RunSettings& s = conv.Settings;
    s.ServerPath = root + "server/";
    s.TargetFolderJS = s.ServerPath;
    s.IndexPage = "page.html";
    s.ApplicationName = "application";
    s.Theme = "smoothness";
    s.Encoding = "UTF8";
    s.ServerAddress = "http://127.0.0.1/index.html";
}

std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs one text stage as the run does: an empty result ends the stage sequence.
template <typename Stage>
bool Apply(Conversion& conv, Stage stage) {
    conv.SourceText = stage(conv.SourceText);
    return !conv.SourceText.empty();
}

// A value as the settings file can hold it: line breaks become blanks.
std::string OneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return value;
}

}  // namespace

void Tokens(const uint8_t* data, size_t size) {
    TokenList tokens;
    TokenizeText(tokens, Text(data, size));
    tokens.ResetCursor();
    int count = 0;
    while (tokens.StepNext()) {
        ++count;
        if (tokens.IsKeyword("procedure") || tokens.IsStatementEnd()) tokens.NextTokenIs("(");
        if (count % 3 == 0) tokens.ClearToken();
        if (count % 5 == 0) tokens.ClearText();
    }
    while (tokens.StepPrevious()) {
    }
    tokens.SelectIndex(count / 2);
    (void)tokens.CurrentIndex();
    tokens.RemoveEmptyTokens();
    (void)tokens.Join();
    NormalizeForTranslation(tokens);
    (void)tokens.ToVector();
}

void Translation(const uint8_t* data, size_t size) {
    Conversion conv;
    Prepare(conv);
    conv.SourceText = Text(data, size);
    if (!Apply(conv, [&](const std::string& t) { return StripCommentBlocks(conv, t); })) return;
    ScanDirectives(conv, conv.SourceText);
    // The stages of the run between the server passes and the page, in its order.
    if (!Apply(conv, [&](const std::string& t) { return PreprocessSource(conv, t); }) ||
        !Apply(conv, [&](const std::string& t) { return TranslateProgram(conv, t); }))
        return;
    conv.SourceText = WrapReadyHandler(conv, conv.SourceText);
}

void PostProcessing(const uint8_t* data, size_t size) {
    Conversion conv;
    Prepare(conv);
    TokenizeText(conv.Tokens, Text(data, size));
    (void)PostProcess(conv);
}

void ServerCode(const uint8_t* data, size_t size) {
    const std::string text = Text(data, size);
    Conversion conv;
    Prepare(conv);
    RunSettings& s = conv.Settings;
    const std::string& server = s.ServerPath;
    s.PhpFilename = server + "s.php";
    s.PhpAddress = "http://127.0.0.1/s.php";
    s.CgiFilename = server + "s.cgi";
    s.CgiAddress = "http://127.0.0.1/cgi-bin/s.cgi";
    s.PythonFilename = server + "s.py";
    s.PythonAddress = "http://127.0.0.1:8000";
    s.UseFlask = size % 2 ? "1" : "";
    s.FlaskPort = "5000";
    s.NodeJsFilename = server + "s.js";
    s.NodeJsAddress = "http://127.0.0.1:8080/";
    s.AspxFilename = server + "s.aspx";
    s.AspxAddress = "http://127.0.0.1/s.aspx";
    s.AspFilename = server + "s.asp";
    s.AspAddress = "http://127.0.0.1/s.asp";
    // No compiler, as with --no-syntax-check: the CGI pass builds its stubs and then refuses to
    // build the program, so no process is started; the passes after it go on with the text
    // before it.
    conv.CompilerPath = "";
    conv.SkipSyntaxCheck = true;
    std::string source = text;
    for (ServerLanguage language :
         {ServerLanguage::Cgi, ServerLanguage::Php, ServerLanguage::Python, ServerLanguage::NodeJs,
          ServerLanguage::Aspx, ServerLanguage::Asp}) {
        std::string out = RunServerPass(conv, language, source);
        if (!out.empty()) source = out;
        (void)SynchronousStub(s, language, text);
        (void)AsynchronousStub(s, language, text);
    }
    (void)RewritePhp(text);
    (void)RewriteAspVb(text);
    (void)RewritePython(text);
    (void)RewriteNodeJs(text);
    (void)CgiDispatch(text);
    (void)AspxDispatch(text);
    (void)AspDispatch(text);
    (void)ParameterMap(text);
    (void)ServerProcedureNames(text);
    (void)ServerBlockEnd(text);
}

void PageAssembly(const uint8_t* data, size_t size) {
    static bool LibraryNeeds::*const kNeeds[] = {
        &LibraryNeeds::BlockUI,     &LibraryNeeds::ColorPicker, &LibraryNeeds::Cipher,
        &LibraryNeeds::Database,    &LibraryNeeds::DatePicker,  &LibraryNeeds::FileSaver,
        &LibraryNeeds::GoogleChart, &LibraryNeeds::GoogleMap,   &LibraryNeeds::Cookie,
        &LibraryNeeds::Hotkeys,     &LibraryNeeds::Menubar,     &LibraryNeeds::Pdf,
        &LibraryNeeds::Pixi,        &LibraryNeeds::Storage,     &LibraryNeeds::SaveImage,
        &LibraryNeeds::Splitter,    &LibraryNeeds::TouchSwipe,  &LibraryNeeds::FancyTree,
        &LibraryNeeds::Tristate,    &LibraryNeeds::Grid,        &LibraryNeeds::Xml,
        &LibraryNeeds::SliderPips,  &LibraryNeeds::Cordova,     &LibraryNeeds::FontAwesome,
        &LibraryNeeds::Bootstrap,   &LibraryNeeds::TinyMce,     &LibraryNeeds::WebSocket,
        &LibraryNeeds::Mobile};
    uint8_t flags = size > 0 ? data[0] : 0;
    uint32_t needs = 0;
    for (size_t i = 1; i < 5 && i < size; ++i)
        needs |= static_cast<uint32_t>(data[i]) << (8 * (i - 1));
    const std::string rest = size > 5 ? Text(data + 5, size - 5) : std::string();
    size_t split = rest.find('\0');
    // Reading a template waits up to 20 seconds for a file of at most 5 bytes to grow, as for a
    // file another program is still writing; padding keeps the fuzzer from waiting on that.
    const std::string page = rest.substr(0, split) + "      ";
    std::string script = split == std::string::npos ? "" : rest.substr(split + 1);
    size_t second = script.find('\0');
    std::string additional;
    if (second != std::string::npos) {
        additional = script.substr(second + 1);
        script.resize(second);
    }

    Conversion conv;
    Prepare(conv);
    RunSettings& s = conv.Settings;
    static const char* const kEncodings[] = {"UTF8", "Unicode", "Ascii", "utf8"};
    s.Encoding = kEncodings[flags & 3];
    if (flags & 4) s.UseFlask = "1";
    conv.DebuggerFlag = flags & 8 ? "0" : "1";
    s.AdditionalScriptsAndStylesheets = additional;
    for (size_t i = 0; i < std::size(kNeeds); ++i)
        conv.Needs.*kNeeds[i] = (needs >> i) & 1;
    WriteTextFile(page, conv.SystemFolder + s.IndexPage, TextFormat::Utf8);
    conv.SourceText = WrapReadyHandler(conv, script);
    WriteApplicationScript(conv);
    WritePage(conv);
}

void ProfileStore(const uint8_t* data, size_t size) {
    const std::string text = Text(data, size);
    const std::string path = Folder().root + "Orvane.ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }
    (void)ProfileFileIsText(path);
    std::vector<Profile> loaded = LoadProfiles(path);
    // Setwright saves what it read: every profile must come back under its name, and a second
    // save must write what the first wrote (the first may fill in defaults such as the page).
    std::string saved = FormatProfiles(loaded);
    std::vector<Profile> reread = ParseProfiles(saved);
    bool same = reread.size() == loaded.size();
    for (size_t i = 0; same && i < loaded.size(); ++i)
        same = reread[i].name == OneLine(loaded[i].name) &&
               reread[i].serverpath == OneLine(loaded[i].serverpath);
    std::string again = FormatProfiles(reread);
    std::string third = FormatProfiles(ParseProfiles(again));
    if (!same || third != again) {
        std::fprintf(stderr, "saved again:\n%s\nand once more:\n%s\n", again.c_str(),
                     third.c_str());
        std::abort();
    }
    for (const Profile& p : loaded)
        (void)ProfileNameFitsFile(p.name);
}

Target TargetNamed(const std::string& name) {
    if (name == "tokens") return Tokens;
    if (name == "translation") return Translation;
    if (name == "postprocess") return PostProcessing;
    if (name == "server") return ServerCode;
    if (name == "page") return PageAssembly;
    if (name == "profiles") return ProfileStore;
    return nullptr;
}

}  // namespace orvane::fuzz
