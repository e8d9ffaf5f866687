#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "platform/platform.h"
#include "profiles/profiles.h"
#include "setwright/setwright.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Setwright");
    orvane::Setwright sw;
    sw.settingsFile = orvane::ProfileSettingsFile();
    orvane::MigrateSettingsFile();
    sw.programFolder = orvane::ProgramFolder();
    QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) sw.startName = arguments[1].toStdString();
    sw.prompts = orvane::DesktopPrompts();
    orvane::StartSetwright(sw);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        sw.window->move(screen->availableGeometry().center() - sw.window->rect().center());
    QApplication::exec();
    orvane::SaveAtEnd(sw);
    delete sw.window;
    return 0;
}
