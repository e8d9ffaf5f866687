// Setpicker driven through its real widgets under the offscreen platform.
#include "setpicker/setpicker.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

#include "profiles/profiles.h"

using namespace orvane;

namespace {

void WriteAll(const std::string& path, const std::string& bytes, bool executable = false) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (executable) file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

std::string ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    return file.readAll().toStdString();
}

}  // namespace

class SetpickerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Setpicker> sp_;
    std::string root_;

    void Start(const std::string& iniText) {
        if (!iniText.empty()) WriteAll(sp_->settingsFile, iniText);
        StartSetpicker(*sp_);
        QVERIFY(QTest::qWaitForWindowActive(sp_->window));
    }
    std::string Selection() { return ReadAll(SelectionFile()); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = dir_->path().toStdString() + "/";
        // The selection file lives in the settings folder below XDG_CONFIG_HOME.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(root_ + "config"));
        sp_ = std::make_unique<Setpicker>();
        sp_->settingsFile = ProfileSettingsFile();
        sp_->setwrightPath = root_ + "Setwright";
        WriteAll(SelectionFile(), "SelectedProject = before\r\n");
    }
    void cleanup() {
        if (sp_->worker) sp_->worker->wait();
        delete sp_->window;
        sp_.reset();
    }

    void returnTakesThePreselectedFirstProfile() {
        Start("[profile:One]\r\n\r\n[profile:Two]\r\n\r\n[profile:Three]\r\n");
        QCOMPARE(sp_->list->count(), 3);
        QCOMPARE(sp_->list->item(1)->text(), QString("Two"));  // file order, not sorted
        QVERIFY(sp_->list->hasFocus());
        QVERIFY(sp_->ok->isEnabled());
        QTest::keyClick(sp_->list, Qt::Key_Return);
        QVERIFY(!sp_->window->isVisible());
        QCOMPARE(Selection(), std::string("SelectedProject = One\r\n"));
        QCOMPARE(ReadSelection(), std::string("One"));
    }

    void okWritesTheClickedProfile() {
        Start("[profile:One]\r\n\r\n[profile:Two]\r\n");
        QListWidgetItem* two = sp_->list->item(1);
        QTest::mouseClick(sp_->list->viewport(), Qt::LeftButton, {},
                          sp_->list->visualItemRect(two).center());
        QTest::mouseClick(sp_->ok, Qt::LeftButton);
        QVERIFY(!sp_->window->isVisible());
        QCOMPARE(ReadSelection(), std::string("Two"));
    }

    void cancelAndEscapeWriteAnEmptyChoice() {
        for (bool escape : {false, true}) {
            Start("[profile:One]\r\n");
            if (escape)
                QTest::keyClick(sp_->list, Qt::Key_Escape);
            else
                QTest::mouseClick(sp_->cancel, Qt::LeftButton);
            QVERIFY(!sp_->window->isVisible());
            QCOMPARE(Selection(), std::string("SelectedProject = \r\n"));
            delete sp_->window;
            WriteAll(SelectionFile(), "SelectedProject = before\r\n");
        }
        sp_->window = nullptr;
    }

    void closeBoxLeavesTheSelectionFileAlone() {
        Start("[profile:One]\r\n");
        sp_->window->close();
        QVERIFY(!sp_->window->isVisible());
        QCOMPARE(ReadSelection(), std::string("before"));
    }

    void withoutProfilesOkStaysDisabled() {
        Start("");
        QCOMPARE(sp_->list->count(), 0);
        QVERIFY(!sp_->ok->isEnabled());
        QTest::keyClick(sp_->list, Qt::Key_Return);
        QVERIFY(sp_->window->isVisible());
        QCOMPARE(ReadSelection(), std::string("before"));
    }

    void manageRunsSetwrightAndReloadsTheList() {
        Start("[profile:One]\r\n");
        // Stands in for Setwright: waits until told, then adds a profile as the editor would.
        std::string gate = root_ + "gate";
        WriteAll(sp_->setwrightPath,
                 "#!/bin/sh\nwhile [ ! -e '" + gate +
                     "' ]; do sleep 0.05; done\n"
                     "printf '\\r\\n[profile:Added]\\r\\n' >> '" +
                     sp_->settingsFile + "'\n",
                 true);
        QTest::mouseClick(sp_->manage, Qt::LeftButton);
        QVERIFY(sp_->worker);
        for (QWidget* w : {static_cast<QWidget*>(sp_->list), static_cast<QWidget*>(sp_->ok),
                           static_cast<QWidget*>(sp_->cancel), static_cast<QWidget*>(sp_->manage)})
            QVERIFY(!w->isEnabled());
        // While Setwright runs, the close box, Return and Escape do nothing.
        sp_->window->close();
        QTest::keyClick(sp_->window, Qt::Key_Escape);
        QVERIFY(sp_->window->isVisible());
        QCOMPARE(ReadSelection(), std::string("before"));
        WriteAll(gate, "go");
        QTRY_VERIFY_WITH_TIMEOUT(sp_->worker == nullptr, 10000);
        QCOMPARE(sp_->list->count(), 2);
        QCOMPARE(sp_->list->item(1)->text(), QString("Added"));
        QVERIFY(sp_->list->selectedItems().isEmpty());
        QVERIFY(sp_->list->isEnabled() && sp_->cancel->isEnabled() && sp_->manage->isEnabled());
        QVERIFY(!sp_->ok->isEnabled());
        QTest::mouseClick(sp_->list->viewport(), Qt::LeftButton, {},
                          sp_->list->visualItemRect(sp_->list->item(1)).center());
        QVERIFY(sp_->ok->isEnabled());
    }

    void missingSetwrightStillReloads() {
        Start("[profile:One]\r\n");
        sp_->setwrightPath = root_ + "nothing-here";
        QTest::mouseClick(sp_->manage, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(sp_->worker == nullptr, 10000);
        QCOMPARE(sp_->list->count(), 1);
        QVERIFY(sp_->manage->isEnabled());
    }

    void screenshot() {
        Start("[profile:Example site]\r\n\r\n[profile:Local test]\r\n\r\n[profile:Staging]\r\n");
        QString folder = QStringLiteral(ORVANE_DIST_DIR "/../screenshots/");
        QDir().mkpath(folder);
        QVERIFY(sp_->window->grab().save(folder + "setpicker.png"));
    }
};

QTEST_MAIN(SetpickerTest)
#include "setpicker_test.moc"
