// Whole converter runs for tests: a sandbox with its own program folder, settings folder and
// temporary folder, and `Orvane --console` run inside it.
//
//     RunSandbox box;                                  // fresh folders under build/test-runs/
//     box.WriteProfiles("[profile:web]\r\nserverpath = " + box.ServerFolder() + "\r\n");
//     std::string pb = box.WriteSource("main.pb",
//         "XIncludeFile \"orv.pbi\"\r\nORV_Converter_SetProfile(\"web\")\r\nDebug 1\r\n");
//     RunResult r = box.Run({pb});                     // Orvane --console main.pb
//     EXPECT_EQ(r.exitCode, 0);
//     EXPECT_TRUE(r.HasLine("Setting ServerPath to: '" + box.ServerFolder() + "'"));
//
// The program folder is a copy of build/dist made of hard links (Orvane, constants.txt,
// libraries.txt, orv.pbi, system/...): replace a file there with WriteFile or RemoveFile, never
// edit one in place, or build/dist changes too. Setwright and Setpicker are the stand-in
// tests/fakes/companion, or build/dist's own with RunSandbox(RealCompanions). Each run gets:
//   PB_TOOL_Compiler  tests/fakes/pbcompiler (set compilerPath to change it, "" to unset it)
//   XDG_CONFIG_HOME   ConfigHome(); the settings folder is SettingsFolder()
//   TMPDIR            TempFolder()
//   PATH              starts with a folder holding a stand-in xdg-open, so no browser opens;
//                     the addresses it was asked to open are in BrowserLog()
//   FAKE_PBCOMPILER_LOG, FAKE_COMPANION_LOG  files read by CompilerCalls(), CompanionCalls()
// PB_TOOL_Project, PB_TOOL_Word, PB_TOOL_Debugger and PUREBASIC_HOME are unset unless set in
// `environment`;
// every entry of `environment` is set for the run (an empty value sets the variable empty).
// The sandbox folder is removed when the RunSandbox goes out of scope (kept when the
// environment variable ORVANE_KEEP_TEST_RUNS is set).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

struct RunResult {
    std::string out;  // standard output
    std::string err;  // standard error
    int exitCode = -1;
    std::vector<std::string> outLines;
    std::vector<std::string> errLines;
    bool HasLine(const std::string& line) const;  // in either stream
    // Index of the line in standard output, -1 when it is not there.
    int OutIndex(const std::string& line) const;
};

enum CompanionChoice { FakeCompanions, RealCompanions };

struct RunSandbox {
    explicit RunSandbox(CompanionChoice companions = FakeCompanions);
    ~RunSandbox();
    RunSandbox(const RunSandbox&) = delete;
    RunSandbox& operator=(const RunSandbox&) = delete;

    std::string Root() const;            // ends in "/"
    std::string ProgramFolder() const;   // the copy of build/dist, ends in "/"
    std::string ConfigHome() const;      // XDG_CONFIG_HOME, ends in "/"
    std::string SettingsFolder() const;  // ConfigHome() + "Quillmoor/Orvane/"
    std::string TempFolder() const;      // TMPDIR, ends in "/"
    std::string WorkFolder() const;      // where WriteSource puts sources, ends in "/"
    std::string ServerFolder() const;    // an empty folder to deploy into, ends in "/"

    // Writes a file (creating its folders), replacing any hard link first. Returns the path.
    std::string WriteFile(const std::string& path, const std::string& content);
    void RemoveFile(const std::string& path);
    // WorkFolder() + name.
    std::string WriteSource(const std::string& name, const std::string& content);
    // The profile settings file in SettingsFolder().
    std::string WriteProfiles(const std::string& content);
    std::string ReadFile(const std::string& path) const;

    // Runs ProgramFolder() + "Orvane" --console, the extra options (such as "--answer=yes"),
    // then the arguments; waits at most timeoutMs.
    RunResult Run(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& options = {}, int timeoutMs = 60000);

    std::vector<std::string> CompilerCalls() const;   // one line of arguments per call
    std::vector<std::string> CompanionCalls() const;  // "Setwright name", "Setpicker"
    std::vector<std::string> BrowserLog() const;      // addresses handed to xdg-open

    std::map<std::string, std::string> environment;
    std::string compilerPath;  // default: tests/fakes/pbcompiler

  private:
    void LayOutProgramFolder();
    struct Folders;
    std::unique_ptr<Folders> folders_;
    bool useRealCompanions_;
};

}  // namespace orvane::test
