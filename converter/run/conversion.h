// One conversion is one record. Every stage is a free function that takes it by reference, so
// each stage can be run and tested alone, and the run has no hidden globals.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "converter/translator/tokens.h"

namespace orvane {

// Everything later stages need to know about the target of a run.
struct RunSettings {
    std::string IndexPage;
    std::string ServerPath;
    std::string TargetFolder;
    std::string ServerAddress;
    std::string ServerAddressConfig;
    std::string TargetFolderJS;
    std::string ServerAddressJS;
    std::string AspxFilename, AspxAddress;
    std::string AspxFilenameConfig, AspxAddressConfig;
    std::string AspFilename, AspAddress;
    std::string AspFilenameConfig, AspAddressConfig;
    std::string CgiFilename, CgiAddress;
    std::string CgiFilenameConfig, CgiAddressConfig;
    std::string NodeJsFilename, NodeJsAddress;
    std::string NodeJsFilenameConfig, NodeJsAddressConfig;
    std::string PhpFilename, PhpAddress;
    std::string PhpFilenameConfig, PhpAddressConfig;
    std::string PythonFilename, PythonAddress;
    std::string PythonFilenameConfig, PythonAddressConfig;
    std::string UseFlask;
    std::string UseFlaskConfig;
    std::string FlaskPort;
    std::string FlaskPortConfig;
    std::string ApplicationName;
    std::string ApplicationNameConfig;
    std::string Theme;
    std::string Encoding;
    std::string FtpHost, FtpUser, FtpPass;
    std::string AdditionalScriptsAndStylesheets;
    int DoNotCopy = 0;
    std::string ProfileName;
    int AfterDoNothing = 0;
    int AfterStartDefaultBrowser = 0;
    int AfterStartSpecificBrowser = 0;
    std::string SpecificBrowser;
};

// Which optional browser libraries the translated program uses; flags only go from 0 to 1.
struct LibraryNeeds {
    bool BlockUI = false;
    bool ColorPicker = false;
    bool Cipher = false;
    bool Database = false;
    bool DatePicker = false;
    bool FileSaver = false;
    bool GoogleChart = false;
    bool GoogleMap = false;
    bool Cookie = false;
    bool Hotkeys = false;
    bool Menubar = false;
    bool Pdf = false;
    bool Pixi = false;
    bool Storage = false;
    bool SaveImage = false;
    bool Splitter = false;
    bool TouchSwipe = false;
    bool FancyTree = false;
    bool Tristate = false;
    bool Grid = false;
    bool Xml = false;
    bool SliderPips = false;
    bool Cordova = false;
    bool FontAwesome = false;
    bool Bootstrap = false;
    bool TinyMce = false;
    bool WebSocket = false;
    bool Mobile = false;
};

// Receives every reported line, already prefixed with "Error: " when it is an error.
using LogSink = std::function<void(const std::string& line, bool error)>;
// Asks a Yes/No question (title, text); true means Yes.
using AskYesNo = std::function<bool(const std::string& title, const std::string& text)>;

struct Conversion {
    // Folders, all ending in "/".
    std::string ProgramFolder;
    std::string SystemFolder;
    std::string SettingsFolder;
    std::string ProfileFile;  // settings folder + "Orvane.ini"

    // The IDE's tool variables as they were at start.
    std::string CompilerPath;       // PB_TOOL_Compiler, or the compiler found without it
    bool CompilerSearched = false;  // PB_TOOL_Compiler was not set; the compiler was looked for
    bool SkipSyntaxCheck = false;   // --no-syntax-check
    std::string ProjectFile;        // PB_TOOL_Project
    std::string ToolWord;           // PB_TOOL_Word
    std::string DebuggerFlag;       // PB_TOOL_Debugger

    std::vector<std::string> Arguments;  // command-line arguments after the options
    std::string SourceFile;
    std::string SourceText;

    RunSettings Settings;
    TokenList Tokens;
    LibraryNeeds Needs;
    std::vector<std::string> SystemFiles;
    std::vector<std::string> IncludeBinaryFiles;
    int ServerLanguageCode = 0;  // which server pass ran last

    bool RunFailed = false;
    std::atomic<bool> RunFinished{false};

    LogSink Sink;
    AskYesNo Ask;
};

// The one way every stage reports. An error line gets the prefix "Error: " and fails the run.
void LogMessage(Conversion& conv, const std::string& text, bool error = false);

}  // namespace orvane
