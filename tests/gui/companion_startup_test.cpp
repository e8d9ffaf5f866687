// The start-up both companion programs share: their name, their icon tile, their settings file,
// a centred window.
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "companions/startup.h"
#include "profiles/profiles.h"

class CompanionStartupTest : public QObject {
    Q_OBJECT

    QTemporaryDir config;

  private slots:
    void initTestCase() {
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }

    void namesTheProgramAndDrawsItsTile() {
        std::string settingsFile = orvane::StartCompanion("Setpicker", QColor(0, 128, 96), "P");
        QCOMPARE(settingsFile, orvane::ProfileSettingsFile());
        QVERIFY(settingsFile.rfind(config.path().toStdString(), 0) == 0);
        QCOMPARE(QApplication::applicationName(), QString("Setpicker"));
        QVERIFY(!QApplication::windowIcon().isNull());
        QImage tile = QApplication::windowIcon().pixmap(64, 64).toImage();
        QCOMPARE(tile.size(), QSize(64, 64));
        // Rounded corners stay see-through; the edge of the tile carries the colour.
        QCOMPARE(tile.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(tile.pixelColor(5, 32).rgb(), QColor(0, 128, 96).rgb());
        // The initial is drawn in white across the middle of the tile.
        int white = 0;
        for (int y = 12; y < 52; ++y)
            for (int x = 12; x < 52; ++x)
                if (tile.pixelColor(x, y).lightness() > 230) ++white;
        QVERIFY2(white > 20, qPrintable(QString("%1 white pixels").arg(white)));

        // Each program gets its own colour.
        orvane::StartCompanion("Setwright", QColor(0, 92, 163), "S");
        QCOMPARE(QApplication::applicationName(), QString("Setwright"));
        QImage other = QApplication::windowIcon().pixmap(64, 64).toImage();
        QCOMPARE(other.pixelColor(5, 32).rgb(), QColor(0, 92, 163).rgb());
    }

    void centresAWindowOnTheScreen() {
        QScreen* screen = QGuiApplication::primaryScreen();
        QVERIFY(screen != nullptr);
        QWidget window;
        window.resize(240, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        orvane::CentreOnScreen(&window);
        QPoint middle = window.pos() + window.rect().center();
        QPoint expected = screen->availableGeometry().center();
        QVERIFY2((middle - expected).manhattanLength() <= 2,
                 qPrintable(QString("window middle %1,%2, screen middle %3,%4")
                                .arg(middle.x())
                                .arg(middle.y())
                                .arg(expected.x())
                                .arg(expected.y())));
    }
};

QTEST_MAIN(CompanionStartupTest)
#include "companion_startup_test.moc"
