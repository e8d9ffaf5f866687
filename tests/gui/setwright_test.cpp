// Setwright driven through its real widgets under the offscreen platform.
#include "setwright/setwright.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "profiles/profiles.h"

using namespace orvane;

namespace {

std::string ReadAll(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "";
    return file.readAll().toStdString();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QStringList ListNames(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

}  // namespace

class SetwrightTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Setwright> sw_;
    std::vector<std::string> told_;  // "title|text" of every box shown
    bool answerYes_ = true;
    std::string root_;

    void Start(const std::string& iniText, const std::string& startName = "") {
        if (!iniText.empty()) WriteAll(sw_->settingsFile, iniText);
        sw_->startName = startName;
        StartSetwright(*sw_);
        QVERIFY(QTest::qWaitForWindowExposed(sw_->window));
    }
    void Select(const QString& name) {
        auto items = sw_->list->findItems(name, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        QTest::mouseClick(sw_->list->viewport(), Qt::LeftButton, {},
                          sw_->list->visualItemRect(items.first()).center());
    }
    // The field that has the keyboard focus inside the dialog.
    QWidget* DialogFocus() {
        return sw_->dialog.window ? sw_->dialog.window->focusWidget() : nullptr;
    }
    std::string LastTold() { return told_.empty() ? "" : told_.back(); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        root_ = dir_->path().toStdString() + "/";
        QDir().mkpath(
            QString::fromStdString(root_ + "prog/system/libraries/jquery.ui/themes/smoothness"));
        QDir().mkpath(
            QString::fromStdString(root_ + "prog/system/libraries/jquery.ui/themes/cupertino"));
        QDir().mkpath(QString::fromStdString(root_ + "www"));
        sw_ = std::make_unique<Setwright>();
        sw_->settingsFile = root_ + "Orvane.ini";
        sw_->programFolder = root_ + "prog/";
        told_.clear();
        answerYes_ = true;
        sw_->prompts.tell = [this](QWidget*, const std::string& title, const std::string& text) {
            told_.push_back(title + "|" + text);
        };
        sw_->prompts.askYesNo = [this](QWidget*, const std::string& title,
                                       const std::string& text) {
            told_.push_back(title + "|" + text);
            return answerYes_;
        };
        sw_->prompts.chooseFile = [](QWidget*, const std::string&, const std::string&,
                                     const QString&, bool) { return std::string(); };
        sw_->prompts.chooseFolder = [](QWidget*, const std::string&, const std::string&) {
            return std::string();
        };
    }
    void cleanup() {
        delete sw_->window;
        sw_.reset();
    }

    void addRunsEachCheckInTurnThenStores() {
        Start("[profile:Alpha]\r\nserverpath = /tmp/\r\n");
        QTest::mouseClick(sw_->add, Qt::LeftButton);
        ProfileDialog& d = sw_->dialog;
        QVERIFY(d.window && d.window->isVisible());
        QCOMPARE(d.window->windowTitle(), QString("Add profile"));
        QVERIFY(!sw_->window->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(d.window));
        QCOMPARE(d.indexpage->text(), QString("index.html"));
        QCOMPARE(d.encoding->currentText(), QString("UTF8"));
        QCOMPARE(d.theme->currentText(), QString("smoothness"));
        QCOMPARE(d.theme->count(), 2);
        QVERIFY(!d.browserPath->isEnabled());

        struct Step {
            std::function<void()> change;
            const char* message;
            QLineEdit* focus;
        };
        std::string www = root_ + "www/";
        std::string file = root_ + "Orvane.ini";
        std::string bad = root_ + "missing/x";
        std::vector<Step> steps = {
            {[] {}, "Please choose a profile name", d.name},
            {[&] { d.name->setText("a]b"); }, "A profile name can't hold \"]\" or a line break",
             d.name},
            {[&] { d.name->setText("ALPHA"); }, "Please choose another profile name", d.name},
            {[&] { d.name->setText("Beta"); }, "Please choose a server path", d.serverpath},
            {[&] { d.serverpath->setText(QString::fromStdString(bad + "/")); },
             "The server path doesn't exists", d.serverpath},
            {[&] { d.serverpath->setText(QString::fromStdString(file)); },
             "The server path is a file, not a folder", d.serverpath},
            {[&] {
                 // Not created yet, but its parent exists: accepted.
                 d.serverpath->setText(QString::fromStdString(www + "site"));
                 for (ServerFields* f : {&d.asp, &d.aspx, &d.cgi, &d.nodejs, &d.php, &d.python})
                     f->filename->setText(QString::fromStdString(bad + "/file"));
             },
             "ASP-Filename: Path doesn't exists", d.asp.filename},
            {[&] { d.asp.filename->setText(QString::fromStdString(www + "a.asp")); },
             "ASPX-Filename: Path doesn't exists", d.aspx.filename},
            {[&] { d.aspx.filename->clear(); }, "CGI-Filename: Path doesn't exists",
             d.cgi.filename},
            {[&] { d.cgi.filename->setText(QString::fromStdString(www + "cgi")); },
             "NodeJs-Filename: Path doesn't exists", d.nodejs.filename},
            {[&] { d.nodejs.filename->clear(); }, "PHP-Filename: Path doesn't exists",
             d.php.filename},
            {[&] { d.php.filename->setText(QString::fromStdString(www + "x.php")); },
             "Python-Filename: Path doesn't exists", d.python.filename},
        };
        for (const Step& step : steps) {
            step.change();
            told_.clear();
            QTest::mouseClick(d.ok, Qt::LeftButton);
            QCOMPARE(QString::fromStdString(LastTold()), QString("Setwright|") + step.message);
            QVERIFY(d.window && d.window->isVisible());
            QCOMPARE(DialogFocus(), step.focus);
            QVERIFY(step.focus->isVisible());  // its tab was brought to the front
        }
        d.python.filename->clear();
        d.additional->setPlainText("a.js\nb.css");
        d.ftpdirectory->setText("/remote");
        told_.clear();
        QTest::keyClick(d.name, Qt::Key_Return);  // Return acts as OK
        QVERIFY(told_.empty());
        QVERIFY(!sw_->dialog.window);
        QVERIFY(sw_->window->isEnabled());
        QCOMPARE(ListNames(sw_->list), QStringList({"Alpha", "Beta"}));
        const Profile& p = sw_->profiles[1];
        QCOMPARE(p.serverpath, www + "site");
        QCOMPARE(p.aspfilename, www + "a.asp");
        QCOMPARE(p.phpfilename, www + "x.php");
        QCOMPARE(p.additionalscriptsandstylesheets, std::string("a.js\r\nb.css"));
        QCOMPARE(p.ftpdirectory, std::string("/remote"));
        QCOMPARE(p.theme, std::string("smoothness"));
        QCOMPARE(p.encoding, std::string("UTF8"));
        // No option chosen: stored as all zero, read back as "start the default browser".
        QCOMPARE(p.AfterConvertingStartDefaultBrowser, 0);
        QVERIFY(SaveAtEnd(*sw_));
        std::vector<Profile> back = LoadProfiles(sw_->settingsFile);
        QCOMPARE(back.size(), size_t(2));
        QCOMPARE(back[1].AfterConvertingStartDefaultBrowser, 1);
        QCOMPARE(back[1].additionalscriptsandstylesheets, std::string("a.js\r\nb.css"));
    }

    void cancelEscapeAndCloseBoxStoreNothing() {
        Start("[profile:Alpha]\r\nserverpath = /tmp/\r\n");
        for (int way = 0; way < 3; ++way) {
            OpenAddDialog(*sw_, "");
            ProfileDialog& d = sw_->dialog;
            d.name->setText("Other");
            d.serverpath->setText("/tmp/");
            if (way == 0) QTest::mouseClick(d.cancel, Qt::LeftButton);
            if (way == 1) QTest::keyClick(d.name, Qt::Key_Escape);
            if (way == 2) d.window->close();
            QVERIFY(!sw_->dialog.window);
            QVERIFY(sw_->window->isEnabled());
            QCOMPARE(sw_->profiles.size(), size_t(1));
        }
    }

    void editLoadsEveryFieldAndRenameMayDuplicate() {
        Start(
            "[profile:Alpha]\r\nserverpath = /tmp/\r\n\r\n"
            "[profile:Beta]\r\nserverpath = /tmp/\r\nindexpage = start.html\r\ntheme = "
            "cupertino\r\n"
            "encoding = \r\nftpdirectory = /pub\r\nAfterConvertingStartSpecificBrowser = 1\r\n"
            "AfterConvertingSpecificBrowser = /usr/bin/chromium\r\n"
            "additionalscriptsandstylesheets = x.js[#CRLF$]y.css\r\n\r\n"
            "[profile:Gone]\r\nserverpath = /tmp/\r\ntheme = vanished\r\n");
        Select("Beta");
        QTest::mouseClick(sw_->edit, Qt::LeftButton);
        ProfileDialog& d = sw_->dialog;
        QVERIFY(d.window);
        QCOMPARE(d.window->windowTitle(), QString("Edit profile"));
        QCOMPARE(d.indexpage->text(), QString("start.html"));
        QCOMPARE(d.theme->currentText(), QString("cupertino"));
        QCOMPARE(d.encoding->currentText(), QString("UTF8"));  // empty encoding becomes UTF8
        QCOMPARE(d.ftpdirectory->text(), QString("/pub"));
        QVERIFY(d.specificBrowser->isChecked());
        QVERIFY(d.browserPath->isEnabled());
        QCOMPARE(d.browserPath->text(), QString("/usr/bin/chromium"));
        QCOMPARE(d.additional->toPlainText(), QString("x.js\ny.css"));
        d.tabs->setCurrentIndex(4);
        QTest::mouseClick(d.doNothing, Qt::LeftButton, {}, QPoint(6, d.doNothing->height() / 2));
        QVERIFY(!d.browserPath->isEnabled());
        // Renaming onto an existing name is allowed in edit mode.
        d.name->setText("Alpha");
        QTest::mouseClick(d.ok, Qt::LeftButton);
        QVERIFY(told_.empty());
        QCOMPARE(ListNames(sw_->list), QStringList({"Alpha", "Alpha", "Gone"}));
        const Profile& renamed = sw_->profiles[1];
        QCOMPARE(renamed.indexpage, std::string("start.html"));
        QCOMPARE(renamed.AfterConvertingDoNothing, 1);
        QCOMPARE(renamed.AfterConvertingStartSpecificBrowser, 0);
        QCOMPARE(renamed.additionalscriptsandstylesheets, std::string("x.js\r\ny.css"));

        // A theme whose folder is gone opens without choice and is stored empty.
        Select("Gone");
        OpenEditDialog(*sw_, SelectedProfile(*sw_));
        QCOMPARE(sw_->dialog.theme->currentIndex(), -1);
        QTest::mouseClick(sw_->dialog.ok, Qt::LeftButton);
        QCOMPARE(sw_->profiles[2].theme, std::string());
    }

    void duplicateTwiceCopiesEverySetting() {
        Start(
            "[profile:Test]\r\nserverpath = /srv/\r\nindexpage = i.html\r\nftpdirectory = /d\r\n"
            "phpaddress = http://x/p.php\r\n\r\n[profile:copy of Test]\r\nserverpath = /\r\n");
        Select("Test");
        QTest::mouseClick(sw_->duplicate, Qt::LeftButton);
        Select("Test");
        QTest::mouseClick(sw_->duplicate, Qt::LeftButton);
        QCOMPARE(ListNames(sw_->list),
                 QStringList({"Copy of Copy of Test", "Copy of Test", "Test", "copy of Test"}));
        for (int i : {0, 1}) {
            const Profile& p = sw_->profiles[static_cast<size_t>(i)];
            QCOMPARE(p.serverpath, std::string("/srv/"));
            QCOMPARE(p.indexpage, std::string("i.html"));
            QCOMPARE(p.ftpdirectory, std::string("/d"));
            QCOMPARE(p.phpaddress, std::string("http://x/p.php"));
        }
        QCOMPARE(DuplicateName(sw_->profiles, "Copy of Test"),
                 std::string("Copy of Copy of Copy of Test"));
    }

    void deleteAsksAndObeysTheAnswer() {
        Start("[profile:A]\r\n\r\n[profile:B]\r\n");
        QVERIFY(!sw_->remove->isEnabled());
        Select("A");
        answerYes_ = false;
        QTest::mouseClick(sw_->remove, Qt::LeftButton);
        QCOMPARE(QString::fromStdString(LastTold()), QString("Setwright|Sure?"));
        QCOMPARE(ListNames(sw_->list), QStringList({"A", "B"}));
        answerYes_ = true;
        QTest::mouseClick(sw_->remove, Qt::LeftButton);
        QCOMPARE(ListNames(sw_->list), QStringList({"B"}));
        QVERIFY(!sw_->remove->isEnabled());  // the refresh leaves nothing selected
    }

    void listSortsAndShowsTheDirectiveLine() {
        Start("[profile:beta]\r\n\r\n[profile:Zed]\r\n\r\n[profile:Beta]\r\n");
        QCOMPARE(ListNames(sw_->list), QStringList({"Beta", "Zed", "beta"}));
        QVERIFY(!sw_->edit->isEnabled() && !sw_->duplicate->isEnabled());
        QVERIFY(sw_->add->isEnabled() && sw_->copy->isEnabled());
        Select("Zed");
        QVERIFY(sw_->edit->isEnabled() && sw_->duplicate->isEnabled());
        QCOMPARE(sw_->directive->text(), QString("ORV_Converter_SetProfile(\"Zed\")"));
        QTest::mouseClick(sw_->copy, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("ORV_Converter_SetProfile(\"Zed\")"));
        QTest::keyClick(sw_->list, Qt::Key_Escape);
        QVERIFY(!sw_->window->isVisible());
    }

    void doubleClickEditsTheSelectionOrAdds() {
        Start("[profile:A]\r\n");
        QTest::mouseDClick(sw_->list->viewport(), Qt::LeftButton, {}, QPoint(100, 150));
        QVERIFY(sw_->dialog.window);
        QCOMPARE(sw_->dialog.window->windowTitle(), QString("Add profile"));
        QTest::keyClick(sw_->dialog.name, Qt::Key_Escape);
        QPoint onA = sw_->list->visualItemRect(sw_->list->item(0)).center();
        QTest::mouseClick(sw_->list->viewport(), Qt::LeftButton, {}, onA);
        QTest::mouseDClick(sw_->list->viewport(), Qt::LeftButton, {}, onA);
        QVERIFY(sw_->dialog.window);
        QCOMPARE(sw_->dialog.window->windowTitle(), QString("Edit profile"));
        QCOMPARE(sw_->dialog.name->text(), QString("A"));
    }

    void startNameOpensTheAddDialogOnce() {
        Start("", "Fresh");
        QTRY_VERIFY(sw_->dialog.window != nullptr);
        QVERIFY(QTest::qWaitForWindowActive(sw_->dialog.window));
        QCOMPARE(sw_->dialog.name->text(), QString("Fresh"));
        QCOMPARE(DialogFocus(), sw_->dialog.serverpath);
        QVERIFY(sw_->startName.empty());
    }

    void saveAtEndRewritesTheFileOrSaysUps() {
        Start("; comment\r\n[Other]\r\nkey = 1\r\n[profile:b]\r\n[profile:a]\r\n");
        QVERIFY(SaveAtEnd(*sw_));
        std::string text = ReadAll(sw_->settingsFile);
        QVERIFY(text.rfind("[profile:a]\r\n", 0) == 0);
        QVERIFY(text.find("[Other]") == std::string::npos);
        sw_->settingsFile = root_ + "no/such/folder/Orvane.ini";
        QVERIFY(!SaveAtEnd(*sw_));
        QCOMPARE(QString::fromStdString(LastTold()), QString("Ups!|Couldn't save the Profile!"));
    }

    void binarySettingsFileIsKeptAside() {
        static const char kBytes[] =
            "\x7f"
            "ELF\x02\x01\x00\x00[profile:x]\r\n";
        std::string binary(kBytes, sizeof kBytes - 1);
        Start(binary);
        QVERIFY(LastTold().find("is not a text file") != std::string::npos);
        QCOMPARE(ReadAll(sw_->settingsFile + ".bak"), binary);
        QCOMPARE(sw_->list->count(), 0);
    }

    void missingThemesFolderIsReported() {
        sw_->programFolder = root_ + "www/";
        Start("");
        OpenAddDialog(*sw_, "");
        QCOMPARE(QString::fromStdString(LastTold()), QString("Setwright|No themes found!"));
        QCOMPARE(sw_->dialog.theme->count(), 0);
        // The program folder's parent is searched as well.
        QDir().mkpath(QString::fromStdString(root_ + "system/libraries/jquery.ui/themes/base"));
        QTest::mouseClick(sw_->dialog.themeRefresh, Qt::LeftButton);
        QCOMPARE(sw_->dialog.theme->count(), 1);
    }

    void fileSelectionsUseTheirPatterns() {
        Start("");
        std::vector<QString> filters;
        sw_->prompts.chooseFile = [&filters](QWidget*, const std::string& title,
                                             const std::string& start, const QString& filter,
                                             bool) {
            filters.push_back(filter);
            return title == "Select..." ? start + "chosen" : std::string();
        };
        OpenAddDialog(*sw_, "");
        ProfileDialog& d = sw_->dialog;
        d.php.filename->setText("/srv/");
        d.php.choose->click();
        QCOMPARE(d.php.filename->text(), QString("/srv/chosen"));
        d.specificBrowser->click();
        d.browserChoose->click();
        QCOMPARE(filters.front(), QString("PHP file (*.php)"));
        QCOMPARE(QtFileFilter("Asp file (*.Asp)|*.Asp"), QString("Asp file (*.Asp)"));
        QCOMPARE(QtFileFilter("Web (*.js;*.css)|*.js;*.css|All|*"),
                 QString("Web (*.js *.css);;All (*)"));
#ifndef _WIN32
        QCOMPARE(filters.back(), QString("Executable (*)"));
#endif
    }

    void screenshots() {
        Start("[profile:Example site]\r\nserverpath = /var/www/\r\n\r\n[profile:Local test]\r\n");
        Select("Example site");
        QString folder = QStringLiteral(ORVANE_DIST_DIR "/../screenshots/");
        QDir().mkpath(folder);
        QVERIFY(sw_->window->grab().save(folder + "setwright-main.png"));
        OpenEditDialog(*sw_, 0);
        ProfileDialog& d = sw_->dialog;
        QVERIFY(QTest::qWaitForWindowExposed(d.window));
        for (int i = 0; i < d.tabs->count(); ++i) {
            d.tabs->setCurrentIndex(i);
            QString name = d.tabs->tabText(i).toLower().remove(' ').replace('/', '-');
            QVERIFY(d.window->grab().save(folder + "setwright-dialog-" + name + ".png"));
        }
    }
};

QTEST_MAIN(SetwrightTest)
#include "setwright_test.moc"
