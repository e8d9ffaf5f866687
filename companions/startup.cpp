#include "companions/startup.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "profiles/profiles.h"

namespace orvane {

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

std::string StartCompanion(const QString& name, const QColor& colour, const QString& letter) {
    QApplication::setWindowIcon(ProgramIcon(colour, letter));
    QApplication::setApplicationName(name);
    std::string settingsFile = ProfileSettingsFile();
    MigrateSettingsFile();
    return settingsFile;
}

void CentreOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace orvane
