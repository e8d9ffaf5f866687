#include <QApplication>
#include <QWidget>

#include "companions/startup.h"
#include "platform/platform.h"
#include "setwright/setwright.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::Setwright sw;
    sw.settingsFile = orvane::StartCompanion("Setwright", QColor(0, 92, 163), "S");
    sw.programFolder = orvane::ProgramFolder();
    QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) sw.startName = arguments[1].toStdString();
    sw.prompts = orvane::DesktopPrompts();
    orvane::StartSetwright(sw);
    orvane::CentreOnScreen(sw.window);
    QApplication::exec();
    orvane::SaveAtEnd(sw);
    delete sw.window;
    return 0;
}
