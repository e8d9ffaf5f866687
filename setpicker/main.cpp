#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include "platform/platform.h"
#include "setpicker/setpicker.h"

namespace {

// Our own program icon: a coloured tile with the program's initial, drawn at start.
QIcon ProgramIcon(const QColor& colour, const QString& letter) {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(ProgramIcon(QColor(0, 128, 96), "P"));
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
