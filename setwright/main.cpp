#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "platform/platform.h"
#include "profiles/profiles.h"
#include "setwright/setwright.h"

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
    QApplication::setWindowIcon(ProgramIcon(QColor(0, 92, 163), "S"));
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
