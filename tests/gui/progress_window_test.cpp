// The progress window under a real event loop (QT_QPA_PLATFORM=offscreen).
#include "converter/run/progress_window.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <cstdlib>

#include "converter/run/run.h"

using namespace orvane;

class ProgressWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir config_;

    static QStringList Rows(const ProgressWindow& window) {
        QStringList rows;
        for (int i = 0; i < window.Messages()->topLevelItemCount(); ++i)
            rows << window.Messages()->topLevelItem(i)->text(0);
        return rows;
    }
    static bool IsRed(const ProgressWindow& window, int row) {
        return window.Messages()->topLevelItem(row)->foreground(0).color() == QColor(255, 0, 0);
    }

  private slots:
    void initTestCase() {
        // The real run below builds the settings folder; keep it out of the user's own.
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }

    void layoutFollowsTheWindowSize() {
        ProgressWindow window;
        window.show();
        QCOMPARE(window.size(), QSize(448, 400));
        QCOMPARE(window.minimumSize(), QSize(448, 400));
        QCOMPARE(window.windowTitle(), QString("Orvane"));
        QCOMPARE(window.Logo()->geometry(), QRect(340, 10, 97, 71));
        QVERIFY(!window.Logo()->pixmap().isNull());
        QCOMPARE(window.Title()->geometry(), QRect(10, 10, 320, 50));
        QCOMPARE(window.Title()->text(), QString("Orvane"));
        QCOMPARE(window.Title()->palette().color(QPalette::WindowText), QColor(0, 92, 163));
        QCOMPARE(window.VersionText()->geometry(), QRect(10, 70, 320, 15));
        QCOMPARE(window.VersionText()->text(), QString("Version 2015-12-06"));
        QCOMPARE(window.Messages()->geometry(), QRect(10, 90, 430, 302));
        QVERIFY(window.Messages()->isHeaderHidden());
        QCOMPARE(window.Messages()->columnCount(), 1);

        window.resize(600, 500);
        QTRY_COMPARE(window.Messages()->geometry(), QRect(10, 90, 582, 402));
        QCOMPARE(window.Logo()->geometry(), QRect(492, 10, 97, 71));
        QCOMPARE(window.Title()->width(), 472);
        QCOMPARE(window.VersionText()->width(), 472);
    }

    void linesArriveInOrderAndErrorsAreRed() {
        ProgressWindow window;
        window.show();
        Conversion conv;
        window.StartRun(conv, [](Conversion& c) {
            for (int i = 0; i < 300; ++i)
                LogMessage(c, "line " + std::to_string(i));
            LogMessage(c, "broken", true);
            LogMessage(c, "quoted: Error: inside");
            LogMessage(c, "");
        });
        QTRY_COMPARE(window.Messages()->topLevelItemCount(), 303);
        QStringList rows = Rows(window);
        for (int i = 0; i < 300; ++i)
            QCOMPARE(rows[i], QString("line %1").arg(i));
        QCOMPARE(rows[300], QString("Error: broken"));
        QCOMPARE(rows[302], QString(""));
        QVERIFY(!IsRed(window, 299));
        QVERIFY(IsRed(window, 300));
        QVERIFY(IsRed(window, 301));  // any row holding "Error: " is shown red
        QVERIFY(!IsRed(window, 302));
        QCOMPARE(window.Messages()->currentItem(), window.Messages()->topLevelItem(302));
        QTRY_VERIFY(window.RunEnded());
        QVERIFY(window.JoinRun());
    }

    void closesAfterSuccessOnly() {
        ProgressWindow good;
        good.show();
        Conversion goodRun;
        good.StartRun(goodRun, [](Conversion& c) {
            LogMessage(c, "Ready :-)");
            c.RunFinished = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(!good.isVisible(), 2000);
        QVERIFY(good.JoinRun());

        ProgressWindow bad;
        bad.show();
        Conversion badRun;
        std::atomic<bool> release{false};
        bad.StartRun(badRun, [&](Conversion& c) {
            LogMessage(c, "no good", true);
            while (!release)
                QThread::msleep(5);
        });
        QTRY_COMPARE(bad.Messages()->topLevelItemCount(), 1);
        // Escape does nothing while the run goes on ...
        QTest::keyClick(&bad, Qt::Key_Escape);
        QTest::qWait(250);
        QVERIFY(bad.isVisible());
        release = true;
        QTRY_VERIFY(bad.RunEnded());
        QTest::qWait(250);
        QVERIFY(bad.isVisible());  // a failed run leaves the window open
        // ... and closes the window once it has ended.
        QTest::keyClick(&bad, Qt::Key_Escape);
        QTRY_VERIFY(!bad.isVisible());
        QVERIFY(bad.JoinRun());
    }

    void questionIsAskedOnTheWindowThread() {
        ProgressWindow window;
        window.show();
        Conversion conv;
        std::atomic<int> answer{-1};
        QString title, text;
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            text = box->text();
            box->button(QMessageBox::Yes)->click();
        });
        clicker.start(20);
        window.StartRun(conv,
                        [&](Conversion& c) { answer = c.Ask("Orvane", "Create it?") ? 1 : 0; });
        QTRY_COMPARE(answer.load(), 1);
        QCOMPARE(title, QString("Orvane"));
        QCOMPARE(text, QString("Create it?"));
        QTRY_VERIFY(window.JoinRun());
    }

    void failedRunShowsItsReasonAndIsPhotographed() {
        qputenv("PB_TOOL_Compiler", "");
        ProgressWindow window;
        window.show();
        Conversion conv;
        PrepareConversion(conv, {});
        window.StartRun(conv, RunConversion);
        QTRY_VERIFY(window.RunEnded());
        QTRY_COMPARE(window.Messages()->topLevelItemCount(), 4);
        QCOMPARE(Rows(window), (QStringList{"Error: PBCompiler not found: ''", "",
                                            "something went wrong! :-(", ""}));
        QVERIFY(IsRed(window, 0));
        QTest::qWait(200);
        QVERIFY(window.isVisible());

        QDir shots(QString(ORVANE_DIST_DIR) + "/../screenshots");
        QVERIFY(shots.mkpath("."));
        QVERIFY(window.grab().save(shots.filePath("progress-window-failed.png")));
        QVERIFY(window.JoinRun());
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "progress_window_test.moc"
