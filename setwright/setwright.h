// Setwright: the profile editor. A list window over the profiles of the settings file and the
// Add/Edit dialog; the whole list is written back once, when the program ends.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "profiles/profiles.h"

class QComboBox;
class QDialog;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace orvane {

// Every question the windows put to the user goes through here, so that tests can answer.
struct UserPrompts {
    // Yes/No box; true for Yes.
    std::function<bool(QWidget* parent, const std::string& title, const std::string& text)>
        askYesNo;
    // Box with an OK button.
    std::function<void(QWidget* parent, const std::string& title, const std::string& text)> tell;
    // Open-file selection; filter in Qt's form. "" when cancelled.
    std::function<std::string(QWidget* parent, const std::string& title, const std::string& start,
                              const QString& filter, bool mustExist)>
        chooseFile;
    // Folder selection; "" when cancelled.
    std::function<std::string(QWidget* parent, const std::string& title, const std::string& start)>
        chooseFolder;
};

// The real message boxes and file dialogs.
UserPrompts DesktopPrompts();

// One server language's file name and address on the "ServerCode" tab.
struct ServerFields {
    QLineEdit* filename = nullptr;
    QPushButton* choose = nullptr;
    QLineEdit* address = nullptr;
};

struct ProfileDialog {
    QDialog* window = nullptr;  // null while closed
    bool addMode = true;
    int editIndex = -1;  // position in the profile list in edit mode
    QLineEdit* name = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* indexpage = nullptr;
    QLineEdit* serverpath = nullptr;
    QPushButton* serverpathChoose = nullptr;
    QLineEdit* serveraddress = nullptr;
    QLineEdit* applicationname = nullptr;
    QComboBox* theme = nullptr;
    QToolButton* themeRefresh = nullptr;
    QComboBox* encoding = nullptr;
    QPlainTextEdit* additional = nullptr;
    QTabWidget* serverTabs = nullptr;
    ServerFields cgi, php, asp, aspx, python, nodejs;
    QLineEdit* ftphost = nullptr;
    QLineEdit* ftpdirectory = nullptr;
    QLineEdit* ftpuser = nullptr;
    QLineEdit* ftppass = nullptr;
    QRadioButton* doNothing = nullptr;
    QRadioButton* defaultBrowser = nullptr;
    QRadioButton* specificBrowser = nullptr;
    QLineEdit* browserPath = nullptr;
    QPushButton* browserChoose = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

struct Setwright {
    std::string settingsFile;   // the profile settings file
    std::string programFolder;  // where the themes are looked for
    std::string startName;      // a profile to create at once; cleared when its dialog opened
    std::vector<Profile> profiles;
    UserPrompts prompts;

    QWidget* window = nullptr;
    QTabWidget* tabs = nullptr;
    QListWidget* list = nullptr;
    QPushButton* add = nullptr;
    QPushButton* edit = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* duplicate = nullptr;
    QLineEdit* directive = nullptr;
    QPushButton* copy = nullptr;

    ProfileDialog dialog;
};

inline constexpr const char* kSetwrightTitle = "Setwright (V2015-12-14)";

// ---- main window (main_window.cpp) ----

// Loads the profiles, builds and shows the main window, and opens the Add dialog for the start
// name once the window is up. The record must outlive the window.
void StartSetwright(Setwright& sw);
// Sorts the list by name, fills the list control, sets the buttons, empties the directive line.
void RefreshList(Setwright& sw);
// The selected position in the sorted list, or -1.
int SelectedProfile(const Setwright& sw);
// Writes all profiles; on failure tells the user. Returns whether the file was written.
bool SaveAtEnd(Setwright& sw);
// The line a PureBasic source uses to select the named profile.
std::string DirectiveLine(const std::string& name);
// "Copy of " + name, repeated until no profile has that name.
std::string DuplicateName(const std::vector<Profile>& profiles, const std::string& name);

// ---- dialog (profile_dialog.cpp) ----

void OpenAddDialog(Setwright& sw, const std::string& startName);
void OpenEditDialog(Setwright& sw, int index);
// The OK button: runs the checks; when they pass, stores the fields and closes the dialog.
// Returns whether the dialog was closed.
bool ConfirmDialog(Setwright& sw);
// Sub-folder names of the themes folder, sorted; found is false when there is no themes folder.
std::vector<std::string> ThemeNames(const std::string& programFolder, bool& found);
// "Label (*.ext)|*.ext|..." as a Qt name filter ("Label (*.ext);;...").
QString QtFileFilter(const std::string& pattern);

}  // namespace orvane
