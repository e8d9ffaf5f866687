#include <QApplication>

#include "companions/startup.h"
#include "platform/platform.h"
#include "setpicker/setpicker.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::Setpicker sp;
    sp.settingsFile = orvane::StartCompanion("Setpicker", QColor(0, 128, 96), "P");
    sp.setwrightPath = orvane::ProgramFolder() + orvane::ExecutableName("Setwright");
    orvane::StartSetpicker(sp);
    orvane::CentreOnScreen(sp.window);
    QApplication::exec();
    delete sp.window;
    return 0;
}
