#include "converter/run/run.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "converter/page/page.h"
#include "converter/preprocess/preprocess.h"
#include "converter/program/translate_program.h"
#include "converter/run/directives.h"
#include "converter/run/source_assembly.h"
#include "converter/server/server.h"
#include "converter/translator/translate.h"
#include "platform/platform.h"
#include "profiles/profiles.h"

namespace orvane {

namespace {

// Length in characters (code points) of a UTF-8 text.
size_t CharacterCount(const std::string& text) {
    size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string Quoted(const std::string& value) {
    return "'" + value + "'";
}

// A local page address arrives wrapped in double quotes; a program started here gets the bare
// address as its one argument (the quotes were command-line syntax where the address came from).
std::string Unquoted(const std::string& address) {
    if (address.size() >= 2 && address.front() == '"' && address.back() == '"')
        return address.substr(1, address.size() - 2);
    return address;
}

// True when the file exists and was written at or after the given time.
bool WrittenSince(const std::string& path, int64_t sinceMs) {
    // Some file systems keep modification times in whole seconds.
    return FileExists(path) && FileModified(path) >= sinceMs - 2000;
}

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Starts a companion and waits for it; an error line when it cannot be started.
bool RunCompanion(Conversion& conv, const std::string& baseName,
                  const std::vector<std::string>& arguments) {
    std::string program = conv.ProgramFolder + ExecutableName(baseName);
    if (RunProgramAndWait(program, arguments, conv.ProgramFolder) < 0) {
        LogMessage(conv, "Couldn't start " + Quoted(program), true);
        return false;
    }
    return true;
}

void ReportSetting(Conversion& conv, const std::string& label, const std::string& value) {
    LogMessage(conv, "Setting " + label + " to: " + Quoted(value));
}

// Copies a profile value that is not empty into its field and reports it.
void TakeIfSet(Conversion& conv, std::string& field, const std::string& label,
               const std::string& value) {
    if (value.empty()) return;
    field = value;
    ReportSetting(conv, label, value);
}

void ApplyProfile(Conversion& conv, const Profile& p) {
    RunSettings& s = conv.Settings;
    s.ServerPath = p.serverpath;
    ReportSetting(conv, "ServerPath", s.ServerPath);
    s.IndexPage = p.indexpage.empty() ? "index.html" : p.indexpage;
    s.ServerAddress = p.serveraddress;
    ReportSetting(conv, "ServerAddress", s.ServerAddress);
    s.ApplicationName = p.applicationname;
    if (!s.ApplicationName.empty()) ReportSetting(conv, "ApplicationName", s.ApplicationName);
    s.Encoding = p.encoding;
    s.Theme = p.theme.empty() ? "smoothness" : p.theme;

    TakeIfSet(conv, s.CgiFilename, "CgiFilename", p.cgifilename);
    TakeIfSet(conv, s.CgiAddress, "CgiAddress", p.cgiaddress);
    TakeIfSet(conv, s.PhpFilename, "PhpFilename", p.phpfilename);
    TakeIfSet(conv, s.PhpAddress, "PhpAddress", p.phpaddress);
    TakeIfSet(conv, s.AspFilename, "AspFilename", p.aspfilename);
    TakeIfSet(conv, s.AspAddress, "AspAddress", p.aspaddress);
    TakeIfSet(conv, s.AspxFilename, "AspxFilename", p.aspxfilename);
    TakeIfSet(conv, s.AspxAddress, "AspxAddress", p.aspxaddress);
    TakeIfSet(conv, s.PythonFilename, "PythonFilename", p.pythonfilename);
    TakeIfSet(conv, s.PythonAddress, "PythonAddress", p.pythonaddress);
    TakeIfSet(conv, s.FtpHost, "FtpHost", p.ftphost);
    TakeIfSet(conv, s.FtpUser, "FtpUser", p.ftpuser);
    if (!p.ftppass.empty()) {
        s.FtpPass = p.ftppass;
        LogMessage(conv, "Setting FtpPass to: '***********'");
    }
    TakeIfSet(conv, s.NodeJsFilename, "NodeJsFilename", p.nodejsfilename);
    TakeIfSet(conv, s.NodeJsAddress, "NodeJsAddress", p.nodejsaddress);

    s.AdditionalScriptsAndStylesheets = p.additionalscriptsandstylesheets;
    s.AfterDoNothing = p.AfterConvertingDoNothing;
    s.AfterStartDefaultBrowser = p.AfterConvertingStartDefaultBrowser;
    s.AfterStartSpecificBrowser = p.AfterConvertingStartSpecificBrowser;
    s.SpecificBrowser = p.AfterConvertingSpecificBrowser;
}

bool HasProfile(const std::vector<Profile>& profiles, const std::string& name) {
    for (const Profile& p : profiles)
        if (p.name == name) return true;
    return false;
}

// Replaces a setting by its directive value when the directive gave one.
void Override(std::string& field, const std::string& directiveValue) {
    if (!directiveValue.empty()) field = directiveValue;
}

// The environment and argument checks before the source is read; false stops the run.
bool CheckEnvironment(Conversion& conv) {
    if (!FileExists(conv.CompilerPath)) {
        if (!conv.SkipSyntaxCheck) {
            LogMessage(conv, "PBCompiler not found: " + Quoted(conv.CompilerPath), true);
            return false;
        }
    } else if (conv.CompilerSearched) {
        LogMessage(conv, "PBCompiler: " + Quoted(conv.CompilerPath));
    }
    for (const char* companion : {"Setpicker", "Setwright"}) {
        if (!FileExists(conv.ProgramFolder + ExecutableName(companion))) {
            LogMessage(conv, ExecutableName(companion) + " not found", true);
            return false;
        }
    }
    if (!FolderExists(conv.SettingsFolder)) {
        LogMessage(conv, "Couldn't create AppDataPath", true);
        return false;
    }
    for (const char* table : {"constants.txt", "libraries.txt"}) {
        if (!FileExists(conv.ProgramFolder + table)) {
            LogMessage(conv, std::string(table) + " not found", true);
            return false;
        }
    }
    return true;
}

// Steps 9 to 22: from the argument to the assembled source with its directives scanned.
bool AssembleSource(Conversion& conv) {
    const auto& args = conv.Arguments;
    conv.SourceFile = args.empty() ? "" : args[0];
    if (conv.SourceFile.empty() && args.size() > 1) conv.SourceFile = args[1];
    if (conv.SourceFile.empty()) {
        LogMessage(conv, "Usage: Orvane sourcefile.pb", true);
        return false;
    }
    if (!FileExists(conv.SourceFile)) {
        LogMessage(conv, "File not found: " + Quoted(conv.SourceFile), true);
        return false;
    }
    conv.SourceText = ReadTextFile(conv.SourceFile) + "\r\n";
    ScanDirectives(conv, conv.SourceText);

    if (conv.Settings.ProfileName.empty() && !conv.ProjectFile.empty()) {
        conv.SourceFile = ProjectSourceFile(conv, conv.ProjectFile);
        // A project that names no existing main file would otherwise be waited for and then
        // converted as an empty program.
        if (!FileExists(conv.SourceFile)) {
            LogMessage(conv, "File not found: " + Quoted(conv.SourceFile), true);
            return false;
        }
        conv.SourceText = ReadTextFile(conv.SourceFile) + "\r\n";
    }

    LogMessage(conv, "SourceFile: " + Quoted(conv.SourceFile));
    LogMessage(conv, "SourceFileLength: " + Quoted(std::to_string(FileSize(conv.SourceFile))));
    LogMessage(conv,
               "PbFileContentSize: " + Quoted(std::to_string(CharacterCount(conv.SourceText))));

    if (!IncludesOrvPbi(conv.SourceText)) {
        LogMessage(conv, "orv.pbi is not included!", true);
        return false;
    }
    if (!SyntaxCheck(conv)) {
        LogMessage(conv, "SyntaxCheck failed", true);
        return false;
    }
    conv.SourceText =
        (conv.DebuggerFlag == "0" ? "DisableDebugger\r\n" : "EnableDebugger\r\n") + conv.SourceText;

    conv.SourceText = StripCommentBlocks(conv, conv.SourceText);
    if (conv.SourceText.empty()) {
        conv.RunFailed = true;
        return false;
    }
    conv.SourceText = ExpandIncludes(conv, conv.SourceText);
    conv.SourceText = StripCommentBlocks(conv, conv.SourceText);

    LogMessage(conv, "Analyzing CompilerInfos...");
    LogMessage(conv, "");
    ScanDirectives(conv, conv.SourceText);
    return true;
}

// Runs one text stage; an empty result means the stage failed and stops the run. A reported error
// alone does not stop it: the run converts and deploys completely and ends as failed.
template <typename Stage>
bool ApplyStage(Conversion& conv, Stage stage) {
    conv.SourceText = stage(conv.SourceText);
    if (!conv.SourceText.empty()) return true;
    conv.RunFailed = true;
    return false;
}

// Steps 25 to 32: server code, translation, page and deployment.
bool ConvertAndWrite(Conversion& conv) {
    for (ServerLanguage language :
         {ServerLanguage::Cgi, ServerLanguage::Php, ServerLanguage::Python, ServerLanguage::NodeJs,
          ServerLanguage::Aspx, ServerLanguage::Asp}) {
        if (!ApplyStage(conv,
                        [&](const std::string& t) { return RunServerPass(conv, language, t); }))
            return false;
    }

    if (!ApplyStage(conv, [&](const std::string& t) { return PreprocessSource(conv, t); }))
        return false;

    conv.SourceText = TranslateProgram(conv, conv.SourceText);
    // The translator has said why; an empty result stops without an error of its own.
    if (conv.SourceText.empty()) return false;

    conv.SourceText = WrapReadyHandler(conv, conv.SourceText);

    if (conv.Settings.DoNotCopy == 0) {
        LogMessage(conv, "");
        LogMessage(conv, "Copying...");
        CopySupportFiles(conv);
    }

    LogMessage(conv, "");
    LogMessage(conv, "Ready :-)");
    LogMessage(conv, "");

    const int64_t writeStart = NowMs();
    WriteApplicationScript(conv);
    WritePage(conv);
    // Opening the browser on a page that was not written would report a failure as success.
    const RunSettings& s = conv.Settings;
    std::vector<std::string> written{s.TargetFolderJS + s.ApplicationName + ".js"};
    if (s.DoNotCopy == 0) written.push_back(s.ServerPath + "index.html");
    for (const std::string& path : written) {
        if (!WrittenSince(path, writeStart)) {
            LogMessage(conv, "Couldn't write " + Quoted(path), true);
            return false;
        }
    }
    return true;
}

void EndOfRun(Conversion& conv) {
    if (conv.RunFailed) {
        LogMessage(conv, "");
        LogMessage(conv, "something went wrong! :-(");
        LogMessage(conv, "");
        return;
    }
    const RunSettings& s = conv.Settings;
    if (s.AfterStartDefaultBrowser == 1) {
        LogMessage(conv, "Running " + s.ServerAddress + "...");
        OpenWithDefaultHandler(s.ServerAddress);
    } else if (s.AfterStartSpecificBrowser == 1) {
        StartProgramDetached(Unquoted(s.SpecificBrowser), {Unquoted(s.ServerAddress)}, "");
    }
    conv.RunFinished = true;
}

}  // namespace

void PrepareConversion(Conversion& conv, const std::vector<std::string>& arguments) {
    conv.ProgramFolder = ProgramFolder();
    conv.SystemFolder = conv.ProgramFolder + "system/";
    conv.CompilerPath = GetEnv("PB_TOOL_Compiler");
    conv.CompilerSearched = conv.CompilerPath.empty();
    if (conv.CompilerSearched) conv.CompilerPath = FindPureBasicCompiler();
    conv.ProjectFile = GetEnv("PB_TOOL_Project");
    conv.ToolWord = GetEnv("PB_TOOL_Word");
    conv.DebuggerFlag = GetEnv("PB_TOOL_Debugger");
    conv.SettingsFolder = SettingsFolder("Quillmoor", "Orvane");
    conv.ProfileFile = conv.SettingsFolder + "Orvane.ini";
    MigrateSettingsFile();
    conv.Arguments = arguments;
    // Until a profile is applied, the run targets the temporary folder in UTF-8.
    conv.Settings.ServerPath = TempFolder();
    conv.Settings.Encoding = "UTF8";
}

bool SelectAndApplyProfile(Conversion& conv) {
    RunSettings& s = conv.Settings;
    std::vector<Profile> profiles = LoadProfiles(conv.ProfileFile);
    if (!s.ProfileName.empty() && !HasProfile(profiles, s.ProfileName)) {
        std::string question = "Profile '" + s.ProfileName + "' doesn't exists. Create a new one?";
        if (!conv.Ask || !conv.Ask("Orvane", question)) return false;
        if (!RunCompanion(conv, "Setwright", {s.ProfileName})) return false;
        if (!RunCompanion(conv, "Setpicker", {})) return false;
        s.ProfileName = ReadSelection();
        if (s.ProfileName.empty()) {
            LogMessage(conv, "No profile found", true);
            return false;
        }
    }
    profiles = LoadProfiles(conv.ProfileFile);

    s.ServerPath = TempFolder();
    s.IndexPage = "index.html";
    s.ServerAddress = "";
    s.Encoding = "UTF8";
    s.Theme = "smoothness";
    s.AdditionalScriptsAndStylesheets = "";
    s.AfterDoNothing = 0;
    s.AfterStartDefaultBrowser = 1;
    s.AfterStartSpecificBrowser = 0;
    s.SpecificBrowser = "";

    for (const Profile& p : profiles)
        if (p.name == s.ProfileName) ApplyProfile(conv, p);
    return true;
}

bool DeriveSettings(Conversion& conv) {
    RunSettings& s = conv.Settings;
    if (!s.TargetFolder.empty()) s.ServerPath = s.TargetFolder;
    if (s.ServerPath.empty()) {
        LogMessage(conv, "ServerPath is not set", true);
        return false;
    }
    s.ServerPath = WithSlash(s.ServerPath);
    if (!FolderExists(s.ServerPath)) {
        LogMessage(conv, "ServerPath doesn't exists: " + Quoted(s.ServerPath), true);
        return false;
    }
    if (!FileExists(conv.SystemFolder + s.IndexPage)) {
        LogMessage(conv, "IndexPage doesn't exists: " + Quoted(conv.SystemFolder + s.IndexPage),
                   true);
        return false;
    }

    Override(s.ApplicationName, s.ApplicationNameConfig);
    Override(s.ServerAddress, s.ServerAddressConfig);
    Override(s.AspFilename, s.AspFilenameConfig);
    Override(s.AspAddress, s.AspAddressConfig);
    Override(s.AspxFilename, s.AspxFilenameConfig);
    Override(s.AspxAddress, s.AspxAddressConfig);
    Override(s.CgiFilename, s.CgiFilenameConfig);
    Override(s.CgiAddress, s.CgiAddressConfig);
    Override(s.PhpFilename, s.PhpFilenameConfig);
    Override(s.PhpAddress, s.PhpAddressConfig);
    Override(s.NodeJsFilename, s.NodeJsFilenameConfig);
    Override(s.NodeJsAddress, s.NodeJsAddressConfig);
    Override(s.PythonFilename, s.PythonFilenameConfig);
    Override(s.PythonAddress, s.PythonAddressConfig);
    Override(s.UseFlask, s.UseFlaskConfig);
    Override(s.FlaskPort, s.FlaskPortConfig);

    if (s.ServerAddress.empty()) s.ServerAddress = "\"" + s.ServerPath + s.IndexPage + "\"";
    if (s.ApplicationName.empty()) s.ApplicationName = "application";
    if (s.TargetFolderJS.empty()) s.TargetFolderJS = s.ServerPath;
    if (s.ServerAddressJS.empty()) s.ServerAddressJS = s.ServerAddress;
    if (s.FlaskPort.empty()) s.FlaskPort = "5000";
    if (!s.UseFlask.empty()) {
        s.ServerAddress = s.ServerAddress + ":" + s.FlaskPort;
        s.PythonFilename = s.ServerPath + s.ApplicationName + ".py";
        s.TargetFolderJS = s.ServerPath + "static/";
        s.ServerPath = s.ServerPath + "templates/";
    }
    return true;
}

void RunConversion(Conversion& conv) {
    conv.SettingsFolder = SettingsFolder("Quillmoor", "Orvane");
    conv.ProfileFile = conv.SettingsFolder + "Orvane.ini";

    // The IDE's word under the cursor asks for the profile editor instead of a conversion.
    std::string setwright = conv.ProgramFolder + ExecutableName("Setwright");
    if (EqualsNoCase(conv.ToolWord, "orv_converter_setprofile") && FileSize(setwright) > 0) {
        StartProgramDetached(setwright, {}, conv.ProgramFolder);
        std::fflush(nullptr);
        std::_Exit(0);
    }

    if (CheckEnvironment(conv) && AssembleSource(conv) && SelectAndApplyProfile(conv) &&
        DeriveSettings(conv))
        ConvertAndWrite(conv);
    EndOfRun(conv);
}

}  // namespace orvane
