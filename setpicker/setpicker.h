// Setpicker: asks which profile a conversion uses and leaves the answer in the selection file.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "profiles/profiles.h"

class QCloseEvent;
class QLabel;
class QListWidget;
class QPushButton;
class QThread;

namespace orvane {

// A top-level window that asks before it lets the close box close it.
class GuardedWindow : public QWidget {
  public:
    std::function<bool()> mayClose;

  protected:
    void closeEvent(QCloseEvent* event) override;
};

struct Setpicker {
    std::string settingsFile;   // the profile settings file
    std::string setwrightPath;  // the profile editor "Manage..." runs
    std::vector<Profile> profiles;

    GuardedWindow* window = nullptr;
    QLabel* label = nullptr;
    QListWidget* list = nullptr;
    QPushButton* manage = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QThread* worker = nullptr;  // runs Setwright; null while the user is choosing
    bool answered = false;      // OK or Cancel closed the window
};

// Loads the profiles and builds and shows the window. The record must outlive the window.
void StartSetpicker(Setpicker& sp);
// Writes the selected name and closes; nothing happens without a selection.
void ChooseSelected(Setpicker& sp);
// Writes an empty choice and closes.
void CancelChoice(Setpicker& sp);
// Runs Setwright on a worker thread and reloads the list when it has ended.
void ManageProfiles(Setpicker& sp);

}  // namespace orvane
