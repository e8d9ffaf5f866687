#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>

#include "converter/page/page.h"
#include "platform/platform.h"

namespace orvane {
namespace {

void Write(const std::string& path, const std::string& bytes) {
    CreateFolder(FolderPart(path));
    std::ofstream(path, std::ios::binary) << bytes;
}

void SetModified(const std::string& path, int64_t msecs) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::fromMSecsSinceEpoch(msecs), QFileDevice::FileModificationTime);
}

// A system folder with one file of each kind deployment treats differently, a source folder
// with a binary file, and an empty server folder.
struct DeployRun {
    QTemporaryDir dir;
    std::string root = dir.path().toStdString() + "/";
    std::string server = root + "server/";
    Conversion conv;
    std::vector<std::string> log;

    DeployRun() {
        conv.SystemFolder = root + "system/";
        conv.Settings.ServerPath = conv.Settings.TargetFolderJS = server;
        conv.SourceFile = root + "src/program.pb";
        CreateFolder(server);
        for (const char* file :
             {"index.html", "index_mobile.html", "Orvane.css", "templates/php.php",
              "templates/mine.txt", "usertemplates/dummy.txt", "libraries/jquery/jquery.min.js",
              "libraries/jquery.ui/themes/smoothness/jquery-ui.min.css",
              "libraries/fancytree/jquery.fancytree-all.min.js", "libraries/w2ui/w2ui.min.js",
              "libraries/jsPDF/jspdf.debug.js", "libraries/moment/demo/index.html",
              "userlibraries/google-maps-utility-library/keydragzoom/keydragzoom.js"})
            Write(conv.SystemFolder + file, file);
        Write(root + "src/data/picture.bin", "0123456789");
        conv.Sink = [this](const std::string& line, bool) { log.push_back(line); };
    }
    void Deploy() {
        log.clear();
        conv.SystemFiles.clear();
        ListFilesRecursive(conv, conv.SystemFolder);
        CopySupportFiles(conv);
    }
};

TEST(Deployment, ListsEveryFileWithSlashJoinedPaths) {
    DeployRun run;
    ListFilesRecursive(run.conv, run.conv.SystemFolder.substr(0, run.conv.SystemFolder.size() - 1));
    EXPECT_EQ(run.conv.SystemFiles.size(), 13u);
    EXPECT_NE(std::find(run.conv.SystemFiles.begin(), run.conv.SystemFiles.end(),
                        run.conv.SystemFolder + "libraries/jquery/jquery.min.js"),
              run.conv.SystemFiles.end());
}

TEST(Deployment, CopiesWhatTheProgramNeedsAndLeavesTheRest) {
    DeployRun run;
    run.conv.Needs.FancyTree = true;
    run.Deploy();
    EXPECT_TRUE(run.log.empty()) << run.log.front();
    for (const char* copied : {"Orvane.css", "templates/mine.txt", "libraries/jquery/jquery.min.js",
                               "libraries/jquery.ui/themes/smoothness/jquery-ui.min.css",
                               "libraries/fancytree/jquery.fancytree-all.min.js"})
        EXPECT_TRUE(FileExists(run.server + copied)) << copied;
    // "libraries/jspdf" also excludes "libraries/jsPDF"; a library's own demo page is an
    // "index.html" too.
    for (const char* left :
         {"index.html", "index_mobile.html", "templates/php.php", "usertemplates/dummy.txt",
          "libraries/w2ui", "libraries/jsPDF", "libraries/moment/demo/index.html", "userlibraries"})
        EXPECT_FALSE(QFile::exists(QString::fromStdString(run.server + left))) << left;

    run.conv.Needs.Pdf = run.conv.Needs.GoogleMap = true;
    run.Deploy();
    EXPECT_TRUE(FileExists(run.server + "libraries/jsPDF/jspdf.debug.js"));
    EXPECT_TRUE(FileExists(run.server +
                           "userlibraries/google-maps-utility-library/keydragzoom/keydragzoom.js"));
}

TEST(Deployment, SupportFilesAreComparedByDate) {
    DeployRun run;
    run.Deploy();
    const std::string target = run.server + "Orvane.css";
    ASSERT_EQ(FileModified(target), FileModified(run.conv.SystemFolder + "Orvane.css"));

    // Same date: a second run leaves the target alone, whatever it holds.
    Write(target, "edited by hand");
    SetModified(target, FileModified(run.conv.SystemFolder + "Orvane.css"));
    run.Deploy();
    EXPECT_TRUE(run.log.empty());
    EXPECT_EQ(ReadTextFileNow(target), "edited by hand");

    SetModified(run.conv.SystemFolder + "Orvane.css", 1000000000000);
    run.Deploy();
    EXPECT_EQ(ReadTextFileNow(target), "Orvane.css");
}

TEST(Deployment, IncludeBinaryFilesAreComparedBySize) {
    DeployRun run;
    run.conv.IncludeBinaryFiles = {"data/picture.bin"};
    const std::string source = run.root + "src/data/picture.bin";
    const std::string target = run.server + "data/picture.bin";
    run.Deploy();
    ASSERT_EQ(run.log.size(), 1u);
    EXPECT_EQ(run.log[0], "Copy file: '" + source + "' to '" + target + "': success");
    EXPECT_FALSE(run.conv.RunFailed);

    run.Deploy();
    EXPECT_TRUE(run.log.empty()) << "an unchanged file is not copied again";

    Write(source, "9876543210");  // same size, newer: left alone
    run.Deploy();
    EXPECT_TRUE(run.log.empty());
    EXPECT_EQ(ReadTextFileNow(target), "0123456789");

    Write(source, "a longer picture");
    SetModified(target, QDateTime::currentMSecsSinceEpoch() + 60000);  // newer, other size
    run.Deploy();
    ASSERT_EQ(run.log.size(), 1u);
    EXPECT_EQ(ReadTextFileNow(target), "a longer picture");

    run.conv.IncludeBinaryFiles = {"data/missing.bin"};
    run.Deploy();
    ASSERT_EQ(run.log.size(), 1u);
    EXPECT_EQ(run.log[0], "Error: Couldn't copy file: '" + run.root + "src/data/missing.bin' to '" +
                              run.server + "data/missing.bin'");
    EXPECT_TRUE(run.conv.RunFailed);
}

TEST(Deployment, TargetsOutsideTheServerFolderAreRefused) {
    DeployRun run;
    Write(run.root + "secret.bin", "secret");
    run.conv.IncludeBinaryFiles = {"../secret.bin", "data/../../server2/x.bin",
                                   run.root + "src/data/picture.bin", "..\\secret.bin"};
    run.Deploy();
    ASSERT_EQ(run.log.size(), 4u);
    for (const std::string& line : run.log) {
        EXPECT_EQ(line.rfind("Error: Refused to copy file: '", 0), 0u) << line;
        EXPECT_NE(line.find("outside the server folder"), std::string::npos) << line;
    }
    EXPECT_TRUE(run.conv.RunFailed);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(run.root + "server2")));
    EXPECT_EQ(ReadTextFileNow(run.root + "secret.bin"), "secret");
    EXPECT_FALSE(FileExists(run.server + "data/picture.bin"));
}

TEST(Deployment, MakeFolderCreatesParents) {
    DeployRun run;
    EXPECT_TRUE(MakeFolder(run.root + "a/b/c"));
    EXPECT_TRUE(FolderExists(run.root + "a/b/c/"));
    Write(run.root + "file", "x");
    EXPECT_FALSE(MakeFolder(run.root + "file/sub"));
}

}  // namespace
}  // namespace orvane
