#include <QApplication>
#include <QScreen>
#include <QThread>

#include "platform/platform.h"
#include "setpicker/setpicker.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Setpicker");
    orvane::Setpicker sp;
    sp.settingsFile = orvane::ProfileSettingsFile();
    orvane::MigrateSettingsFile();
    sp.setwrightPath = orvane::ProgramFolder() + orvane::ExecutableName("Setwright");
    orvane::StartSetpicker(sp);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        sp.window->move(screen->availableGeometry().center() - sp.window->rect().center());
    QApplication::exec();
    delete sp.window;
    return 0;
}
