#include "tests/cpp/run_harness.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace orvane::test {

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return SplitLines(buffer.str());
}

// Hard links (or copies, across file systems) of every file below from.
void LinkTree(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        std::error_code ec;
        fs::create_hard_link(entry.path(), target, ec);
        if (ec) fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    }
}

void CopyExecutable(const fs::path& from, const fs::path& to) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::permissions(to, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
}

void WriteExecutable(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
    fs::permissions(path, fs::perms::owner_all);
}

}  // namespace

struct RunSandbox::Folders {
    QTemporaryDir dir;
    explicit Folders(const QString& pattern) : dir(pattern) {}
};

bool RunResult::HasLine(const std::string& line) const {
    return std::find(outLines.begin(), outLines.end(), line) != outLines.end() ||
           std::find(errLines.begin(), errLines.end(), line) != errLines.end();
}

int RunResult::OutIndex(const std::string& line) const {
    auto it = std::find(outLines.begin(), outLines.end(), line);
    return it == outLines.end() ? -1 : static_cast<int>(it - outLines.begin());
}

RunSandbox::RunSandbox(CompanionChoice companions)
    : useRealCompanions_(companions == RealCompanions) {
    fs::path runs = fs::path(ORVANE_DIST_DIR).parent_path() / "test-runs";
    fs::create_directories(runs);
    folders_ = std::make_unique<Folders>(QString::fromStdString((runs / "run-XXXXXX").string()));
    if (std::getenv("ORVANE_KEEP_TEST_RUNS")) folders_->dir.setAutoRemove(false);
    for (const char* sub : {"program", "config", "tmp", "work", "server", "bin"})
        fs::create_directories(Root() + sub);
    compilerPath = std::string(ORVANE_SOURCE_DIR) + "/tests/fakes/pbcompiler";
    WriteExecutable(Root() + "bin/xdg-open",
                    "#!/bin/sh\nprintf '%s\\n' \"$*\" >>\"$FAKE_BROWSER_LOG\"\n");
    LayOutProgramFolder();
}

RunSandbox::~RunSandbox() = default;

std::string RunSandbox::Root() const {
    return folders_->dir.path().toStdString() + "/";
}
std::string RunSandbox::ProgramFolder() const {
    return Root() + "program/";
}
std::string RunSandbox::ConfigHome() const {
    return Root() + "config/";
}
std::string RunSandbox::SettingsFolder() const {
    return ConfigHome() + "Quillmoor/Orvane/";
}
std::string RunSandbox::TempFolder() const {
    return Root() + "tmp/";
}
std::string RunSandbox::WorkFolder() const {
    return Root() + "work/";
}
std::string RunSandbox::ServerFolder() const {
    return Root() + "server/";
}

void RunSandbox::LayOutProgramFolder() {
    const fs::path dist(ORVANE_DIST_DIR);
    const fs::path program(ProgramFolder());
    for (const auto& entry : fs::directory_iterator(dist)) {
        std::string name = entry.path().filename().string();
        bool companion = name == "Setwright" || name == "Setpicker";
        if (companion && !useRealCompanions_) continue;
        if (entry.is_directory()) {
            LinkTree(entry.path(), program / name);
        } else {
            std::error_code ec;
            fs::create_hard_link(entry.path(), program / name, ec);
            if (ec) fs::copy_file(entry.path(), program / name);
        }
    }
    if (!useRealCompanions_) {
        const fs::path fake = fs::path(ORVANE_SOURCE_DIR) / "tests/fakes/companion";
        for (const char* name : {"Setwright", "Setpicker"})
            CopyExecutable(fake, program / name);
    }
}

std::string RunSandbox::WriteFile(const std::string& path, const std::string& content) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::error_code ec;
    fs::remove(p, ec);  // never write through a hard link into build/dist
    std::ofstream(p, std::ios::binary) << content;
    return path;
}

void RunSandbox::RemoveFile(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string RunSandbox::WriteSource(const std::string& name, const std::string& content) {
    return WriteFile(WorkFolder() + name, content);
}

std::string RunSandbox::WriteProfiles(const std::string& content) {
    return WriteFile(SettingsFolder() + "Orvane.ini", content);
}

std::string RunSandbox::ReadFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

RunResult RunSandbox::Run(const std::vector<std::string>& arguments,
                          const std::vector<std::string>& options, int timeoutMs) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : env.keys())
        if (key.startsWith("PB_TOOL_") || key.startsWith("FAKE_") || key == "PUREBASIC_HOME")
            env.remove(key);
    if (!compilerPath.empty()) env.insert("PB_TOOL_Compiler", QString::fromStdString(compilerPath));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(ConfigHome()));
    env.insert("TMPDIR", QString::fromStdString(TempFolder()));
    env.insert("PATH", QString::fromStdString(Root() + "bin:") + env.value("PATH"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("FAKE_PBCOMPILER_LOG", QString::fromStdString(Root() + "compiler.log"));
    env.insert("FAKE_COMPANION_LOG", QString::fromStdString(Root() + "companions.log"));
    env.insert("FAKE_BROWSER_LOG", QString::fromStdString(Root() + "browser.log"));
    for (const auto& [key, value] : environment)
        env.insert(QString::fromStdString(key), QString::fromStdString(value));

    QStringList args{"--console"};
    for (const auto& o : options)
        args << QString::fromStdString(o);
    for (const auto& a : arguments)
        args << QString::fromStdString(a);

    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(WorkFolder()));
    process.start(QString::fromStdString(ProgramFolder() + "Orvane"), args);
    RunResult result;
    if (!process.waitForStarted(10000)) {
        result.err = "could not start Orvane: " + process.errorString().toStdString();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = "Orvane did not end within the time limit\n";
    }
    result.out = process.readAllStandardOutput().toStdString();
    result.err += process.readAllStandardError().toStdString();
    if (process.exitStatus() == QProcess::NormalExit) result.exitCode = process.exitCode();
    result.outLines = SplitLines(result.out);
    result.errLines = SplitLines(result.err);
    return result;
}

std::vector<std::string> RunSandbox::CompilerCalls() const {
    return FileLines(Root() + "compiler.log");
}
std::vector<std::string> RunSandbox::CompanionCalls() const {
    return FileLines(Root() + "companions.log");
}
std::vector<std::string> RunSandbox::BrowserLog() const {
    return FileLines(Root() + "browser.log");
}

}  // namespace orvane::test
