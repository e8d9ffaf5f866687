// The thin layer over Qt Core and the operating system: folders, processes, text files.
// All paths and texts are UTF-8; folder paths returned here end in "/".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

// ---- folders and files ----
std::string ProgramFolder();     // folder of the executable (or the current folder, see .cpp)
std::string TempFolder();        // the system temporary folder, ending in "/"
std::string CurrentFolder();     // the working directory, ending in "/"
std::string UserConfigFolder();  // per-user application data folder, ending in "/"
std::string GetEnv(const std::string& name);  // "" when unset
bool FileExists(const std::string& path);     // a regular file
bool FolderExists(const std::string& path);
int64_t FileSize(const std::string& path);      // -1 when missing, -2 for a folder
int64_t FileModified(const std::string& path);  // milliseconds since the epoch, -1 when missing
bool CreateFolder(const std::string& path);     // with its parents; true when it exists afterwards
bool CopyFileOver(const std::string& from, const std::string& to);  // overwrites; keeps the date
bool MoveFile(const std::string& from, const std::string& to);      // fails when target exists
bool DeleteFile(const std::string& path);
std::string FolderPart(const std::string& path);  // up to and including the last "/" (or "\")
std::string FilePart(const std::string& path);
std::string WithSlash(const std::string& folder);  // appends "/" when missing
bool SamePathNoCase(const std::string& a, const std::string& b);

// ---- text files ----
enum class TextFormat { Ascii, Utf8, Unicode };

// Waits (200 ms steps, at most 100 waits) while the file holds 5 bytes or less.
void WaitForFile(const std::string& path);
// Waits as WaitForFile does, then reads the whole file decoded by its byte-order mark (none:
// UTF-8 when valid, otherwise Windows-1252). Line ends are kept. "" when missing or empty.
std::string ReadTextFile(const std::string& path);
// Reads without waiting (for callers that know the file is complete).
std::string ReadTextFileNow(const std::string& path);
// Creates or truncates the file and writes the text without a byte-order mark. Ascii writes
// Latin-1 with "?" for characters it cannot hold. Returns false when the file cannot be created.
bool WriteTextFile(const std::string& text, const std::string& path, TextFormat format);
// Decodes raw file bytes as ReadTextFile does.
std::string DecodeText(const std::string& bytes);

// ---- processes ----
// Starts a program and waits for its end. Returns its exit code, or -1 when it cannot start.
int RunProgramAndWait(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingFolder = "");
// Starts a program hidden, hands every line it writes (standard output and error) to onLine as
// it arrives, and returns its exit code; -1 when it cannot be started.
int RunProgramCaptured(const std::string& program, const std::vector<std::string>& arguments,
                       const std::function<void(const std::string&)>& onLine,
                       const std::string& workingFolder = "");
// Starts a program and does not wait for it. False when it cannot be started.
bool StartProgramDetached(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& workingFolder = "");
// Opens an address or file with the desktop's default handler.
bool OpenWithDefaultHandler(const std::string& address);
// Sleeps the calling thread.
void SleepMilliseconds(int ms);
// The platform's executable file name for a program base name ("Setwright" / "Setwright.exe").
std::string ExecutableName(const std::string& baseName);
// Keeps memory the program frees for its own reuse instead of handing it back to the system.
void RetainFreedMemory();

}  // namespace orvane
