// The profile settings file (Orvane.ini) and the selection file (Setpicker.ini), shared by the
// converter, Setwright and Setpicker.
#pragma once

#include <string>
#include <vector>

namespace orvane {

struct Profile {
    std::string name;
    std::string applicationname;
    std::string indexpage;
    std::string serverpath;
    std::string serveraddress;
    std::string aspfilename, aspaddress;
    std::string aspxfilename, aspxaddress;
    std::string cgifilename, cgiaddress;
    std::string phpfilename, phpaddress;
    std::string pythonfilename, pythonaddress;
    std::string nodejsfilename, nodejsaddress;
    std::string theme;
    std::string encoding;
    std::string additionalscriptsandstylesheets;  // lines separated by "\r\n"
    int AfterConvertingDoNothing = 0;
    int AfterConvertingStartDefaultBrowser = 0;
    int AfterConvertingStartSpecificBrowser = 0;
    std::string AfterConvertingSpecificBrowser;
    std::string ftphost, ftpdirectory, ftpuser, ftppass;
};

// Per-user settings folder + maker + product, each level created when missing; ends in "/".
std::string SettingsFolder(const std::string& maker, const std::string& product);
// The folder the three programs share: SettingsFolder("Quillmoor", "Orvane").
std::string OrvaneSettingsFolder();
std::string ProfileSettingsFile();  // settings folder + "Orvane.ini"
std::string SelectionFile();        // settings folder + "Setpicker.ini"

// Moves a non-empty Orvane.ini from the program folder into the settings folder.
void MigrateSettingsFile();

std::vector<Profile> LoadProfiles(const std::string& path);
// False for a file that exists but holds binary data (zero bytes): saving over it would
// destroy whatever it is.
bool ProfileFileIsText(const std::string& path);
// A name holding "]" or a line break cannot be written as a group header and read back.
bool ProfileNameFitsFile(const std::string& name);
// Parses the text of a profile settings file (what LoadProfiles does after reading it).
std::vector<Profile> ParseProfiles(const std::string& text);
// The exact file text SaveProfiles writes.
std::string FormatProfiles(const std::vector<Profile>& profiles);
// Writes to a temporary file beside the target and renames it over the old file, so a failed
// save never leaves the settings half-written. False when the file cannot be written.
bool SaveProfiles(const std::string& path, const std::vector<Profile>& profiles);

bool WriteSelection(const std::string& name);
std::string ReadSelection();

}  // namespace orvane
