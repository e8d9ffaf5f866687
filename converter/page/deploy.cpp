#include <QDir>
#include <QFileInfo>
#include <QString>

#include "converter/page/page.h"
#include "platform/platform.h"

namespace orvane {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Files every program needs come along always; a library folder only when the program uses it.
std::vector<std::string> ExclusionList(const LibraryNeeds& n) {
    std::vector<std::string> list = {"index.html",
                                     "index_mobile.html",
                                     "templates/cgi.pb",
                                     "templates/php.php",
                                     "templates/nodejs.js",
                                     "templates/python.py",
                                     "templates/flask.py",
                                     "templates/aspx.aspx",
                                     "templates/asp.asp",
                                     "usertemplates/dummy.txt",
                                     "userlibraries/dummy.txt"};
    auto unless = [&](bool needed, std::initializer_list<const char*> folders) {
        if (!needed) list.insert(list.end(), folders.begin(), folders.end());
    };
    unless(n.Grid, {"libraries/w2ui"});
    unless(n.FancyTree, {"libraries/fancytree"});
    unless(n.Pixi, {"libraries/pixi"});
    unless(n.TouchSwipe, {"libraries/jquery.touchSwipe"});
    unless(n.BlockUI, {"libraries/jquery.blockUI"});
    unless(n.Cookie, {"libraries/jquery.cookie"});
    unless(n.Splitter, {"libraries/jquery.splitter"});
    unless(n.Hotkeys, {"libraries/jquery.hotkeys"});
    unless(n.Database, {"libraries/alasql"});
    unless(n.Xml, {"libraries/jquery.xpath"});
    unless(n.ColorPicker, {"libraries/evol.colorpicker"});
    unless(n.Cipher, {"libraries/CryptoJS"});
    unless(n.Storage, {"libraries/jStorage"});
    unless(n.Mobile, {"libraries/jquery.mobile"});
    unless(n.Menubar, {"libraries/jquery.ui.menubar"});
    unless(n.DatePicker, {"libraries/jquery.ui.datepicker", "libraries/jquery.timepicker"});
    unless(n.Tristate, {"libraries/jquery.tristate.js"});
    unless(n.WebSocket, {"libraries/jquery.websocket"});
    unless(n.SliderPips, {"libraries/jquery.ui.slider.pips"});
    unless(n.FileSaver || n.SaveImage,
           {"libraries/Blob.js", "libraries/canvas-toBlob.js", "libraries/FileSaver.js"});
    unless(n.Pdf, {"libraries/jspdf", "libraries/html2canvas"});
    unless(n.GoogleMap, {"userlibraries/google-maps-utility-library"});
    return list;
}

// A copy may only land inside the folder the user configured: a name that is absolute or climbs
// out with ".." would otherwise overwrite files anywhere the converter can write.
bool InsideFolder(const std::string& folder, const std::string& name) {
    if (name.empty() || QDir::isAbsolutePath(Q(name)) || name[0] == '/' || name[0] == '\\')
        return false;
    QString root = QDir::cleanPath(Q(folder));
    QString target = QDir::cleanPath(Q(folder) + "/" + Q(name));
    return target.startsWith(root + "/");
}

bool EnsureFolderOf(const std::string& target) {
    std::string folder = FolderPart(target);
    return folder.empty() || FolderExists(folder) || MakeFolder(folder);
}

}  // namespace

void ListFilesRecursive(Conversion& conv, const std::string& folder) {
    std::string base = WithSlash(folder);
    const QFileInfoList entries = QDir(Q(base)).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        std::string path = base + entry.fileName().toStdString();
        // A linked folder could lead back up the tree and never end.
        if (entry.isDir()) {
            if (!entry.isSymLink()) ListFilesRecursive(conv, path);
        } else {
            conv.SystemFiles.push_back(path);
        }
    }
}

bool MakeFolder(const std::string& path) {
    return CreateFolder(path);
}

void CopySupportFiles(Conversion& conv) {
    const RunSettings& s = conv.Settings;
    const std::vector<std::string> exclusions = ExclusionList(conv.Needs);
    for (std::string& path : conv.SystemFiles) {
        for (const std::string& exclusion : exclusions) {
            if (ContainsNoCase(path, exclusion)) {
                path.clear();
                break;
            }
        }
    }

    for (const std::string& path : conv.SystemFiles) {
        if (path.empty()) continue;
        std::string relative = RemoveAll(path, conv.SystemFolder);
        std::string target = s.TargetFolderJS + relative;
        if (!InsideFolder(s.TargetFolderJS, relative)) {
            LogMessage(conv,
                       "Refused to copy file: '" + path + "' to '" + target +
                           "': the target lies outside the folder '" + s.TargetFolderJS + "'",
                       true);
            continue;
        }
        EnsureFolderOf(target);
        if (FileExists(target) && FileModified(path) == FileModified(target)) continue;
        if (!CopyFileOver(path, target))
            LogMessage(conv, "Couldn't copy file: '" + path + "' to '" + target + "'", true);
    }

    const std::string sourceFolder = FolderPart(conv.SourceFile);
    for (const std::string& listed : conv.IncludeBinaryFiles) {
        // Sources written on Windows name subfolders with "\".
        std::string name = ReplaceAll(listed, "\\", "/");
        std::string source = sourceFolder + name;
        std::string target = s.ServerPath + name;
        if (!InsideFolder(s.ServerPath, name)) {
            LogMessage(conv,
                       "Refused to copy file: '" + listed + "' to the server folder '" +
                           s.ServerPath + "': the target lies outside the server folder",
                       true);
            continue;
        }
        EnsureFolderOf(target);
        if (FileExists(target) && FileSize(source) == FileSize(target)) continue;
        if (CopyFileOver(source, target))
            LogMessage(conv, "Copy file: '" + source + "' to '" + target + "': success");
        else
            LogMessage(conv, "Couldn't copy file: '" + source + "' to '" + target + "'", true);
    }
}

}  // namespace orvane
