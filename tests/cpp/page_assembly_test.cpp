#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "converter/page/page.h"
#include "platform/platform.h"

namespace orvane {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

size_t Count(const std::string& s, const std::string& what) {
    size_t n = 0;
    for (size_t pos = s.find(what); pos != std::string::npos; pos = s.find(what, pos + 1))
        ++n;
    return n;
}

// A run whose system folder holds the delivered templates and whose server folder is empty.
struct PageRun {
    QTemporaryDir dir;
    Conversion conv;
    std::vector<std::string> log;

    PageRun() {
        conv.SystemFolder = dir.path().toStdString() + "/system/";
        conv.Settings.ServerPath = dir.path().toStdString() + "/server/";
        CreateFolder(conv.SystemFolder);
        CreateFolder(conv.Settings.ServerPath);
        for (const char* name : {"index.html", "index_mobile.html"})
            WriteBytes(conv.SystemFolder + name,
                       ReadBytes(std::string(ORVANE_SOURCE_DIR) + "/system/" + name));
        conv.Settings.IndexPage = "index.html";
        conv.Settings.TargetFolderJS = conv.Settings.ServerPath;
        conv.Settings.ApplicationName = "application";
        conv.Settings.Theme = "smoothness";
        conv.Settings.Encoding = "UTF8";
        conv.Sink = [this](const std::string& line, bool) { log.push_back(line); };
    }
    std::string Page() {
        WritePage(conv);
        return ReadBytes(conv.Settings.ServerPath + "index.html");
    }
};

TEST(PageAssembly, ProgramWithoutLibrariesKeepsOnlyTheAlwaysPresentBlocks) {
    PageRun run;
    std::string page = run.Page();
    EXPECT_EQ(page.find("<!-- #"), std::string::npos) << page;
    EXPECT_EQ(page.find("\t\r\n"), std::string::npos);
    EXPECT_EQ(Count(page, "\n"), Count(page, "\r\n")) << "every line ends in CRLF";
    for (const char* present :
         {"\t<!-- jQuery (https://jquery.com/) -->\r\n\t<script "
          "src='libraries/jquery/jquery.min.js'></script>\r\n",
          "\t<!-- JQuery Migrate -->\r\n\t<script "
          "src='libraries/jquery/jquery-migrate.min.js'></script>\r\n",
          "<link rel='stylesheet' type='text/css' id='jquery_ui_stylesheet' "
          "href='libraries/jquery.ui/themes/smoothness/jquery-ui.min.css' />",
          "\t<link rel='stylesheet' type='text/css'  href='Orvane.css' />\r\n",
          "libraries/jquery.ui/jquery-ui.js", "libraries/jquery.color/jquery.color.js",
          "libraries/jquery.ui.dialogextend/jquery.ui.dialogextend.js",
          "libraries/moment/moment-with-locales.min.js",
          "libraries/jquery.ui.touch.punch/jquery.ui.touch.punch.improved.dev.js",
          "libraries/BinaryTransport/jquery.binarytransport.js",
          "<script src='libraries/orvane/orvane.js'></script>",
          "<script src='application.js'></script>", "url('wait.gif')"})
        EXPECT_NE(page.find(present), std::string::npos) << present;
    for (const char* absent : {"fancytree", "jquery.mobile", "w2ui", "Additional Scripts", "pixi",
                               "cordova.js", "maxcdn"})
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;
}

TEST(PageAssembly, FlagsInsertTheirBlocksExactly) {
    PageRun run;
    run.conv.DebuggerFlag = "0";
    run.conv.Needs.Pdf = true;
    run.conv.Needs.SaveImage = true;
    run.conv.Needs.GoogleChart = true;
    run.conv.Needs.FontAwesome = true;
    run.conv.Needs.Bootstrap = true;
    run.conv.Needs.SliderPips = true;
    run.conv.Settings.AdditionalScriptsAndStylesheets = "<script src='extra.js'></script>";
    std::string page = run.Page();
    EXPECT_NE(page.find("\t<!-- jsPDF (https://github.com/parallax/jsPDF) -->\r\n\t<script "
                        "src='libraries/jsPDF/jspdf.debug.js'></script>\r\n\t<!-- html2canvas "
                        "(https://html2canvas.hertzen.com/) -->\r\n\t<script "
                        "src='libraries/html2canvas/html2canvas.js'></script>\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("(https://github.com/simeydotme/jQuery-ui-Slider-Pips)  -->\r\n\t<link "
                        "rel='stylesheet' type='text/css'  "
                        "href='libraries/jquery.ui.slider.pips/jquery-ui-slider-pips.css' />"),
              std::string::npos);
    EXPECT_NE(page.find("libraries/FileSaver.js/FileSaver.min.js"), std::string::npos);
    EXPECT_NE(page.find("\t<script type='text/javascript'>\r\n\tgoogle.load('visualization', "
                        "'1', {'packages':['corechart','geochart','gauge']});\r\n\t</script>"),
              std::string::npos);
    EXPECT_NE(page.find("\t<!-- Additional Scripts and Stylesheets -->\r\n\t<script "
                        "src='extra.js'></script>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("libraries/orvane/orvane.min.js"), std::string::npos);
    // The blocks follow the template's order, not the order the markers are replaced in.
    EXPECT_LT(page.find("jquery-migrate"), page.find("jquery-ui.js"));
    EXPECT_LT(page.find("jquery-ui.js"), page.find("jspdf"));
    EXPECT_LT(page.find("application.js"), page.find("</head>"));
    EXPECT_EQ(page.find("#wait.gif#"), std::string::npos);
}

// The integrity digests must match the published files, or browsers refuse to load them.
TEST(PageAssembly, ContentDeliveryDigestsMatchThePackagedFiles) {
    PageRun run;
    run.conv.Needs.FontAwesome = true;
    run.conv.Needs.Bootstrap = true;
    std::string page = run.Page();
    const std::string modules = std::string(ORVANE_SOURCE_DIR) + "/node_modules/";
    for (const char* file :
         {"font-awesome/css/font-awesome.min.css", "bootstrap/dist/css/bootstrap.min.css",
          "bootstrap/dist/js/bootstrap.min.js"}) {
        std::string path = modules + file;
        ASSERT_TRUE(FileExists(path)) << path << " (run scripts/setup.sh)";
        std::string digests;
        for (const char* algorithm : {"sha256", "sha512"}) {
            std::string command =
                std::string("openssl dgst -") + algorithm + " -binary '" + path + "' | base64 -w0";
            FILE* pipe = popen(command.c_str(), "r");
            ASSERT_NE(pipe, nullptr);
            char buffer[256];
            std::string out;
            while (fgets(buffer, sizeof buffer, pipe))
                out += buffer;
            ASSERT_EQ(pclose(pipe), 0);
            digests += (digests.empty() ? "" : " ") + std::string(algorithm) + "-" + out;
        }
        std::string name = FilePart(file);
        size_t at = page.find("/" + name + "' ");
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_EQ(page.substr(page.find("integrity='", at) + 11, digests.size() + 1), digests + "'")
            << name;
    }
}

TEST(PageAssembly, MobilePageUsesJQueryMobileAndAPlainWrapper) {
    PageRun run;
    run.conv.Needs.Mobile = true;
    run.conv.Settings.IndexPage = "index_mobile.html";
    std::string page = run.Page();
    EXPECT_NE(page.find("<script src='libraries/jquery.mobile/jquery.mobile.js'></script>"),
              std::string::npos);
    EXPECT_NE(page.find("href='libraries/jquery.mobile/jquery.mobile.css' />"), std::string::npos);
    EXPECT_EQ(page.find("libraries/jquery.ui/"), std::string::npos);
    EXPECT_NE(page.find("\t<!-- #OrvaneCss# -->\r\n"), std::string::npos);

    EXPECT_EQ(WrapReadyHandler(run.conv, "x();"),
              "$(function () { $(document).ready(function () { \nx();\n }); });");
    run.conv.Needs.Mobile = false;
    run.conv.Needs.TinyMce = true;
    std::string desktop = WrapReadyHandler(run.conv, "x();");
    EXPECT_EQ(desktop.rfind("$(function () { $(document).ready(function () { \n$('body')."
                            "css('background-image', 'none');\n",
                            0),
              0u);
    EXPECT_NE(desktop.find("cCommon.CurrentMouseX = e.pageX; cCommon.CurrentMouseY = e.pageY; "
                           "});\n$(document).on('focusin'"),
              std::string::npos);
    EXPECT_NE(desktop.find("\n $.fn.WindowsEvents = null; \n $.fn.GadgetsEvents = null; \nx();\n "
                           "}); });"),
              std::string::npos);
}

TEST(PageAssembly, FlaskFormUsesUrlForExceptFixedTexts) {
    PageRun run;
    run.conv.Settings.UseFlask = "1";
    run.conv.Needs.Cordova = true;
    run.conv.Settings.AdditionalScriptsAndStylesheets = "<script src='extra.js'></script>";
    EXPECT_EQ(ScriptTag(run.conv, "a.js"),
              "<script src=\"{{url_for('static', filename='a.js')}}\"></script>");
    EXPECT_EQ(StylesheetTag(run.conv, "a.css", ""),
              "<link rel='stylesheet' type='text/css'  href=\"{{url_for('static', "
              "filename='a.css')}}\" />");
    std::string page = run.Page();
    EXPECT_NE(page.find("<script src=\"{{url_for('static', filename='application.js')}}\">"),
              std::string::npos);
    EXPECT_NE(page.find("url('{{url_for('static', filename='wait.gif')}}')"), std::string::npos);
    EXPECT_NE(page.find("<script type='text/javascript' src='cordova.js'></script>"),
              std::string::npos);
    EXPECT_NE(page.find("<script src='extra.js'></script>"), std::string::npos);
    EXPECT_EQ(page.find("src='libraries"), std::string::npos);
}

TEST(PageAssembly, EncodingsAndDoNotCopy) {
    PageRun run;
    run.conv.SourceText = "cDebugger.Debug(\"\xC3\xA4\");";
    run.conv.Settings.Encoding = "UNICODE";
    WriteApplicationScript(run.conv);
    std::string script = ReadBytes(run.conv.Settings.ServerPath + "application.js");
    ASSERT_EQ(script.size(), 2 * 21u);
    EXPECT_EQ(script.substr(0, 4), std::string("c\0D\0", 4)) << "UTF-16LE without BOM";
    EXPECT_EQ(script.substr(34, 2), std::string("\xE4\0", 2));
    // The page says what it is written in: the byte-order mark (all a browser reading UTF-16 from
    // a file goes by) and the meta tag; the library files, UTF-8, say so in their tags.
    std::string page = run.Page();
    EXPECT_EQ(page.substr(0, 6), std::string("\xFF\xFE<\0!\0", 6));
    std::string ascii;
    for (char c : page)
        if (c != '\0') ascii += c;
    EXPECT_NE(ascii.find("<meta charset=\"utf-16le\">"), std::string::npos);
    EXPECT_EQ(ascii.find("utf-8\""), std::string::npos);
    EXPECT_NE(ascii.find("<script src='libraries/jquery/jquery.min.js' charset='utf-8'>"),
              std::string::npos);
    EXPECT_NE(ascii.find("type='text/css'  charset='utf-8' href='Orvane.css'"), std::string::npos);
    EXPECT_NE(ascii.find("<script src='application.js' charset='utf-16le'>"), std::string::npos);

    run.conv.Settings.Encoding = "Ascii";
    WriteApplicationScript(run.conv);
    EXPECT_EQ(ReadBytes(run.conv.Settings.ServerPath + "application.js"),
              "cDebugger.Debug(\"\xE4\");");
    page = run.Page();
    EXPECT_EQ(page.substr(0, 15), "<!DOCTYPE html>");
    EXPECT_NE(page.find("<meta charset=\"iso-8859-1\">"), std::string::npos);
    EXPECT_NE(page.find("<script src='application.js' charset='iso-8859-1'>"), std::string::npos);
    // Every declaration of a user's page is corrected; a page without one gets one.
    WriteBytes(run.conv.SystemFolder + "own.html",
               "<html><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
               "charset=UTF-8\"><meta charset=utf-8></head></html>");
    run.conv.Settings.IndexPage = "own.html";
    EXPECT_EQ(run.Page(),
              "<html><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
              "charset=iso-8859-1\"><meta charset=iso-8859-1></head></html>");
    WriteBytes(run.conv.SystemFolder + "own.html", "<html><head lang=\"de\"></head></html>");
    EXPECT_EQ(run.Page(),
              "<html><head lang=\"de\">\r\n\t<meta charset=\"iso-8859-1\"></head></html>");
    run.conv.Settings.IndexPage = "index.html";

    run.conv.Settings.Encoding = "";
    WriteApplicationScript(run.conv);
    EXPECT_EQ(ReadBytes(run.conv.Settings.ServerPath + "application.js"), run.conv.SourceText);
    page = run.Page();
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(page.find(" charset='"), std::string::npos);

    DeleteFile(run.conv.Settings.ServerPath + "index.html");
    run.conv.Settings.DoNotCopy = 1;
    WritePage(run.conv);
    EXPECT_FALSE(FileExists(run.conv.Settings.ServerPath + "index.html"));
    EXPECT_TRUE(run.log.empty());
}

TEST(PageAssembly, MarkersAreReplacedEverywhereAndCaseSensitively) {
    PageRun run;
    run.conv.Settings.IndexPage = "own.html";
    WriteBytes(run.conv.SystemFolder + "own.html",
               "<head>\r\n\t<!-- #JQueryJs# -->\r\n\t<!-- #JQUERYJS# -->\r\n\t<!-- #cordova# "
               "-->\r\n\t\t<!-- #cordova# -->\r\n</head><p><!-- #JQueryJs# --></p>\r\n");
    std::string page = run.Page();
    EXPECT_EQ(Count(page, "libraries/jquery/jquery.min.js"), 2u);
    EXPECT_EQ(page,
              "<head>\r\n\t<!-- jQuery (https://jquery.com/) -->\r\n\t<script "
              "src='libraries/jquery/jquery.min.js'></script>\r\n\t<!-- #JQUERYJS# "
              "-->\r\n\t</head><p><!-- jQuery (https://jquery.com/) -->\r\n\t<script "
              "src='libraries/jquery/jquery.min.js'></script></p>\r\n");
}

}  // namespace
}  // namespace orvane
