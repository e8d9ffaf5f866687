#include "profiles/profiles.h"

#include <QFile>
#include <QSaveFile>
#include <cstdlib>

#include "platform/platform.h"

namespace orvane {

namespace {

std::string TrimBlanksTabs(const std::string& s, bool leading, bool trailing) {
    size_t b = 0, e = s.size();
    if (leading)
        while (b < e && (s[b] == ' ' || s[b] == '\t'))
            ++b;
    if (trailing)
        while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
            --e;
    return s.substr(b, e - b);
}

std::string TrimSpaces(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

// Every line break ("\r\n", or a lone "\n" or "\r" from a text editor) as the file's marker.
std::string LinesMarked(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            out += "[#CRLF$]";
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

std::string RemoveEvery(std::string s, const std::string& what) {
    return Replace(std::move(s), what, "");
}

// PureBasic's Val(): the leading integer of the text, 0 when there is none.
int IntegerValue(const std::string& s) {
    std::string t = TrimBlanksTabs(s, true, true);
    char* end = nullptr;
    long v = std::strtol(t.c_str(), &end, 10);
    return static_cast<int>(v);
}

// One "[group]" of an INI text with its entries in file order.
struct IniGroup {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};

std::vector<IniGroup> ParseIni(const std::string& text, IniGroup& ungrouped) {
    std::vector<IniGroup> groups;
    IniGroup* current = &ungrouped;
    size_t pos = 0;
    std::string body = text;
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
    // A line ends at "\r\n", "\n" or a lone "\r", as PureBasic's ReadString() reads it: a lone
    // "\r" kept inside a value would become a blank on saving, and the value would change.
    while (pos <= body.size()) {
        size_t end = body.find_first_of("\r\n", pos);
        std::string line = body.substr(pos, (end == std::string::npos ? body.size() : end) - pos);
        if (end == std::string::npos)
            pos = body.size() + 1;
        else
            pos = end + (body.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        line = TrimBlanksTabs(line, true, false);
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            size_t close = line.find(']', 1);
            groups.push_back(IniGroup{
                line.substr(1, close == std::string::npos ? std::string::npos : close - 1), {}});
            current = &groups.back();
            continue;
        }
        size_t eq = line.find('=');
        std::string key =
            TrimBlanksTabs(eq == std::string::npos ? line : line.substr(0, eq), false, true);
        std::string value =
            eq == std::string::npos ? "" : TrimBlanksTabs(line.substr(eq + 1), true, false);
        current->entries.emplace_back(key, value);
    }
    return groups;
}

}  // namespace

std::string SettingsFolder(const std::string& maker, const std::string& product) {
    std::string folder = WithSlash(UserConfigFolder());
    folder += maker + "/";
    if (!FolderExists(folder)) CreateFolder(folder);
    folder += product + "/";
    if (!FolderExists(folder)) CreateFolder(folder);
    return folder;
}

std::string OrvaneSettingsFolder() {
    return SettingsFolder("Quillmoor", "Orvane");
}
std::string ProfileSettingsFile() {
    return OrvaneSettingsFolder() + "Orvane.ini";
}
std::string SelectionFile() {
    return OrvaneSettingsFolder() + "Setpicker.ini";
}

void MigrateSettingsFile() {
    std::string old = ProgramFolder() + "Orvane.ini";
    if (FileSize(old) > 0) MoveFile(old, ProfileSettingsFile());
}

std::vector<Profile> ParseProfiles(const std::string& text) {
    std::vector<Profile> profiles;
    IniGroup ungrouped;
    for (const IniGroup& group : ParseIni(text, ungrouped)) {
        if (group.name.compare(0, 8, "profile:") != 0) continue;
        Profile p;
        p.name = RemoveEvery(group.name, "profile:");
        for (const auto& [key, value] : group.entries) {
            std::string trimmed = TrimSpaces(value);
            if (key == "applicationname")
                p.applicationname = trimmed;
            else if (key == "indexpage")
                p.indexpage = trimmed.empty() ? "index.html" : trimmed;
            else if (key == "serverpath")
                p.serverpath = trimmed;
            else if (key == "serveraddress")
                p.serveraddress = trimmed;
            else if (key == "aspfilename")
                p.aspfilename = trimmed;
            else if (key == "aspaddress")
                p.aspaddress = trimmed;
            else if (key == "aspxfilename")
                p.aspxfilename = trimmed;
            else if (key == "aspxaddress")
                p.aspxaddress = trimmed;
            else if (key == "cgifilename")
                p.cgifilename = trimmed;
            else if (key == "cgiaddress")
                p.cgiaddress = trimmed;
            else if (key == "nodejsfilename")
                p.nodejsfilename = trimmed;
            else if (key == "nodejsaddress")
                p.nodejsaddress = trimmed;
            else if (key == "phpfilename")
                p.phpfilename = trimmed;
            else if (key == "phpaddress")
                p.phpaddress = trimmed;
            else if (key == "pythonfilename")
                p.pythonfilename = trimmed;
            else if (key == "pythonaddress")
                p.pythonaddress = trimmed;
            else if (key == "theme")
                p.theme = trimmed;
            else if (key == "encoding")
                p.encoding = trimmed;
            else if (key == "additionalscriptsandstylesheets")
                p.additionalscriptsandstylesheets = Replace(trimmed, "[#CRLF$]", "\r\n");
            else if (key == "AfterConvertingDoNothing")
                p.AfterConvertingDoNothing = IntegerValue(value);
            else if (key == "AfterConvertingStartDefaultBrowser")
                p.AfterConvertingStartDefaultBrowser = IntegerValue(value);
            else if (key == "AfterConvertingStartSpecificBrowser")
                p.AfterConvertingStartSpecificBrowser = IntegerValue(value);
            else if (key == "AfterConvertingSpecificBrowser")
                p.AfterConvertingSpecificBrowser = value;
            else if (key == "ftphost")
                p.ftphost = value;
            else if (key == "ftpdirectory")
                p.ftpdirectory = value;
            else if (key == "ftpuser")
                p.ftpuser = value;
            else if (key == "ftppass")
                p.ftppass = value;
        }
        if (p.theme.empty()) p.theme = "smoothness";
        if (p.AfterConvertingDoNothing == 0 && p.AfterConvertingStartDefaultBrowser == 0 &&
            p.AfterConvertingStartSpecificBrowser == 0)
            p.AfterConvertingStartDefaultBrowser = 1;
        profiles.push_back(std::move(p));
    }
    return profiles;
}

std::vector<Profile> LoadProfiles(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    // A file written on Windows may be in the 8-bit code page or UTF-16; names must reach the
    // windows as valid UTF-8 either way.
    return ParseProfiles(DecodeText(file.readAll().toStdString()));
}

bool ProfileFileIsText(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return true;
    // Text never holds a zero byte once a UTF-16 file has been decoded; binary data nearly
    // always does. A stray control character in a text file is no reason to set it aside.
    std::string text = DecodeText(file.readAll().toStdString());
    return text.find('\0') == std::string::npos;
}

bool ProfileNameFitsFile(const std::string& name) {
    return name.find_first_of("]\r\n") == std::string::npos;
}

std::string FormatProfiles(const std::vector<Profile>& profiles) {
    std::string out;
    bool first = true;
    for (const Profile& p : profiles) {
        if (!first) out += "\r\n";
        first = false;
        out += "[profile:" + OneLine(p.name) + "]\r\n";
        // A line break inside a value would start a new line of the file and lose the rest
        // of the value; the one-line fields never mean to hold one.
        auto put = [&out](const char* key, const std::string& value) {
            out += key;
            out += " = ";
            out += OneLine(value);
            out += "\r\n";
        };
        put("applicationname", p.applicationname);
        put("indexpage", p.indexpage);
        put("serverpath", p.serverpath);
        put("serveraddress", p.serveraddress);
        put("aspfilename", p.aspfilename);
        put("aspaddress", p.aspaddress);
        put("aspxfilename", p.aspxfilename);
        put("aspxaddress", p.aspxaddress);
        put("cgifilename", p.cgifilename);
        put("cgiaddress", p.cgiaddress);
        put("nodejsfilename", p.nodejsfilename);
        put("nodejsaddress", p.nodejsaddress);
        put("phpfilename", p.phpfilename);
        put("phpaddress", p.phpaddress);
        put("pythonfilename", p.pythonfilename);
        put("pythonaddress", p.pythonaddress);
        put("encoding", p.encoding);
        put("theme", p.theme);
        put("additionalscriptsandstylesheets", LinesMarked(p.additionalscriptsandstylesheets));
        put("AfterConvertingDoNothing", std::to_string(p.AfterConvertingDoNothing));
        put("AfterConvertingStartDefaultBrowser",
            std::to_string(p.AfterConvertingStartDefaultBrowser));
        put("AfterConvertingStartSpecificBrowser",
            std::to_string(p.AfterConvertingStartSpecificBrowser));
        put("AfterConvertingSpecificBrowser", p.AfterConvertingSpecificBrowser);
        put("ftphost", p.ftphost);
        put("ftpdirectory", p.ftpdirectory);
        put("ftpuser", p.ftpuser);
        put("ftppass", p.ftppass);
    }
    return out;
}

bool SaveProfiles(const std::string& path, const std::vector<Profile>& profiles) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return false;
    std::string text = FormatProfiles(profiles);
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
        static_cast<qint64>(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WriteSelection(const std::string& name) {
    QFile file(QString::fromStdString(SelectionFile()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    std::string text = "SelectedProject = " + name + "\r\n";
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

std::string ReadSelection() {
    QFile file(QString::fromStdString(SelectionFile()));
    if (!file.open(QIODevice::ReadOnly)) return "";
    IniGroup ungrouped;
    ParseIni(file.readAll().toStdString(), ungrouped);
    std::string value;
    for (const auto& [key, v] : ungrouped.entries)
        if (key == "SelectedProject") value = v;
    return value;
}

}  // namespace orvane
