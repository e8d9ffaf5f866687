#include "converter/page/page.h"

#include <QString>
#include <vector>

#include "platform/platform.h"

namespace orvane {

namespace {

// Tags inside a block are joined so that each lands on its own tab-indented line of the page.
const char* const kJoin = "\r\n\t";

std::string Block(const std::string& comment, const std::vector<std::string>& tags) {
    std::string block = comment;
    for (const std::string& tag : tags)
        block += kJoin + tag;
    return block;
}

std::string Comment(const std::string& name, const std::string& address) {
    return "<!-- " + name + " (" + address + ") -->";
}

// The content-delivery files of Font Awesome 4.4.0 and Bootstrap 3.3.5. The digests are those of
// the same files in the npm packages of these versions; tests/cpp/page_assembly_test.cpp
// recomputes them from node_modules.
// clang-format off
const char* const kFontAwesomeCss = "https://maxcdn.bootstrapcdn.com/font-awesome/4.4.0/css/font-awesome.min.css";
const char* const kFontAwesomeCssDigests =
    "sha256-k2/8zcNbxVIh5mnQ52A0r3a6jAgMGxFJFE2707UxGCk= "
    "sha512-ZV9KawG2Legkwp3nAlxLIVFudTauWuBpC10uEafMHYL0Sarrz5A7G79kXh5+5+woxQ5HM559XX2UZjMJ36Wplg==";
const char* const kBootstrapCss = "https://maxcdn.bootstrapcdn.com/bootstrap/3.3.5/css/bootstrap.min.css";
const char* const kBootstrapCssDigests =
    "sha256-MfvZlkHCEqatNoGiOXveE8FIwMzZg4W85qfrfIFBfYc= "
    "sha512-dTfge/zgoMYpP7QbHy4gWMEGsbsdZeCXz7irItjcC3sPUFtf0kuFbDz/ixG7ArTxmDjLXDmezHubeNikyKGVyQ==";
const char* const kBootstrapJs = "https://maxcdn.bootstrapcdn.com/bootstrap/3.3.5/js/bootstrap.min.js";
const char* const kBootstrapJsDigests =
    "sha256-Sk3nkD6mLTMOF0EOpNtsIry+s1CsaqQC1rVLTAy+0yc= "
    "sha512-K1qjQ+NcF2TYO/eI3M6v8EiNYZfA95pQumfvcVrTHtwQVDG+aHRqLi/ETn2uB+1JqwYqVG3LIvdm9lj6imS/pQ==";
// clang-format on

const char* const kGoogleMapsScript = "https://maps.googleapis.com/maps/api/js";
const char* const kGoogleChartLoader = "https://www.google.com/jsapi";

TextFormat OutputFormat(const std::string& encoding) {
    std::string e = Lower(encoding);
    if (e == "ascii") return TextFormat::Ascii;
    if (e == "unicode") return TextFormat::Unicode;
    return TextFormat::Utf8;
}

// The name a page declares for the text format its files are written in.
std::string CharsetName(TextFormat format) {
    if (format == TextFormat::Unicode) return "utf-16le";
    if (format == TextFormat::Ascii) return "iso-8859-1";
    return "utf-8";
}

// The charset attribute of a script or stylesheet tag in a page that is not written in UTF-8:
// such a page's encoding would otherwise be taken for the library files, which are UTF-8, while
// the application script is written in the page's own encoding.
std::string CharsetAttribute(const Conversion& conv, const std::string& path) {
    TextFormat format = OutputFormat(conv.Settings.Encoding);
    if (format == TextFormat::Utf8) return "";
    bool application = path == conv.Settings.ApplicationName + ".js";
    return " charset='" + (application ? CharsetName(format) : std::string("utf-8")) + "'";
}

// The bytes of the text in UTF-16LE after the byte-order mark FF FE.
std::string Utf16WithByteOrderMark(const std::string& text) {
    QString units = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * static_cast<size_t>(units.size()));
    for (QChar unit : units) {
        bytes += static_cast<char>(unit.unicode() & 0xFF);
        bytes += static_cast<char>(unit.unicode() >> 8);
    }
    return bytes;
}

// Makes every charset a meta tag of the page declares the given one; a page without such a
// declaration gets one at the start of its head.
std::string DeclareCharset(const std::string& page, const std::string& charset) {
    const std::string lower = Lower(page);
    std::string out;
    out.reserve(page.size() + 32);
    size_t copied = 0;
    bool declared = false;
    for (size_t meta = lower.find("<meta"); meta != std::string::npos;
         meta = lower.find("<meta", meta + 1)) {
        size_t end = lower.find('>', meta);
        if (end == std::string::npos) break;
        size_t key = lower.find("charset=", meta);
        if (key == std::string::npos || key > end) continue;
        size_t value = key + 8;
        if (value < end && (page[value] == '"' || page[value] == '\'')) ++value;
        size_t valueEnd = lower.find_first_of("\"' ;/>", value);
        if (valueEnd == std::string::npos || valueEnd > end) valueEnd = end;
        out.append(page, copied, value - copied);
        out += charset;
        copied = valueEnd;
        declared = true;
    }
    out.append(page, copied, std::string::npos);
    if (declared) return out;
    std::string tag = "<meta charset=\"" + charset + "\">";
    size_t head = lower.find("<head");
    size_t at = head == std::string::npos ? std::string::npos : lower.find('>', head);
    if (at == std::string::npos) return tag + "\r\n" + page;
    return page.substr(0, at + 1) + "\r\n\t" + tag + page.substr(at + 1);
}

// Deletes "\t\r\n" until none is left. The pattern cannot overlap itself, so removing it while
// the text is built gives the same result as repeated sweeps, in one pass.
std::string RemoveEmptyMarkerLines(const std::string& page) {
    std::string out;
    out.reserve(page.size());
    for (char c : page) {
        out.push_back(c);
        if (c == '\n' && out.size() >= 3 && out.compare(out.size() - 3, 3, "\t\r\n") == 0)
            out.resize(out.size() - 3);
    }
    return out;
}

void ReplaceMarker(std::string& page, const std::string& marker, const std::string& block) {
    page = ReplaceAll(page, marker, block);
}

// The markers after the jQuery family, in the order they are replaced.
struct MarkerBlock {
    const char* marker;
    std::string block;  // "" when the program does not need the library
};

std::vector<MarkerBlock> LibraryBlocks(const Conversion& conv) {
    const LibraryNeeds& n = conv.Needs;
    auto S = [&](const std::string& path) { return ScriptTag(conv, path); };
    auto L = [&](const std::string& path) { return StylesheetTag(conv, path, ""); };
    auto when = [](bool needed, std::string block) { return needed ? block : std::string(); };
    const std::string& additional = conv.Settings.AdditionalScriptsAndStylesheets;

    return {
        {"<!-- #jquerymigrate# -->",
         Block("<!-- JQuery Migrate -->", {S("libraries/jquery/jquery-migrate.min.js")})},
        {"<!-- #jquerycolor# -->",
         Block("<!-- JQuery Color -->", {S("libraries/jquery.color/jquery.color.js")})},
        {"<!-- #jquerydialogextend# -->",
         Block(Comment("jquery-dialogextend", "https://github.com/ROMB/jquery-dialogextend"),
               {S("libraries/jquery.ui.dialogextend/jquery.ui.dialogextend.js")})},
        {"<!-- #moment# -->", Block(Comment("moment", "https://momentjs.com/"),
                                    {S("libraries/moment/moment-with-locales.min.js")})},
        {"<!-- #jqueryuitouchpunch# -->",
         Block(Comment("jquery.ui.touch.punch", "https://github.com/RWAP/jquery-ui-touch-punch"),
               {S("libraries/jquery.ui.touch.punch/jquery.ui.touch.punch.improved.dev.js")})},
        {"<!-- #fancytree# -->",
         when(n.FancyTree, Block(Comment("FancyTree", "https://github.com/mar10/fancytree"),
                                 {L("libraries/fancytree/skin-themeroller/ui.fancytree.css"),
                                  S("libraries/fancytree/jquery.fancytree-all.min.js")}))},
        {"<!-- #jqueryuisliderpips# -->",
         when(n.SliderPips,
              Block("<!-- jquery.ui.slider.pips "
                    "(https://github.com/simeydotme/jQuery-ui-Slider-Pips)  -->",
                    {L("libraries/jquery.ui.slider.pips/jquery-ui-slider-pips.css"),
                     S("libraries/jquery.ui.slider.pips/jquery-ui-slider-pips.js")}))},
        {"<!-- #datetimepicker# -->",
         when(n.DatePicker,
              Block(Comment("datetimepicker",
                            "https://github.com/trentrichardson/jQuery-Timepicker-Addon"),
                    {L("libraries/jquery.timepicker/jquery-ui-timepicker-addon.min.css"),
                     S("libraries/jquery.timepicker/jquery-ui-timepicker-addon.min.js")}))},
        {"<!-- #googlemap# -->",
         when(
             n.GoogleMap,
             Block(
                 Comment("GoogleMap",
                         "https://developers.google.com/maps/documentation/javascript"),
                 {std::string("<script src='") + kGoogleMapsScript +
                      "' type='text/javascript'></script>",
                  S("userlibraries/google-maps-utility-library/markerclusterer/markerclusterer.js"),
                  S("userlibraries/google-maps-utility-library/keydragzoom/keydragzoom.js")}))},
        {"<!-- #blockui# -->",
         when(n.BlockUI, Block(Comment("BlockUI", "https://malsup.com/jquery/block/"),
                               {S("libraries/jquery.blockUI/jquery.blockUI.js")}))},
        {"<!-- #cryptojs# -->",
         when(n.Cipher,
              Block(Comment("CryptoJs", "https://github.com/brix/crypto-js"),
                    {S("libraries/CryptoJS/rollups/sha256.js"),
                     S("libraries/CryptoJS/rollups/rc4.js"), S("libraries/CryptoJS/rollups/md5.js"),
                     S("libraries/CryptoJS/components/enc-base64-min.js")}))},
        {"<!-- #pixijs# -->", when(n.Pixi, Block(Comment("PixiJs", "https://pixijs.com/"),
                                                 {S("libraries/pixi/pixi.min.js")}))},
        {"<!-- #menubar# -->",
         when(n.Menubar,
              Block("<!-- Menubar -->", {L("libraries/jquery.ui.menubar/jquery.ui.menubar.css"),
                                         S("libraries/jquery.ui.menubar/jquery.ui.menubar.js")}))},
        {"<!-- #pdf# -->",
         when(n.Pdf, Block(Comment("jsPDF", "https://github.com/parallax/jsPDF"),
                           {S("libraries/jsPDF/jspdf.debug.js"),
                            Comment("html2canvas", "https://html2canvas.hertzen.com/"),
                            S("libraries/html2canvas/html2canvas.js") + "\r\n"}))},
        {"<!-- #googlechart# -->",
         when(n.GoogleChart,
              Block(Comment("GoogleChart", "https://developers.google.com/chart"),
                    {std::string("<script type='text/javascript' src='") + kGoogleChartLoader +
                     "'></script>\r\n\t<script type='text/javascript'>\r\n\tgoogle.load("
                     "'visualization', '1', {'packages':['corechart','geochart','gauge']});"
                     "\r\n\t</script>"}))},
        {"<!-- #jquerycookie# -->",
         when(n.Cookie, Block(Comment("jquery.cookie", "https://github.com/carhartl/jquery-cookie"),
                              {S("libraries/jquery.cookie/jquery.cookie.js")}))},
        {"<!-- #w2ui# -->",
         when(n.Grid, Block(Comment("w2ui", "https://w2ui.com/"),
                            {L("libraries/w2ui/w2ui.min.css"), S("libraries/w2ui/w2ui.min.js")}))},
        {"<!-- #touchswipe# -->",
         when(n.TouchSwipe,
              Block(Comment("TouchSwipe", "https://github.com/mattbryson/TouchSwipe-Jquery-Plugin"),
                    {S("libraries/jquery.touchSwipe/jquery.touchSwipe.min.js")}))},
        {"<!-- #database# -->",
         when(n.Database, Block(Comment("alasql", "https://github.com/AlaSQL/alasql"),
                                {S("libraries/alasql/alasql.min.js")}))},
        {"<!-- #jquerysplitter# -->",
         when(n.Splitter,
              Block(Comment("jquery.splitter", "https://github.com/jcubic/jquery.splitter"),
                    {S("libraries/jquery.splitter/js/jquery.splitter-0.14.0.js"),
                     L("libraries/jquery.splitter/css/jquery.splitter.css")}))},
        {"<!-- #xml# -->",
         when(n.Xml, Block("<!-- jQuery XPath plugin: https://github.com/ilinsky/jquery-xpath -->",
                           {S("libraries/jquery.xpath/jquery.xpath.js"),
                            "<!-- JavaScript XML/XSLT library: "
                            "https://developer.mozilla.org/en-US/docs/Web/API/XSLTProcessor -->",
                            S("libraries/jsxml/jsxmlstand.js")}))},
        {"<!-- #colorpicker# -->",
         when(n.ColorPicker,
              Block("<!-- evol.colorpicker: https://github.com/evoluteur/colorpicker -->",
                    {L("libraries/evol.colorpicker/css/evol.colorpicker.min.css"),
                     S("libraries/evol.colorpicker/js/evol.colorpicker.min.js")}))},
        {"<!-- #filesaver# -->",
         when(n.FileSaver || n.SaveImage,
              Block(
                  Comment("FileSaver & Co", "https://github.com/eligrey/FileSaver.js"),
                  {S("libraries/Blob.js/Blob.js"), S("libraries/canvas-toBlob.js/canvas-toBlob.js"),
                   S("libraries/FileSaver.js/FileSaver.min.js")}))},
        {"<!-- #jqueryhotkeys# -->",
         when(n.Hotkeys,
              Block(Comment("jQuery.Hotkeys", "https://github.com/jeresig/jquery.hotkeys"),
                    {S("libraries/jquery.hotkeys/jquery.hotkeys.js")}))},
        {"<!-- #jstorage# -->",
         when(n.Storage, Block(Comment("jStorage", "https://github.com/andris9/jStorage"),
                               {S("libraries/jStorage/jStorage.min.js")}))},
        {"<!-- #cordova# -->",
         when(n.Cordova, Block(Comment("Cordova", "https://cordova.apache.org/"),
                               {"<script type='text/javascript' src='cordova.js'></script>"}))},
        {"<!-- #tristate# -->",
         when(n.Tristate, Block(Comment("jQuery Tristate", "https://github.com/vanderlee/tristate"),
                                {S("libraries/jquery.tristate.js/jquery.tristate.js")}))},
        {"<!-- #websocket# -->",
         when(n.WebSocket,
              Block(Comment("Websocket",
                            "https://developer.mozilla.org/en-US/docs/Web/API/WebSocket"),
                    {S("libraries/jquery.websocket/jquery.WebSocket.js")}))},
        {"<!-- #fontawesome# -->",
         when(n.FontAwesome, Block(Comment("Font Awesome", "https://fontawesome.com/v4/"),
                                   {std::string("<link href='") + kFontAwesomeCss +
                                    "' rel='stylesheet' integrity='" + kFontAwesomeCssDigests +
                                    "' crossorigin='anonymous'>"}))},
        {"<!-- #bootstrap# -->",
         when(
             n.Bootstrap,
             Block(Comment("Bootstrap", "https://getbootstrap.com/docs/3.3/"),
                   {std::string("<link href='") + kBootstrapCss + "' rel='stylesheet' integrity='" +
                        kBootstrapCssDigests + "' crossorigin='anonymous'>",
                    std::string("<script src='") + kBootstrapJs + "' integrity='" +
                        kBootstrapJsDigests + "' crossorigin='anonymous'></script>"}))},
        {"<!-- #binarytransport# -->",
         Block(Comment("jQuery BinaryTransport",
                       "https://github.com/henrya/js-jquery/tree/master/BinaryTransport"),
               {S("libraries/BinaryTransport/jquery.binarytransport.js")})},
        {"<!-- #additionalscriptsandstylesheets# -->",
         when(!additional.empty(),
              Block("<!-- Additional Scripts and Stylesheets -->", {additional}))},
    };
}

}  // namespace

std::string WrapReadyHandler(Conversion& conv, const std::string& text) {
    if (conv.Needs.Mobile)
        return "$(function () { $(document).ready(function () { \n" + text + "\n }); });";
    std::string extra;
    if (conv.Needs.TinyMce)
        extra =
            "\n$(document).on('focusin', function (e) { if ($(e.target).closest('.mce-window')."
            "length) { e.stopImmediatePropagation(); } });";
    return "$(function () { $(document).ready(function () { \n$('body').css('background-image', "
           "'none');\n$(document).mousemove(function (e) { cCommon.CurrentMouseX = e.pageX; "
           "cCommon.CurrentMouseY = e.pageY; });" +
           extra + "\n $.fn.WindowsEvents = null; \n $.fn.GadgetsEvents = null; \n" + text +
           "\n }); });";
}

std::string ScriptTag(const Conversion& conv, const std::string& path) {
    std::string charset = CharsetAttribute(conv, path);
    if (conv.Settings.UseFlask.empty())
        return "<script src='" + path + "'" + charset + "></script>";
    return "<script src=\"{{url_for('static', filename='" + path + "')}}\"" + charset +
           "></script>";
}

std::string StylesheetTag(const Conversion& conv, const std::string& path,
                          const std::string& attributes) {
    std::string tag = "<link rel='stylesheet' type='text/css' " + attributes;
    tag += CharsetAttribute(conv, path);
    if (conv.Settings.UseFlask.empty()) return tag + " href='" + path + "' />";
    return tag + " href=\"{{url_for('static', filename='" + path + "')}}\" />";
}

void WriteApplicationScript(Conversion& conv) {
    const RunSettings& s = conv.Settings;
    // The run driver checks afterwards that both files were written.
    WriteTextFile(conv.SourceText, s.TargetFolderJS + s.ApplicationName + ".js",
                  OutputFormat(s.Encoding));
}

void WritePage(Conversion& conv) {
    const RunSettings& s = conv.Settings;
    const bool flask = !s.UseFlask.empty();
    std::string page = ReadTextFile(conv.SystemFolder + s.IndexPage);

    ReplaceMarker(page, "<!-- #JQueryJs# -->",
                  Block(Comment("jQuery", "https://jquery.com/"),
                        {ScriptTag(conv, "libraries/jquery/jquery.min.js")}));
    ReplaceMarker(page, "#wait.gif#",
                  flask ? "{{url_for('static', filename='wait.gif')}}" : "wait.gif");

    std::string mobileJs = Block(Comment("jQuery Mobile JS", "https://jquerymobile.com/"),
                                 {ScriptTag(conv, "libraries/jquery.mobile/jquery.mobile.js")});
    std::string mobileCss =
        Block(Comment("jQuery Mobile CSS", "https://jquerymobile.com/"),
              {StylesheetTag(conv, "libraries/jquery.mobile/jquery.mobile.css", "")});
    std::string uiJs = Block(Comment("jQuery UI JS", "https://jqueryui.com/"),
                             {ScriptTag(conv, "libraries/jquery.ui/jquery-ui.js")});
    std::string uiCss =
        Block(Comment("jQuery UI CSS", "https://jqueryui.com/"),
              {StylesheetTag(conv, "libraries/jquery.ui/themes/" + s.Theme + "/jquery-ui.min.css",
                             "id='jquery_ui_stylesheet'")});
    if (conv.Needs.Mobile) {
        ReplaceMarker(page, "<!-- #JQueryMobileJs# -->", mobileJs);
        ReplaceMarker(page, "<!-- #JQueryMobileCss# -->", mobileCss);
        ReplaceMarker(page, "<!-- #JQueryUiJs# -->", "");
        ReplaceMarker(page, "<!-- #JQueryUiCss# -->", "");
    } else {
        ReplaceMarker(page, "<!-- #JQueryUiJs# -->", uiJs);
        ReplaceMarker(page, "<!-- #JQueryUiCss# -->", uiCss);
        ReplaceMarker(page, "<!-- #JQueryMobileJs# -->", "");
        ReplaceMarker(page, "<!-- #JQueryMobileCss# -->", "");
        ReplaceMarker(page, "<!-- #OrvaneCss# -->", StylesheetTag(conv, "Orvane.css", ""));
    }

    for (const MarkerBlock& m : LibraryBlocks(conv))
        ReplaceMarker(page, m.marker, m.block);

    ReplaceMarker(page, "<!-- #orvane# -->",
                  ScriptTag(conv, conv.DebuggerFlag == "0" ? "libraries/orvane/orvane.min.js"
                                                           : "libraries/orvane/orvane.js"));
    ReplaceMarker(page, "<!-- #application# -->", ScriptTag(conv, s.ApplicationName + ".js"));
    page = RemoveEmptyMarkerLines(page);

    if (s.DoNotCopy != 0) return;
    TextFormat format = OutputFormat(s.Encoding);
    if (format != TextFormat::Utf8) page = DeclareCharset(page, CharsetName(format));
    if (format == TextFormat::Unicode) {
        // A browser reading UTF-16 from a file knows it only by the byte-order mark.
        WriteTextFile(Utf16WithByteOrderMark(page), s.ServerPath + "index.html", TextFormat::Utf8);
        return;
    }
    WriteTextFile(page, s.ServerPath + "index.html", format);
}

}  // namespace orvane
