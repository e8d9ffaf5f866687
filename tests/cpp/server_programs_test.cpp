#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>

#include "converter/server/server.h"
#include "platform/platform.h"

using namespace orvane;

namespace {

const std::string kCode =
    "ProcedureDLL.s Hello(name.s, greeting)\n! x\nEndProcedure\nProcedureCDLL "
    "Count()\nEndProcedure\n";

struct ProgramFixture {
    QTemporaryDir dir;
    Conversion conv;
    std::vector<std::string> log;
    std::string root;

    ProgramFixture() {
        root = dir.path().toStdString() + "/";
        conv.ProgramFolder = root;
        CreateFolder(root + "system/templates");
        CreateFolder(root + "system/usertemplates");
        conv.Sink = [this](const std::string& line, bool) { log.push_back(line); };
    }
    void Template(const std::string& folder, const std::string& name, const std::string& text) {
        WriteTextFile(text, root + "system/" + folder + "/" + name, TextFormat::Utf8);
    }
    std::string Read(const std::string& name) { return ReadTextFileNow(root + name); }
};

}  // namespace

TEST(ServerPrograms, Dispatchers) {
    EXPECT_EQ(
        CgiDispatch(kCode),
        " Select Request \r\n"
        "\tCase \"hello\"\r\n"
        "\t\tReturnValue = Hello( GetValue(\"name\"),  GetValue(\"greeting\"))\r\n"
        "\tCase \"count\"\r\n"
        "\t\tReturnValue = Str(Count())\r\n"
        "\r\n Default \r\n   ReturnValue = \"unknown request: '\" + Request + \"'\"\r\n EndSelect");
    EXPECT_EQ(
        AspxDispatch("ProcedureDLL Now()\nEndProcedure"),
        "Dim myRequest As String : myRequest = LCase(Request.QueryString(\"request\"))\r\n\r\n"
        "Select Case myRequest\r\n"
        "\tCase \"now\"\r\n\t\tResponse.Write(Now())\r\n"
        "\r\nCase Else\r\n Response.Write(\"unknown request: '\" & myRequest & \"'\")\r\n"
        "End Select");
    EXPECT_EQ(AspDispatch(kCode),
              "Dim myRequest : myRequest = LCase(Request.QueryString(\"request\"))\r\n\r\n"
              "Select Case myRequest\r\n"
              "\tCase \"hello\"\r\n"
              "\t\tResponse.Write Hello (  GetValue(\"name\"),  GetValue(\"greeting\") ) \r\n"
              "\tCase \"count\"\r\n\t\tResponse.Write Count (  ) \r\n"
              "\r\nCase Else\r\n Response.Write \"unknown request: '\" & myRequest & \"'\"\r\n"
              "End Select");
    EXPECT_EQ(CgiDispatch("! no procedures here\n"), "");
}

TEST(ServerPrograms, NodeJsPortLine) {
    EXPECT_EQ(NodeJsPortLine("http://127.0.0.1:8080/x"), "var port = 8080;");
    EXPECT_EQ(NodeJsPortLine("HTTPS://example.org/"), "var port = 443;");
    EXPECT_EQ(NodeJsPortLine("http://example.org/"), "var port = 80;");
}

TEST(ServerPrograms, TemplatesAndPlaceholders) {
    ProgramFixture f;
    EXPECT_EQ(FindServerTemplate(f.root, "php.php"), "");
    f.Template("templates", "php.php", "A // ### Orvane ServerCode ### B");
    f.Template("usertemplates", "php.php", "");
    EXPECT_EQ(FindServerTemplate(f.root, "php.php"), f.root + "system/templates/php.php");
    f.Template("usertemplates", "php.php",
               "<?php\n// ### Orvane ServerCode ###\n// ### Orvane ServerProcedures ###\n"
               "// ### Orvane ServerCode ###");
    EXPECT_EQ(FindServerTemplate(f.root, "php.php"), f.root + "system/usertemplates/php.php");

    f.conv.Settings.PhpFilename = f.root + "s.php";
    f.conv.Settings.PhpAddress = "http://127.0.0.1/s.php";
    ASSERT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Php,
                                   "ProcedureDLL Hi()\n! return 'ü';\nEndProcedure\n"));
    std::string code = RewritePhp("ProcedureDLL Hi()\n! return 'ü';\nEndProcedure\n");
    // Every occurrence is replaced, and the text is written as UTF-8.
    EXPECT_EQ(f.Read("s.php"),
              "<?php\n" + code + "\n$OrvaneServerProcedures = array('hi' => 'Hi');\n" + code);
    EXPECT_FALSE(f.conv.RunFailed);

    // Node.js: the port line first, then the code, then the host the address names.
    f.Template(
        "templates", "nodejs.js",
        "// ### Orvane ServerPort ###|// ### Orvane ServerCode ###|// ### Orvane ServerHost ###");
    f.conv.Settings.NodeJsFilename = f.root + "s.js";
    f.conv.Settings.NodeJsAddress = "http://127.0.0.1:9123/";
    ASSERT_TRUE(WriteServerProgram(f.conv, ServerLanguage::NodeJs, "! var x = 1;\n"));
    EXPECT_EQ(f.Read("s.js"),
              "var port = 9123;| var VelkNodeJsFunctions = { }; \n var x = "
              "1;\n|var orvaneHost = '127.0.0.1';");

    // A missing template is an error, but the conversion goes on.
    f.conv.Settings.AspxFilename = f.root + "s.aspx";
    f.conv.Settings.AspxAddress = "http://x/s.aspx";
    EXPECT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Aspx, kCode));
    EXPECT_EQ(f.log.back(), "Error: no template found");
    EXPECT_TRUE(f.conv.RunFailed);
}

TEST(ServerPrograms, SettingChecks) {
    ProgramFixture f;
    f.Template("templates", "flask.py",
               "# ### Orvane ServerCode ###\nport=#FLASKPORT#\n# ### Orvane ServerHost ###");
    f.Template("templates", "python.py", "plain");
    RunSettings& s = f.conv.Settings;
    s.PythonFilename = f.root + "app.py";
    EXPECT_FALSE(WriteServerProgram(f.conv, ServerLanguage::Python, kCode));
    EXPECT_EQ(f.log, (std::vector<std::string>{
                         "", "Error: Found ServerCode but 'PythonAddress' is empty", ""}));
    // Any Flask setting means Flask: no address needed, flask.py used.
    s.UseFlask = "yes";
    s.FlaskPort = "5050";
    s.ServerAddress = "http://127.0.0.1:5050";
    ASSERT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Python, "! x = 1\n"));
    EXPECT_EQ(f.Read("app.py"), "\nx = 1\n\nport=5050\nORVANE_HOST = '127.0.0.1'");

    f.log.clear();
    s.AspFilename = f.root + "missing/s.asp";
    s.AspAddress = "http://x/s.asp";
    EXPECT_FALSE(WriteServerProgram(f.conv, ServerLanguage::Asp, kCode));
    EXPECT_EQ(f.log[1], "Error: Folder '" + f.root + "missing/ doesn't exist");
    f.log.clear();
    s.AspFilename = "";
    EXPECT_FALSE(WriteServerProgram(f.conv, ServerLanguage::Asp, kCode));
    EXPECT_EQ(f.log[1], "Error: Found ServerCode but 'ASPFilename' is empty");
    f.log.clear();
    EXPECT_FALSE(WriteServerProgram(f.conv, ServerLanguage::NodeJs, kCode));
    EXPECT_EQ(f.log[1], "Error: Found ServerCode but 'NodeJsFilename' is empty");

    // A server program that cannot be written is reported, not passed over.
    f.log.clear();
    f.conv.RunFailed = false;
    s.PythonFilename = f.root + "no/such/folder/app.py";
    EXPECT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Python, kCode));
    EXPECT_TRUE(f.conv.RunFailed);
}

TEST(ServerPrograms, CgiBuildThroughTheCompiler) {
    ProgramFixture f;
    f.Template("templates", "cgi.pb",
               "; ### Orvane ServerCode ###\n; ### Orvane RequestSelect ###\n");
    f.conv.SourceFile = f.root + "app.pb";
    f.conv.CompilerPath = ORVANE_SOURCE_DIR "/tests/fakes/pbcompiler";
    RunSettings& s = f.conv.Settings;
    s.CgiFilename = f.root + "app.cgi";
    s.CgiAddress = "http://127.0.0.1/cgi-bin/app.cgi";
    WriteTextFile("old program", s.CgiFilename, TextFormat::Utf8);
    std::string args = f.root + "args.txt";
    setenv("FAKE_PBCOMPILER_LOG", args.c_str(), 1);
    setenv("FAKE_PBCOMPILER_OUTPUT", "compiling\nlinking", 1);
    setenv("FAKE_PBCOMPILER_EXIT", "0", 1);

    ASSERT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Cgi, kCode));
    EXPECT_EQ(f.Read("tempcgi.pb"), kCode + "\n" + CgiDispatch(kCode) + "\n");
    EXPECT_EQ(f.Read("args.txt"), f.root + "tempcgi.pb /CONSOLE /EXE " + s.CgiFilename + "\n");
    EXPECT_EQ(f.log, (std::vector<std::string>{"Trying to delete '" + s.CgiFilename + "'. 1 try...",
                                               "compiling", "linking"}));
    EXPECT_FALSE(f.conv.RunFailed);

    // A failing compiler marks the run as failed, but the pass goes on.
    f.log.clear();
    setenv("FAKE_PBCOMPILER_EXIT", "1", 1);
    EXPECT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Cgi, kCode));
    EXPECT_EQ(f.log, (std::vector<std::string>{"Trying to delete '" + s.CgiFilename + "'. 1 try...",
                                               "compiling", "linking", "",
                                               "Error: Press return to continue", ""}));
    f.log.clear();
    f.conv.CompilerPath = f.root + "no-compiler";
    EXPECT_TRUE(WriteServerProgram(f.conv, ServerLanguage::Cgi, kCode));
    EXPECT_EQ(f.log, (std::vector<std::string>{"", "Error: Something went wrong :-(", ""}));
    unsetenv("FAKE_PBCOMPILER_LOG");
    unsetenv("FAKE_PBCOMPILER_OUTPUT");
    unsetenv("FAKE_PBCOMPILER_EXIT");
}
