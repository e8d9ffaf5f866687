// The profile settings file and the selection file.
#include "profiles/profiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/platform.h"

using namespace orvane;

namespace {

std::string ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Points the settings folder at a fresh temporary folder for one test.
class SettingsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path().toStdString() + "/";
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldConfig_ = old ? old : "";
        hadConfig_ = old != nullptr;
        setenv("XDG_CONFIG_HOME", (root_ + "config").c_str(), 1);
    }
    void TearDown() override {
        if (hadConfig_)
            setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
    }
    QTemporaryDir dir_;
    std::string root_, oldConfig_;
    bool hadConfig_ = false;
};

}  // namespace

TEST(ProfileFormat, GroupsAndNames) {
    auto list = ParseProfiles(
        "[Profile:capital]\r\nserverpath = /x/\r\n"
        "[profile:ab profile:cd]\r\n"
        "[other]\r\napplicationname = lost\r\n"
        "[profile:twin]\r\napplicationname = first\r\n"
        "  [profile:twin]\r\napplicationname = second\r\n"
        "[profile:open\r\n");
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].name, "ab cd");
    EXPECT_EQ(list[0].applicationname, "");  // the entries of [other] belong to no profile
    EXPECT_EQ(list[1].name, "twin");
    EXPECT_EQ(list[2].name, "twin");
    EXPECT_EQ(list[2].applicationname, "second");
    EXPECT_EQ(list[3].name, "open");
    EXPECT_NE(FormatProfiles({list[0]}).find("[profile:ab cd]\r\n"), std::string::npos);
}

TEST(ProfileFormat, ValuesDefaultsAndTrimming) {
    auto list = ParseProfiles(
        "\xEF\xBB\xBF; a comment\r\n"
        "[profile:a]\r\n"
        "indexpage =   \r\n"
        "theme = \r\n"
        "\tserverpath\t =  /srv/www/  \r\n"
        "ftpuser =  bob  \r\n"
        "ServerAddress = ignored, keys are case-sensitive\r\n"
        "serveraddress = old\r\n"
        "serveraddress = new\r\n"
        "encoding=UTF8\n"
        "additionalscriptsandstylesheets = a.js[#CRLF$]b.css\r\n"
        "\r\n"
        "[profile:b]\r\n"
        "AfterConvertingDoNothing = 1\r\n"
        "AfterConvertingStartDefaultBrowser = 1\r\n"
        "AfterConvertingStartSpecificBrowser = x\r\n"
        "\r\n"
        "[profile:c]\r\n"
        "AfterConvertingStartSpecificBrowser = 0\r\n");
    ASSERT_EQ(list.size(), 3u);
    const Profile& a = list[0];
    EXPECT_EQ(a.indexpage, "index.html");  // present but empty
    EXPECT_EQ(list[1].indexpage, "");      // absent
    EXPECT_EQ(a.theme, "smoothness");
    EXPECT_EQ(list[1].theme, "smoothness");
    EXPECT_EQ(a.serverpath, "/srv/www/");
    EXPECT_EQ(a.ftpuser, "bob  ");  // untrimmed keys keep trailing blanks
    EXPECT_EQ(a.serveraddress, "new");
    EXPECT_EQ(a.encoding, "UTF8");
    EXPECT_EQ(a.additionalscriptsandstylesheets, "a.js\r\nb.css");
    EXPECT_EQ(a.AfterConvertingStartDefaultBrowser, 1);  // all three 0
    EXPECT_EQ(list[1].AfterConvertingDoNothing, 1);
    EXPECT_EQ(list[1].AfterConvertingStartDefaultBrowser, 1);
    EXPECT_EQ(list[1].AfterConvertingStartSpecificBrowser, 0);
    EXPECT_EQ(list[2].AfterConvertingStartDefaultBrowser, 1);
}

TEST(ProfileFormat, WellFormedFileRoundTripsByteForByte) {
    const std::string text =
        "[profile:Local]\r\n"
        "applicationname = demo\r\nindexpage = index.html\r\nserverpath = /var/www/demo/\r\n"
        "serveraddress = http://localhost/demo/\r\naspfilename = \r\naspaddress = \r\n"
        "aspxfilename = \r\naspxaddress = \r\ncgifilename = /var/www/cgi-bin/demo\r\n"
        "cgiaddress = http://localhost/cgi-bin/demo\r\nnodejsfilename = \r\nnodejsaddress = \r\n"
        "phpfilename = /var/www/demo/s.php\r\nphpaddress = http://localhost/demo/s.php\r\n"
        "pythonfilename = \r\npythonaddress = \r\nencoding = UTF8\r\ntheme = cupertino\r\n"
        "additionalscriptsandstylesheets = <script src=\"x.js\"></script>[#CRLF$]y.css\r\n"
        "AfterConvertingDoNothing = 0\r\nAfterConvertingStartDefaultBrowser = 0\r\n"
        "AfterConvertingStartSpecificBrowser = 1\r\n"
        "AfterConvertingSpecificBrowser = /usr/bin/chromium \r\n"
        "ftphost = ftp.example.org\r\nftpdirectory = /htdocs\r\nftpuser = me\r\nftppass = s3 "
        "cr=t\r\n"
        "\r\n"
        "[profile:Zweite Säule]\r\n"
        "applicationname = \r\nindexpage = start.html\r\nserverpath = C:\\www\\\r\nserveraddress = "
        "\r\n"
        "aspfilename = \r\naspaddress = \r\naspxfilename = \r\naspxaddress = \r\ncgifilename = \r\n"
        "cgiaddress = \r\nnodejsfilename = \r\nnodejsaddress = \r\nphpfilename = \r\nphpaddress = "
        "\r\n"
        "pythonfilename = \r\npythonaddress = \r\nencoding = \r\ntheme = smoothness\r\n"
        "additionalscriptsandstylesheets = \r\nAfterConvertingDoNothing = 1\r\n"
        "AfterConvertingStartDefaultBrowser = 0\r\nAfterConvertingStartSpecificBrowser = 0\r\n"
        "AfterConvertingSpecificBrowser = \r\nftphost = \r\nftpdirectory = \r\nftpuser = \r\n"
        "ftppass = \r\n";
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/Orvane.ini";
    WriteAll(path, "stale content that must go");
    ASSERT_TRUE(SaveProfiles(path, ParseProfiles(text)));
    EXPECT_EQ(ReadAll(path), text);
    auto again = LoadProfiles(path);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1].name, "Zweite Säule");
    EXPECT_EQ(again[0].ftppass, "s3 cr=t");
    // Nothing but the file itself is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(ProfileFormat, LineBreaksInsideValuesCannotSplitTheFile) {
    Profile p;
    p.name = "x";
    p.serverpath = "/srv/\nwww/";
    p.additionalscriptsandstylesheets = "a.js\nb.css\rc.css\r\n";
    p.ftppass = "p\r\nass";
    auto back = ParseProfiles(FormatProfiles({p, p}));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].serverpath, "/srv/ www/");
    EXPECT_EQ(back[1].additionalscriptsandstylesheets, "a.js\r\nb.css\r\nc.css\r\n");
    EXPECT_EQ(back[1].ftppass, "p  ass");
    EXPECT_TRUE(ProfileNameFitsFile("ok name"));
    EXPECT_FALSE(ProfileNameFitsFile("a]b"));
    EXPECT_FALSE(ProfileNameFitsFile("a\nb"));
}

TEST(ProfileFormat, ReadingOddFiles) {
    QTemporaryDir dir;
    std::string base = dir.path().toStdString() + "/";
    EXPECT_TRUE(LoadProfiles(base + "missing.ini").empty());
    EXPECT_TRUE(ProfileFileIsText(base + "missing.ini"));
    // Written on Windows in its 8-bit code page.
    WriteAll(base + "latin1.ini", "[profile:Caf\xE9]\r\n");
    auto latin = LoadProfiles(base + "latin1.ini");
    ASSERT_EQ(latin.size(), 1u);
    EXPECT_EQ(latin[0].name, "Caf\xC3\xA9");
    WriteAll(base + "utf16.ini", std::string("\xFF\xFE[\0p\0r\0o\0f\0i\0l\0e\0:\0x\0]\0", 24));
    EXPECT_TRUE(ProfileFileIsText(base + "utf16.ini"));
    EXPECT_EQ(LoadProfiles(base + "utf16.ini").size(), 1u);
    WriteAll(base + "binary.ini", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR[profile:x]", 27));
    EXPECT_FALSE(ProfileFileIsText(base + "binary.ini"));
    WriteAll(base + "odd.ini", "[profile:x]\r\n\fserverpath = \x1b[0m\r\n");
    EXPECT_TRUE(ProfileFileIsText(base + "odd.ini"));
    // Lines ended by a lone carriage return (old Macintosh files) are lines all the same.
    WriteAll(base + "mac.ini", "[profile:a]\rserverpath = /srv/\r\r[profile:b]\rtheme = x \r\n");
    auto mac = LoadProfiles(base + "mac.ini");
    ASSERT_EQ(mac.size(), 2u);
    EXPECT_EQ(mac[0].serverpath, "/srv/");
    EXPECT_EQ(mac[1].theme, "x");
    // Saving into a folder that does not exist fails and says so.
    EXPECT_FALSE(SaveProfiles(base + "no/such/Orvane.ini", latin));
}

TEST_F(SettingsFolderTest, FoldersAndSelectionFile) {
    std::string folder = OrvaneSettingsFolder();
    EXPECT_EQ(folder, root_ + "config/Quillmoor/Orvane/");
    EXPECT_TRUE(FolderExists(folder));
    EXPECT_EQ(ProfileSettingsFile(), folder + "Orvane.ini");
    EXPECT_EQ(ReadSelection(), "");  // no file yet
    ASSERT_TRUE(WriteSelection("My profile"));
    EXPECT_EQ(ReadAll(SelectionFile()), "SelectedProject = My profile\r\n");
    EXPECT_EQ(ReadSelection(), "My profile");
    ASSERT_TRUE(WriteSelection(""));
    EXPECT_EQ(ReadSelection(), "");
    WriteAll(SelectionFile(), "\xEF\xBB\xBFOther = 1\r\nSelectedProject=  Spaced \r\n");
    EXPECT_EQ(ReadSelection(), "Spaced ");
}

TEST_F(SettingsFolderTest, OldSettingsFileMovesOnlyWhenNotEmpty) {
    std::string old = ProgramFolder() + "Orvane.ini";
    ASSERT_FALSE(FileExists(old)) << "leftover " << old;
    WriteAll(old, "");
    MigrateSettingsFile();
    EXPECT_TRUE(FileExists(old));
    EXPECT_FALSE(FileExists(ProfileSettingsFile()));
    WriteAll(old, "[profile:moved]\r\n");
    MigrateSettingsFile();
    EXPECT_FALSE(FileExists(old));
    EXPECT_EQ(ReadAll(ProfileSettingsFile()), "[profile:moved]\r\n");
    // A settings file already in place is never overwritten.
    WriteAll(old, "[profile:older]\r\n");
    MigrateSettingsFile();
    EXPECT_EQ(ReadAll(ProfileSettingsFile()), "[profile:moved]\r\n");
    DeleteFile(old);
}
