// Start-up shared by the companion programs Setwright and Setpicker.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <string>

class QWidget;

namespace orvane {

// Our own program icon: a coloured tile with the program's initial, drawn at start.
QIcon ProgramIcon(const QColor& colour, const QString& letter);

// Gives the running application its name and its icon tile, then moves a settings file that an
// older version left in the program folder to where the profiles live. Call once the
// QApplication exists. Returns the settings file the program works on.
std::string StartCompanion(const QString& name, const QColor& colour, const QString& letter);

// Moves a shown top-level window to the middle of the primary screen (left alone without one).
void CentreOnScreen(QWidget* window);

}  // namespace orvane
