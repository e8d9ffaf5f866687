// Profile selection and application, and the settings derived from them, on one Conversion.
#include <gtest/gtest.h>

#include <cstdlib>

#include "converter/run/run.h"
#include "platform/platform.h"
#include "tests/cpp/run_harness.h"

using namespace orvane;
using namespace orvane::test;

namespace {

// A conversion whose folders are those of a sandbox and whose lines are collected.
struct ProfileRun {
    RunSandbox box;
    Conversion conv;
    std::vector<std::string> lines;
    std::vector<std::string> questions;
    bool answer = false;

    ProfileRun() {
        // The selection file is read from the settings folder of this process.
        setenv("XDG_CONFIG_HOME", box.ConfigHome().c_str(), 1);
        setenv("FAKE_COMPANION_LOG", (box.Root() + "companions.log").c_str(), 1);
        unsetenv("FAKE_COMPANION_SELECT");
        unsetenv("FAKE_COMPANION_ADD_SERVERPATH");
        conv.ProgramFolder = box.ProgramFolder();
        conv.SystemFolder = box.ProgramFolder() + "system/";
        conv.SettingsFolder = box.SettingsFolder();
        conv.ProfileFile = box.SettingsFolder() + "Orvane.ini";
        conv.Settings.ServerPath = box.TempFolder();
        conv.Settings.Encoding = "UTF8";
        conv.Sink = [this](const std::string& line, bool) { lines.push_back(line); };
        conv.Ask = [this](const std::string& title, const std::string& text) {
            questions.push_back(title + ": " + text);
            return answer;
        };
        box.WriteFile(conv.SystemFolder + "index.html", "<html></html>\n");
    }
    ~ProfileRun() {
        unsetenv("FAKE_COMPANION_LOG");
        unsetenv("FAKE_COMPANION_SELECT");
        unsetenv("FAKE_COMPANION_ADD_SERVERPATH");
    }
};

const char* kFullProfile =
    "[profile:web]\r\n"
    "applicationname = shop\r\n"
    "indexpage = \r\n"
    "serverpath = /srv/www/\r\n"
    "serveraddress = http://localhost/shop/\r\n"
    "aspfilename = a.asp\r\n"
    "aspxfilename = \r\n"
    "cgifilename = /srv/cgi/shop.cgi\r\n"
    "cgiaddress = http://localhost/cgi/shop.cgi\r\n"
    "nodejsaddress = http://localhost:3000/\r\n"
    "phpfilename = /srv/www/shop.php\r\n"
    "pythonaddress = http://localhost/py\r\n"
    "encoding = \r\n"
    "theme = redmond\r\n"
    "additionalscriptsandstylesheets = a.js[#CRLF$]b.css\r\n"
    "AfterConvertingDoNothing = 0\r\n"
    "AfterConvertingStartDefaultBrowser = 0\r\n"
    "AfterConvertingStartSpecificBrowser = 1\r\n"
    "AfterConvertingSpecificBrowser = /usr/bin/chromium\r\n"
    "ftphost = ftp.example.org\r\n"
    "ftpuser = me\r\n"
    "ftppass = secret\r\n";

}  // namespace

TEST(ProfileSelection, AppliesTheNamedProfileAndReportsEachSetting) {
    ProfileRun run;
    run.box.WriteProfiles(std::string("[profile:other]\r\nserverpath = /nowhere/\r\n\r\n") +
                          kFullProfile);
    run.conv.Settings.ProfileName = "web";
    ASSERT_TRUE(SelectAndApplyProfile(run.conv));
    EXPECT_EQ(run.lines, (std::vector<std::string>{
                             "Setting ServerPath to: '/srv/www/'",
                             "Setting ServerAddress to: 'http://localhost/shop/'",
                             "Setting ApplicationName to: 'shop'",
                             "Setting CgiFilename to: '/srv/cgi/shop.cgi'",
                             "Setting CgiAddress to: 'http://localhost/cgi/shop.cgi'",
                             "Setting PhpFilename to: '/srv/www/shop.php'",
                             "Setting AspFilename to: 'a.asp'",
                             "Setting PythonAddress to: 'http://localhost/py'",
                             "Setting FtpHost to: 'ftp.example.org'",
                             "Setting FtpUser to: 'me'",
                             "Setting FtpPass to: '***********'",
                             "Setting NodeJsAddress to: 'http://localhost:3000/'",
                         }));
    const RunSettings& s = run.conv.Settings;
    EXPECT_EQ(s.IndexPage, "index.html");
    EXPECT_EQ(s.Encoding, "");  // an empty encoding replaces the default
    EXPECT_EQ(s.Theme, "redmond");
    EXPECT_EQ(s.FtpPass, "secret");
    EXPECT_EQ(s.AdditionalScriptsAndStylesheets, "a.js\r\nb.css");
    EXPECT_EQ(s.AfterStartDefaultBrowser, 0);
    EXPECT_EQ(s.AfterStartSpecificBrowser, 1);
    EXPECT_EQ(s.SpecificBrowser, "/usr/bin/chromium");
    EXPECT_TRUE(run.questions.empty());
}

TEST(ProfileSelection, WithoutProfileNameOnlyDefaultsHold) {
    ProfileRun run;
    run.box.WriteProfiles(kFullProfile);
    run.conv.Settings.ApplicationName = "kept";
    ASSERT_TRUE(SelectAndApplyProfile(run.conv));
    EXPECT_TRUE(run.lines.empty());
    const RunSettings& s = run.conv.Settings;
    EXPECT_EQ(s.ServerPath, orvane::TempFolder());
    EXPECT_EQ(s.IndexPage, "index.html");
    EXPECT_EQ(s.Encoding, "UTF8");
    EXPECT_EQ(s.Theme, "smoothness");
    EXPECT_EQ(s.AfterStartDefaultBrowser, 1);
    EXPECT_EQ(s.ApplicationName, "kept");
}

TEST(ProfileSelection, ProfilesOfTheSameNameApplyInOrder) {
    ProfileRun run;
    run.box.WriteProfiles(
        "[profile:p]\r\nserverpath = /one/\r\nphpfilename = one.php\r\n\r\n"
        "[profile:p]\r\nserverpath = /two/\r\n\r\n"
        "[profile:P]\r\nserverpath = /other-case/\r\n");
    run.conv.Settings.ProfileName = "p";
    ASSERT_TRUE(SelectAndApplyProfile(run.conv));
    EXPECT_EQ(run.conv.Settings.ServerPath, "/two/");
    EXPECT_EQ(run.conv.Settings.PhpFilename, "one.php");  // the later one sets none
}

TEST(ProfileSelection, UnknownProfileAnsweredNoStopsWithoutError) {
    ProfileRun run;
    run.box.WriteProfiles(kFullProfile);
    run.conv.Settings.ProfileName = "missing";
    EXPECT_FALSE(SelectAndApplyProfile(run.conv));
    EXPECT_EQ(run.questions, std::vector<std::string>{
                                 "Orvane: Profile 'missing' doesn't exists. Create a new one?"});
    EXPECT_FALSE(run.conv.RunFailed);
    EXPECT_TRUE(run.lines.empty());
    EXPECT_TRUE(run.box.CompanionCalls().empty());
    EXPECT_EQ(run.conv.Settings.AfterStartDefaultBrowser, 0);  // no browser after this stop
}

TEST(ProfileSelection, UnknownProfileAnsweredYesRunsTheCompanions) {
    ProfileRun run;
    run.answer = true;
    run.conv.Settings.ProfileName = "fresh";
    setenv("FAKE_COMPANION_ADD_SERVERPATH", "/srv/fresh/", 1);
    setenv("FAKE_COMPANION_SELECT", "fresh", 1);
    ASSERT_TRUE(SelectAndApplyProfile(run.conv));
    EXPECT_EQ(run.box.CompanionCalls(), (std::vector<std::string>{"Setwright fresh", "Setpicker"}));
    EXPECT_EQ(run.conv.Settings.ServerPath, "/srv/fresh/");
    EXPECT_EQ(run.lines.front(), "Setting ServerPath to: '/srv/fresh/'");
}

TEST(ProfileSelection, NoSelectionAfterTheCompanionsIsAnError) {
    ProfileRun run;
    run.answer = true;
    run.conv.Settings.ProfileName = "fresh";
    setenv("FAKE_COMPANION_SELECT", "", 1);  // Setpicker cancelled
    EXPECT_FALSE(SelectAndApplyProfile(run.conv));
    EXPECT_EQ(run.lines, std::vector<std::string>{"Error: No profile found"});
    EXPECT_TRUE(run.conv.RunFailed);

    // A companion that cannot be started leaves an old selection file unread.
    ProfileRun broken;
    broken.answer = true;
    broken.conv.Settings.ProfileName = "fresh";
    broken.box.WriteFile(broken.box.SettingsFolder() + "Setpicker.ini",
                         "SelectedProject = old\r\n");
    broken.box.WriteFile(broken.box.ProgramFolder() + "Setwright", "");  // not executable
    EXPECT_FALSE(SelectAndApplyProfile(broken.conv));
    ASSERT_EQ(broken.lines.size(), 1u);
    EXPECT_EQ(broken.lines[0],
              "Error: Couldn't start '" + broken.box.ProgramFolder() + "Setwright'");
}

TEST(DerivedSettings, CompletesAddressesAndNames) {
    ProfileRun run;
    RunSettings& s = run.conv.Settings;
    s.ServerPath = run.box.ServerFolder().substr(0, run.box.ServerFolder().size() - 1);
    s.IndexPage = "index.html";
    ASSERT_TRUE(DeriveSettings(run.conv));
    EXPECT_EQ(s.ServerPath, run.box.ServerFolder());
    EXPECT_EQ(s.ServerAddress, "\"" + run.box.ServerFolder() + "index.html\"");
    EXPECT_EQ(s.ServerAddressJS, s.ServerAddress);
    EXPECT_EQ(s.TargetFolderJS, run.box.ServerFolder());
    EXPECT_EQ(s.ApplicationName, "application");
    EXPECT_EQ(s.FlaskPort, "5000");
    EXPECT_TRUE(run.lines.empty());
}

TEST(DerivedSettings, DirectivesOverrideTheProfile) {
    ProfileRun run;
    RunSettings& s = run.conv.Settings;
    s.ServerPath = "/not/used/";
    s.TargetFolder = run.box.ServerFolder();
    s.IndexPage = "index.html";
    s.ApplicationName = "fromprofile";
    s.ApplicationNameConfig = "fromsource";
    s.PhpAddress = "http://profile/";
    s.PhpAddressConfig = "http://source/";
    s.CgiFilename = "keep.cgi";
    s.ServerAddressConfig = "http://example.org";
    ASSERT_TRUE(DeriveSettings(run.conv));
    EXPECT_EQ(s.ServerPath, run.box.ServerFolder());
    EXPECT_EQ(s.ApplicationName, "fromsource");
    EXPECT_EQ(s.PhpAddress, "http://source/");
    EXPECT_EQ(s.CgiFilename, "keep.cgi");
    EXPECT_EQ(s.ServerAddress, "http://example.org");
}

TEST(DerivedSettings, FlaskMovesPageAndScriptsIntoItsFolders) {
    ProfileRun run;
    RunSettings& s = run.conv.Settings;
    s.ServerPath = run.box.ServerFolder();
    s.IndexPage = "index.html";
    s.ServerAddress = "http://127.0.0.1";
    s.UseFlaskConfig = "1";
    s.FlaskPortConfig = "8080";
    s.ApplicationNameConfig = "app";
    ASSERT_TRUE(DeriveSettings(run.conv));
    EXPECT_EQ(s.ServerAddress, "http://127.0.0.1:8080");
    EXPECT_EQ(s.ServerAddressJS, "http://127.0.0.1");  // taken before the port is added
    EXPECT_EQ(s.PythonFilename, run.box.ServerFolder() + "app.py");
    EXPECT_EQ(s.TargetFolderJS, run.box.ServerFolder() + "static/");
    EXPECT_EQ(s.ServerPath, run.box.ServerFolder() + "templates/");
}

TEST(DerivedSettings, ErrorsStopTheRun) {
    {
        ProfileRun run;
        run.conv.Settings.ServerPath = "";
        EXPECT_FALSE(DeriveSettings(run.conv));
        EXPECT_EQ(run.lines, std::vector<std::string>{"Error: ServerPath is not set"});
    }
    {
        ProfileRun run;
        run.conv.Settings.ServerPath = run.box.Root() + "absent";
        EXPECT_FALSE(DeriveSettings(run.conv));
        EXPECT_EQ(run.lines, std::vector<std::string>{"Error: ServerPath doesn't exists: '" +
                                                      run.box.Root() + "absent/'"});
    }
    {
        ProfileRun run;
        run.conv.Settings.ServerPath = run.box.ServerFolder();
        run.conv.Settings.IndexPage = "index_absent.html";
        EXPECT_FALSE(DeriveSettings(run.conv));
        EXPECT_EQ(run.lines,
                  std::vector<std::string>{"Error: IndexPage doesn't exists: '" +
                                           run.conv.SystemFolder + "index_absent.html'"});
        EXPECT_TRUE(run.conv.RunFailed);
    }
}
