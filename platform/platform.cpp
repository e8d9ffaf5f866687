#include "platform/platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <cstdlib>
#include <limits>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace orvane {

namespace {

QString Q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string S(const QString& s) {
    return s.toUtf8().toStdString();
}

QStringList QList(const std::vector<std::string>& items) {
    QStringList out;
    for (const auto& item : items)
        out << Q(item);
    return out;
}

// Windows-1252 code points for the bytes 0x80..0x9F (0 where the code page has a hole).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool IsValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80           ? 1
                   : (c >> 5) == 0x6  ? 2
                   : (c >> 4) == 0xE  ? 3
                   : (c >> 3) == 0x1E ? 4
                                      : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

}  // namespace

std::string WithSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '/') return folder;
    return folder + "/";
}

std::string TempFolder() {
    return WithSlash(S(QDir::tempPath()));
}

std::string CurrentFolder() {
    return WithSlash(S(QDir::currentPath()));
}

std::string ProgramFolder() {
    QString exe;
    if (QCoreApplication::instance())
        exe = QCoreApplication::applicationFilePath();
    else
        exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    std::string folder = WithSlash(S(QFileInfo(exe).absolutePath()));
    // A program built and started from the temporary folder works on the current folder.
    if (SamePathNoCase(folder, TempFolder())) folder = CurrentFolder();
    return folder;
}

std::string UserConfigFolder() {
    return WithSlash(S(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
}

std::string GetEnv(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
}

bool FileExists(const std::string& path) {
    QFileInfo info(Q(path));
    return !path.empty() && info.exists() && !info.isDir();
}

bool FolderExists(const std::string& path) {
    return !path.empty() && QFileInfo(Q(path)).isDir();
}

int64_t FileSize(const std::string& path) {
    if (path.empty()) return -1;
    QFileInfo info(Q(path));
    if (!info.exists()) return -1;
    if (info.isDir()) return -2;
    return info.size();
}

int64_t FileModified(const std::string& path) {
    QFileInfo info(Q(path));
    if (path.empty() || !info.exists()) return -1;
    return info.lastModified().toMSecsSinceEpoch();
}

bool CreateFolder(const std::string& path) {
    QDir().mkpath(Q(path));
    return FolderExists(path);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    QFile source(Q(from));
    if (!source.exists()) return false;
    if (QFileInfo::exists(Q(to))) QFile::remove(Q(to));
    if (!QFile::copy(Q(from), Q(to))) return false;
    // Keep the source's modification date, so that an unchanged file is not copied again.
    QFile target(Q(to));
    if (target.open(QIODevice::ReadWrite))
        target.setFileTime(QFileInfo(Q(from)).lastModified(), QFileDevice::FileModificationTime);
    return true;
}

bool MoveFile(const std::string& from, const std::string& to) {
    if (QFileInfo::exists(Q(to))) return false;
    return QFile::rename(Q(from), Q(to));
}

bool DeleteFile(const std::string& path) {
    return QFile::remove(Q(path));
}

std::string FolderPart(const std::string& path) {
    size_t pos = path.find_last_of("/\\");
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string FilePart(const std::string& path) {
    size_t pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

bool SamePathNoCase(const std::string& a, const std::string& b) {
    return Q(a).compare(Q(b), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------- text files

void WaitForFile(const std::string& path) {
    for (int waits = 0; waits < 100; ++waits) {
        if (FileSize(path) > 5) return;
        SleepMilliseconds(200);
    }
}

std::string DecodeText(const std::string& bytes) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data() + 2),
                                          static_cast<qsizetype>((bytes.size() - 2) / 2));
        return S(text);
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') {
        std::u16string units;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) |
                                                  static_cast<unsigned char>(bytes[i + 1])));
        return S(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())));
    }
    if (IsValidUtf8(bytes)) return bytes;
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        char16_t unit = b;
        if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0) unit = kCp1252High[b - 0x80];
        text.append(QChar(unit));
    }
    return S(text);
}

std::string ReadTextFileNow(const std::string& path) {
    if (FileSize(path) <= 0) return "";
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly)) return "";
    QByteArray raw = file.readAll();
    return DecodeText(raw.toStdString());
}

std::string ReadTextFile(const std::string& path) {
    WaitForFile(path);
    return ReadTextFileNow(path);
}

bool WriteTextFile(const std::string& text, const std::string& path, TextFormat format) {
    QFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray bytes;
    if (format == TextFormat::Utf8) {
        bytes = QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    } else {
        QString s = Q(text);
        if (format == TextFormat::Unicode) {
            bytes.reserve(s.size() * 2);
            for (QChar ch : s) {
                bytes.append(static_cast<char>(ch.unicode() & 0xFF));
                bytes.append(static_cast<char>(ch.unicode() >> 8));
            }
        } else {
            bytes.reserve(s.size());
            for (QChar ch : s)
                bytes.append(ch.unicode() < 0x100 ? static_cast<char>(ch.unicode()) : '?');
        }
    }
    return file.write(bytes) == bytes.size();
}

// ---------------------------------------------------------------- processes

int RunProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder) {
    QProcess process;
    if (!workingFolder.empty()) process.setWorkingDirectory(Q(workingFolder));
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(Q(program), QList(arguments));
    if (!process.waitForStarted(-1)) return -1;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) return -1;
    return process.exitCode();
}

int RunProgramCaptured(const std::string& program, const std::vector<std::string>& arguments,
                       const std::function<void(const std::string&)>& onLine,
                       const std::string& workingFolder) {
    QProcess process;
    if (!workingFolder.empty()) process.setWorkingDirectory(Q(workingFolder));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Q(program), QList(arguments));
    if (!process.waitForStarted(-1)) return -1;
    process.closeWriteChannel();
    QByteArray pending;
    auto flush = [&](bool all) {
        pending += process.readAll();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            QByteArray line = pending.left(nl);
            if (line.endsWith('\r')) line.chop(1);
            onLine(DecodeText(line.toStdString()));
            pending.remove(0, nl + 1);
        }
        if (all && !pending.isEmpty()) {
            if (pending.endsWith('\r')) pending.chop(1);
            onLine(DecodeText(pending.toStdString()));
            pending.clear();
        }
    };
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(100);
        flush(false);
    }
    flush(true);
    if (process.exitStatus() != QProcess::NormalExit) return -1;
    return process.exitCode();
}

bool StartProgramDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingFolder) {
    return QProcess::startDetached(Q(program), QList(arguments), Q(workingFolder));
}

bool OpenWithDefaultHandler(const std::string& address) {
    std::string target = address;
    // A local page address arrives in double quotes.
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    QUrl url = QUrl::fromUserInput(Q(target));
    if (QCoreApplication::instance() && QCoreApplication::instance()->inherits("QGuiApplication"))
        return QDesktopServices::openUrl(url);
    // Without a GUI application object, hand the address to the desktop's opener.
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
}

void SleepMilliseconds(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

// A conversion passes the whole program through a dozen stages, each building a text of the
// program's size and freeing the one before. The C library hands large blocks back to the system
// at once, so each stage would pay for fresh pages again; with freed memory kept, a large program
// costs per line what a small one does. The process ends after one conversion.
void RetainFreedMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
#endif
}

std::string ExecutableName(const std::string& baseName) {
#ifdef _WIN32
    return baseName + ".exe";
#else
    return baseName;
#endif
}

}  // namespace orvane
