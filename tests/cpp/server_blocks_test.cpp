#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <QTemporaryDir>

#include "converter/server/server.h"
#include "platform/platform.h"

using namespace orvane;

namespace {

RunSettings Addresses() {
    RunSettings s;
    s.PhpAddress = "http://h/s.php";
    s.CgiAddress = "http://h/s.cgi";
    s.PythonAddress = "http://h:8000";
    s.NodeJsAddress = "http://h:8080/";
    s.AspxAddress = "http://h/s.aspx";
    s.AspAddress = "http://h/s.asp";
    return s;
}

const std::string kHello = "ProcedureDLL.s Hello(name.s, greeting)\n! return 1\nEndProcedure";
const std::string kHelloAsync = "ProcedureCDLL.s Hello(name.s, greeting)\n! return 1\nEndProcedure";

// A program folder with one-line templates, so the pass can write its server program.
struct PassFixture {
    QTemporaryDir dir;
    Conversion conv;
    std::vector<std::string> log;
    std::string root;

    PassFixture() {
        root = dir.path().toStdString() + "/";
        conv.ProgramFolder = root;
        CreateFolder(root + "system/templates");
        for (const char* name :
             {"php.php", "python.py", "flask.py", "nodejs.js", "asp.asp", "aspx.aspx"})
            WriteTextFile(
                "<<// ### Orvane ServerCode ###|# ### Orvane ServerCode ###|"
                "' ### Orvane ServerCode ###>>",
                root + "system/templates/" + name, TextFormat::Utf8);
        conv.Settings = Addresses();
        conv.Settings.PhpFilename = root + "out.php";
        conv.Settings.NodeJsFilename = root + "out.js";
        conv.Settings.PythonFilename = root + "out.py";
        conv.Sink = [this](const std::string& line, bool) { log.push_back(line); };
    }
    std::string Written(const std::string& name) { return ReadTextFileNow(root + name); }
};

}  // namespace

TEST(ServerStubs, PhpSynchronousTextAndBinary) {
    RunSettings s = Addresses();
    std::string expected =
        "ProcedureDLL.s Hello(name.s, greeting)\n"
        "EnableJs\n"
        "; var returnValue; \n"
        "; $.ajax({ \n"
        "; \turl: 'http://h/s.php?request=' + arguments.callee.name, \n"
        "; \ttype: 'POST', \n"
        "; \tdata: arguments, \n"
        "; \tdataType: 'text', \n"
        "; \tprocessData: true, \n"
        "; \tasync: false, \n"
        "; \tcache: false, \n"
        "; \tsuccess: function(result) {\n"
        "; \t\treturnValue = result;\n"
        "; \t},\n"
        "; \terror: function(a, b, c) {\n"
        "; \t  returnValue = 'error: ' + b + '/' + c;\n"
        "; \t}\n"
        "; }); \n"
        "; return returnValue; \n"
        "DisableJs\n"
        "EndProcedure\n";
    EXPECT_EQ(SynchronousStub(s, ServerLanguage::Php, kHello), expected);

    std::string binary =
        SynchronousStub(s, ServerLanguage::Php, "ProcedureDLL.b Get()\nEndProcedure");
    EXPECT_NE(binary.find("; \tdataType: 'binary', \n; \tprocessData: false, \n"),
              std::string::npos);
    // The declaration decides, not its indentation.
    binary = SynchronousStub(s, ServerLanguage::Php, " \tProcedureDLL.b Get()\nEndProcedure");
    EXPECT_NE(binary.find("'binary'"), std::string::npos);
    EXPECT_EQ(binary.rfind(" \tProcedureDLL.b Get()\nEnableJs\n", 0), 0u);
}

TEST(ServerStubs, PhpAsynchronousTextAndBinary) {
    RunSettings s = Addresses();
    std::string expected =
        "ProcedureCDLL.s Hello(name.s, greeting)\n"
        "EnableJs\n"
        "; $.ajax({ \n"
        "; \turl: 'http://h/s.php?request=' + arguments.callee.name, \n"
        "; \ttype: 'POST', \n"
        "; \tdata: arguments, \n"
        "; \tdataType: 'text', \n"
        "; \tprocessData: true, \n"
        "; \tasync: true, \n"
        "; \tcache: false, \n"
        "; \tsuccess: function(result)  { if (typeof HelloCallback == 'function') "
        "HelloCallback(true, result) }, \n"
        "; \terror: function(a, b, c) { if (typeof HelloCallback == 'function') "
        "HelloCallback(false, b + '/' + c) } \n"
        "; }); \n"
        "DisableJs\n"
        "EndProcedure\n";
    EXPECT_EQ(AsynchronousStub(s, ServerLanguage::Php, kHelloAsync), expected);

    std::string binary =
        AsynchronousStub(s, ServerLanguage::Php, "ProcedureCDLL.b Pic(n)\nEndProcedure");
    EXPECT_NE(binary.find("; success: function(result) { \n;  if (typeof PicCallback == "
                          "'function') { \n;   // var reader = new window.FileReader(); \n;   "
                          "// reader.readAsDataURL(result); \n;   // reader.onloadend = "
                          "function() { \n;   // PicCallback(true, reader.result); \n;   "
                          "PicCallback(true, result); \n;   // } \n;  } \n; }, \n"),
              std::string::npos);
    // A blank before "(" still names the programmer's callback.
    EXPECT_NE(AsynchronousStub(s, ServerLanguage::Php, "ProcedureCDLL Hello (a)\nEndProcedure")
                  .find("typeof HelloCallback"),
              std::string::npos);
}

TEST(ServerStubs, CgiSendsNamedFields) {
    RunSettings s = Addresses();
    std::string expected =
        "ProcedureDLL.s Hello(name.s, greeting)\n"
        "Protected ReturnValue.s\n"
        "EnableJs\n"
        "; var params = jQuery.param( { 'orvrequest':'Hello','name': name, 'greeting': greeting "
        "} ); \n"
        "; $.ajax({ \n"
        "; \turl: 'http://h/s.cgi', \n"
        "; \ttype: 'POST', \n"
        "; \tdata: { 'orvrequest':'Hello','name': name, 'greeting': greeting }, \n"
        "; \tdataType: 'text', \n"
        "; \tprocessData: true, \n"
        "; \tasync: false, \n"
        "; \tcache: false, \n"
        "; \tsuccess: function (result)  { ReturnValue = result }, \n"
        "; \terror:   function (a, b, c) { ReturnValue = b + '/' + c } \n"
        "; }); \n"
        "DisableJs\n"
        "ProcedureReturn ReturnValue\n"
        "EndProcedure\n";
    EXPECT_EQ(SynchronousStub(s, ServerLanguage::Cgi, kHello), expected);

    // Binary: parameters in the query string, no data line; a procedure without parameters
    // still sends its name.
    std::string binary =
        SynchronousStub(s, ServerLanguage::Cgi, "ProcedureDLL.b Pic()\nEndProcedure");
    EXPECT_NE(binary.find("; var params = jQuery.param( { 'orvrequest':'Pic', } ); \n"),
              std::string::npos);
    EXPECT_NE(binary.find("; \turl: 'http://h/s.cgi?' + params, \n; \ttype: 'POST', \n; "
                          "\tdataType: 'binary', \n"),
              std::string::npos);
    EXPECT_EQ(binary.find("data:"), std::string::npos);

    std::string async = AsynchronousStub(s, ServerLanguage::Cgi, kHelloAsync);
    EXPECT_NE(async.find("; \tasync: true, \n; \tcache: false, \n; \tsuccess: function(result)  { "
                         "if (typeof HelloCallback == 'function') HelloCallback(true, result, "
                         "{'orvrequest':'Hello','name': name, 'greeting': greeting}) }, \n; "
                         "\terror:   function (a, b, c) { if (typeof HelloCallback == 'function') "
                         "HelloCallback(false, b + '/' + c) } \n; }); \nDisableJs\nEndProcedure\n"),
              std::string::npos);
}

TEST(ServerStubs, PythonWritesCacheBeforeAsync) {
    RunSettings s = Addresses();
    std::string expected =
        "ProcedureDLL.s Hello(name.s, greeting)\n"
        "Protected ReturnValue.s\n"
        "EnableJs\n"
        "; $.ajax({ \n"
        "; \turl: 'http://h:8000/' + arguments.callee.name, \n"
        "; \ttype: 'POST', \n"
        "; \tdata: arguments, \n"
        "; \tdataType: 'text', \n"
        "; \tcache: false, \n"
        "; \tasync: false, \n"
        "; \tsuccess: function (result)  { ReturnValue = result }, \n"
        "; \terror:   function (a, b, c) { ReturnValue = b + '/' + c } \n"
        "; }); \n"
        "DisableJs\n"
        "ProcedureReturn ReturnValue\n"
        "EndProcedure\n";
    EXPECT_EQ(SynchronousStub(s, ServerLanguage::Python, kHello), expected);

    s.UseFlask = "1";
    std::string async = AsynchronousStub(s, ServerLanguage::Python, kHelloAsync);
    EXPECT_NE(async.find("; \turl: '/' + arguments.callee.name, \n"), std::string::npos);
    EXPECT_NE(async.find("; \tcache: false, \n; \tasync: true, \n; \tsuccess: function (result)  { "
                         "if (typeof HelloCallback == 'function') HelloCallback(true, result) }, "
                         "\n; \terror:   function (a, b, c) { if (typeof HelloCallback == "
                         "'function') HelloCallback(false, b + '/' + c) } \n"),
              std::string::npos);
}

TEST(ServerStubs, NodeJsAspxAndAsp) {
    RunSettings s = Addresses();
    std::string node = SynchronousStub(s, ServerLanguage::NodeJs, kHello);
    EXPECT_NE(node.find("; $.ajax({ \n; \turl: 'http://h:8080/?request=' + arguments.callee.name, "
                        "\n; \ttype: 'POST', \n; \tdata: arguments, \n; \tdataType: 'text', \n; "
                        "\tasync: false, \n; \tcache: false, \n"),
              std::string::npos);
    EXPECT_EQ(AsynchronousStub(s, ServerLanguage::NodeJs, kHelloAsync), "");

    std::string aspx = SynchronousStub(s, ServerLanguage::Aspx, "ProcedureDLL Now()\nEndProcedure");
    EXPECT_NE(aspx.find("; \turl: 'http://h/s.aspx?request=Now', \n; \ttype: 'POST', \n; "
                        "\tdataType: 'text', \n"),
              std::string::npos);
    std::string asp = AsynchronousStub(s, ServerLanguage::Asp, kHelloAsync);
    EXPECT_NE(asp.find("; \turl: 'http://h/s.asp?request=Hello', \n; \ttype: 'POST', \n; \tdata: "
                       "{ 'name': name, 'greeting': greeting }, \n; \tdataType: 'text', \n; "
                       "\tasync: true, \n; \tcache: false, \n; \tsuccess: function (result)  { "
                       "if (typeof HelloCallback == 'function') HelloCallback(true, result) }, \n"),
              std::string::npos);

    ProcedureParameters map = ParameterMap("ProcedureDLL.s Save(a.s, b)\nEndProcedure");
    EXPECT_EQ(map.Name, "Save");
    EXPECT_EQ(map.Map, "'a': a, 'b': b");
    // A default value is not a parameter name.
    EXPECT_EQ(ParameterMap("Procedure Save(a.s = \"x\", *p)").Map, "'a': a, '*p': *p");
}

TEST(ServerPass, ReplacesBlocksAndCollectsTheirCode) {
    PassFixture f;
    std::string source =
        "OpenWindow()\n"
        "EnablePHP\n"
        "! $counter = 1;\n"
        "ProcedureDLL.s Hello(name.s)\n"
        "! return 'Hi ' . $name;\n"
        "EndProcedure\n"
        "ProcedureCDLL Later(a)\n"
        "! return $a;\n"
        "EndProcedure\n"
        "DisablePHP\n"
        "Debug Hello(\"x\")\n";
    std::string out = RunServerPass(f.conv, ServerLanguage::Php, source);
    EXPECT_EQ(f.conv.ServerLanguageCode, 3);
    ASSERT_EQ(out.rfind("OpenWindow()\nProcedureDLL.s Hello(name.s)\nEnableJs\n", 0), 0u);
    EXPECT_NE(out.find("EndProcedure\n\nProcedureCDLL Later(a)\nEnableJs\n"), std::string::npos);
    EXPECT_NE(out.find("EndProcedure\n\n\nDebug Hello(\"x\")\n"), std::string::npos);
    EXPECT_EQ(out.find("$counter"), std::string::npos);
    std::string program = f.Written("out.php");
    EXPECT_NE(program.find("$counter = 1;"), std::string::npos);
    EXPECT_NE(program.find("function Hello ( $name ) {"), std::string::npos);
    EXPECT_FALSE(f.conv.RunFailed);

    // No block of this language: unchanged, nothing written.
    Conversion other;
    EXPECT_EQ(RunServerPass(other, ServerLanguage::Asp, source), source);
    EXPECT_EQ(other.ServerLanguageCode, 6);
}

TEST(ServerPass, MarkerRecognition) {
    PassFixture f;
    // Lower-case markers start a block, and its code still reaches the server program.
    std::string out = RunServerPass(f.conv, ServerLanguage::NodeJs,
                                    "enablenodejs\nProcedureDLL.s Add(a, b)\n! function Add(a, b) "
                                    "{ return a + b; }\nEndProcedure\n  disablenodejs\n");
    EXPECT_NE(out.find("ProcedureDLL.s Add(a, b)\nProtected ReturnValue.s\n"), std::string::npos);
    EXPECT_NE(f.Written("out.js").find("function Add(a, b) { return a + b; }"), std::string::npos);

    // A blank before a tab does not start a block.
    std::string source = " \tEnablePHP\nProcedureDLL X()\nEndProcedure\nDisablePHP\n";
    EXPECT_EQ(RunServerPass(f.conv, ServerLanguage::Php, source), source);

    // A block that is never closed is reported.
    f.log.clear();
    f.conv.RunFailed = false;
    source = "EnablePHP\nProcedureDLL X()\nEndProcedure\nDisablePHP\nx\n  EnablePHP\n! echo 1;\n";
    out = RunServerPass(f.conv, ServerLanguage::Php, source);
    EXPECT_TRUE(f.conv.RunFailed);
    EXPECT_NE(
        std::find(
            f.log.begin(), f.log.end(),
            "Error: 'EnablePHP' in line 6 has no 'DisablePHP': its code stays in the program"),
        f.log.end());

    // A Node.js block with only an asynchronous procedure: no stub, and the programmer is told.
    f.log.clear();
    out = RunServerPass(f.conv, ServerLanguage::NodeJs,
                        "EnableNodeJs\nProcedureCDLL.s Later()\nEndProcedure\nDisableNodeJs\nx\n");
    EXPECT_EQ(out, "\nx\n");
    EXPECT_TRUE(f.conv.RunFailed);
}

TEST(ServerPass, IdenticalBlocksDeclareTheirProceduresOnce) {
    PassFixture f;
    std::string block =
        "EnablePython\nProcedureDLL Twice()\n! return 'x'\nEndProcedure\nDisablePython\n";
    std::string out = RunServerPass(f.conv, ServerLanguage::Python, block + "a\n" + block);
    EXPECT_EQ(CountOf(out, "Protected ReturnValue.s"), 2u);
    EXPECT_EQ(CountOf(f.Written("out.py"), "def "), 1u);
}

TEST(ServerPass, MissingSettingStopsTheRun) {
    PassFixture f;
    f.conv.Settings.PhpAddress = "";
    std::string source = "EnablePHP\nProcedureDLL A()\nEndProcedure\nDisablePHP\n";
    EXPECT_EQ(RunServerPass(f.conv, ServerLanguage::Php, source), "");
    EXPECT_EQ(f.log, (std::vector<std::string>{
                         "", "Error: Found ServerCode but 'PhpAddress' is empty", ""}));
}
