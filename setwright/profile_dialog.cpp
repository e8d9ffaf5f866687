#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/platform.h"
#include "setwright/setwright.h"

namespace orvane {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
std::string S(const QString& s) {
    return s.toStdString();
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

// Shows the tab that holds the field (and the inner tab too) and puts the cursor there.
void FocusField(QWidget* field) {
    for (QWidget* w = field; w; w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        if (!stack) continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(w);
    }
    field->setFocus(Qt::OtherFocusReason);
}

QLineEdit* AddRow(QGridLayout* grid, int row, const char* label) {
    auto* edit = new QLineEdit;
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QPushButton* ChooseButton() {
    auto* button = new QPushButton("...");
    button->setFixedWidth(32);
    return button;
}

void FillThemes(Setwright& sw, const QString& choice) {
    ProfileDialog& d = sw.dialog;
    d.theme->clear();
    bool found = false;
    std::vector<std::string> names = ThemeNames(sw.programFolder, found);
    if (!found) {
        sw.prompts.tell(d.window, "Setwright", "No themes found!");
        return;
    }
    for (const std::string& name : names)
        d.theme->addItem(Q(name));
    d.theme->setCurrentIndex(d.theme->findText(choice));
}

void UpdateBrowserFields(ProfileDialog& d) {
    bool specific = d.specificBrowser->isChecked();
    d.browserPath->setEnabled(specific);
    d.browserChoose->setEnabled(specific);
}

void ChooseFileInto(Setwright& sw, QLineEdit* field, const char* pattern, bool mustExist) {
    std::string chosen = sw.prompts.chooseFile(sw.dialog.window, "Select...", S(field->text()),
                                               QtFileFilter(pattern), mustExist);
    if (!chosen.empty()) field->setText(Q(chosen));
}

QWidget* CommonTab(Setwright& sw) {
    ProfileDialog& d = sw.dialog;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    d.indexpage = AddRow(grid, 0, "Index-Page:");
    d.serverpath = AddRow(grid, 1, "Server-Path:");
    d.serverpathChoose = ChooseButton();
    grid->addWidget(d.serverpathChoose, 1, 2);
    d.serveraddress = AddRow(grid, 2, "Server-Address:");
    d.applicationname = AddRow(grid, 3, "Application-Name:");
    grid->addWidget(new QLabel("Theme:"), 4, 0);
    d.theme = new QComboBox;
    grid->addWidget(d.theme, 4, 1);
    d.themeRefresh = new QToolButton;
    d.themeRefresh->setIcon(page->style()->standardIcon(QStyle::SP_BrowserReload));
    d.themeRefresh->setToolTip("Read the themes again");
    grid->addWidget(d.themeRefresh, 4, 2);
    grid->addWidget(new QLabel("Encoding:"), 5, 0);
    d.encoding = new QComboBox;
    d.encoding->addItems({"Ascii", "UTF8", "Unicode"});
    grid->addWidget(d.encoding, 5, 1);
    grid->setRowStretch(6, 1);

    Setwright* s = &sw;
    QObject::connect(d.serverpathChoose, &QPushButton::clicked, [s] {
        std::string chosen =
            s->prompts.chooseFolder(s->dialog.window, "Select...", S(s->dialog.serverpath->text()));
        if (!chosen.empty()) s->dialog.serverpath->setText(Q(chosen));
    });
    QObject::connect(d.themeRefresh, &QToolButton::clicked,
                     [s] { FillThemes(*s, s->dialog.theme->currentText()); });
    return page;
}

QWidget* ScriptsTab(ProfileDialog& d) {
    auto* page = new QWidget;
    auto* box = new QVBoxLayout(page);
    box->addWidget(new QLabel("Additional scripts and stylesheets (one per line):"));
    d.additional = new QPlainTextEdit;
    d.additional->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->addWidget(d.additional);
    return page;
}

QWidget* ServerTab(Setwright& sw, ServerFields& fields, const char* pattern) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    fields.filename = AddRow(grid, 0, "Filename:");
    fields.choose = ChooseButton();
    grid->addWidget(fields.choose, 0, 2);
    fields.address = AddRow(grid, 1, "Address:");
    grid->setRowStretch(2, 1);
    Setwright* s = &sw;
    QLineEdit* field = fields.filename;
    QObject::connect(fields.choose, &QPushButton::clicked,
                     [s, field, pattern] { ChooseFileInto(*s, field, pattern, false); });
    return page;
}

QWidget* ServerCodeTab(Setwright& sw) {
    ProfileDialog& d = sw.dialog;
    auto* page = new QWidget;
    auto* box = new QVBoxLayout(page);
    d.serverTabs = new QTabWidget;
    d.serverTabs->addTab(ServerTab(sw, d.cgi, "Executable (*.exe)|*.exe"), "CGI");
    d.serverTabs->addTab(ServerTab(sw, d.php, "PHP file (*.php)|*.php"), "PHP");
    d.serverTabs->addTab(ServerTab(sw, d.asp, "Asp file (*.Asp)|*.Asp"), "ASP");
    d.serverTabs->addTab(ServerTab(sw, d.aspx, "Aspx file (*.Aspx)|*.Aspx"), "ASPX");
    d.serverTabs->addTab(ServerTab(sw, d.python, "Python file (*.py)|*.py"), "Python");
    d.serverTabs->addTab(ServerTab(sw, d.nodejs, "JavaScript file (*.js)|*.js"), "NodeJS");
    box->addWidget(d.serverTabs);
    return page;
}

QWidget* FtpTab(ProfileDialog& d) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    d.ftphost = AddRow(grid, 0, "FTP-Host:");
    d.ftpdirectory = AddRow(grid, 1, "FTP-Directory:");
    d.ftpuser = AddRow(grid, 2, "FTP-Username:");
    d.ftppass = AddRow(grid, 3, "FTP-Password:");
    d.ftppass->setEchoMode(QLineEdit::Password);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* BrowserTab(Setwright& sw) {
    ProfileDialog& d = sw.dialog;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel("After converting..."), 0, 0, 1, 3);
    d.doNothing = new QRadioButton("... do nothing");
    d.defaultBrowser = new QRadioButton("... start Default-Browser");
    d.specificBrowser = new QRadioButton("... start specific Browser:");
    auto* group = new QButtonGroup(page);
    group->addButton(d.doNothing);
    group->addButton(d.defaultBrowser);
    group->addButton(d.specificBrowser);
    grid->addWidget(d.doNothing, 1, 0, 1, 3);
    grid->addWidget(d.defaultBrowser, 2, 0, 1, 3);
    grid->addWidget(d.specificBrowser, 3, 0);
    d.browserPath = new QLineEdit;
    grid->addWidget(d.browserPath, 3, 1);
    d.browserChoose = ChooseButton();
    grid->addWidget(d.browserChoose, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    Setwright* s = &sw;
    QObject::connect(group, &QButtonGroup::buttonClicked, [s] { UpdateBrowserFields(s->dialog); });
    QObject::connect(d.browserChoose, &QPushButton::clicked, [s] {
        ChooseFileInto(*s, s->dialog.browserPath, "Executable (*.exe)|*.exe", true);
    });
    return page;
}

void CloseDialog(Setwright& sw, bool stored) {
    QDialog* window = sw.dialog.window;
    sw.dialog = ProfileDialog{};
    sw.window->setEnabled(true);
    window->hide();
    window->deleteLater();
    if (stored) RefreshList(sw);
}

void BuildDialog(Setwright& sw, bool addMode) {
    ProfileDialog& d = sw.dialog;
    d = ProfileDialog{};
    d.addMode = addMode;
    d.window = new QDialog(sw.window);
    d.window->setWindowTitle(addMode ? "Add profile" : "Edit profile");
    d.window->setFixedSize(490, 370);

    auto* nameLabel = new QLabel("Profile-Name:", d.window);
    nameLabel->setGeometry(8, 10, 110, 22);
    d.name = new QLineEdit(d.window);
    d.name->setGeometry(120, 8, 360, 24);

    d.tabs = new QTabWidget(d.window);
    d.tabs->setGeometry(8, 40, 472, 280);
    d.tabs->addTab(CommonTab(sw), "Common");
    d.tabs->addTab(ScriptsTab(d), "JavaScript / CSS");
    d.tabs->addTab(ServerCodeTab(sw), "ServerCode");
    d.tabs->addTab(FtpTab(d), "FTP");
    d.tabs->addTab(BrowserTab(sw), "Browser");

    d.ok = new QPushButton("OK", d.window);
    d.ok->setGeometry(312, 338, 80, 24);
    d.ok->setDefault(true);
    d.cancel = new QPushButton("Cancel", d.window);
    d.cancel->setGeometry(400, 338, 80, 24);

    Setwright* s = &sw;
    QObject::connect(d.ok, &QPushButton::clicked, [s] { ConfirmDialog(*s); });
    QObject::connect(d.cancel, &QPushButton::clicked, d.window, &QDialog::reject);
    // Escape and the close box end up here as well.
    QObject::connect(d.window, &QDialog::rejected, [s] {
        if (s->dialog.window) CloseDialog(*s, false);
    });
}

void ShowDialog(Setwright& sw) {
    sw.window->setEnabled(false);
    sw.dialog.window->setEnabled(true);
    UpdateBrowserFields(sw.dialog);
    sw.dialog.window->show();
    sw.dialog.window->activateWindow();
}

// The folder a path lies in (up to its last separator) must exist.
bool FolderOfPathExists(const std::string& path) {
    return FolderExists(FolderPart(path));
}

}  // namespace

std::vector<std::string> ThemeNames(const std::string& programFolder, bool& found) {
    std::string folder = programFolder + "system/libraries/jquery.ui/themes/";
    if (!FolderExists(folder)) folder = programFolder + "../system/libraries/jquery.ui/themes/";
    found = FolderExists(folder);
    std::vector<std::string> names;
    if (!found) return names;
    // Sorted, so the list reads the same on every file system.
    for (const QString& name :
         QDir(Q(folder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        names.push_back(S(name));
    return names;
}

QString QtFileFilter(const std::string& pattern) {
    QStringList parts = Q(pattern).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        QString patterns = parts[i + 1];
#ifndef _WIN32
        // Programs here carry no ".exe"; any file may be one.
        patterns.replace(QStringLiteral("*.exe"), QStringLiteral("*"), Qt::CaseInsensitive);
#endif
        patterns.replace(';', ' ');
        qsizetype open = label.lastIndexOf('(');
        if (open > 0) label = label.left(open).trimmed();
        filters << label + " (" + patterns + ")";
    }
    return filters.join(";;");
}

void OpenAddDialog(Setwright& sw, const std::string& startName) {
    if (sw.dialog.window) return;
    BuildDialog(sw, true);
    ProfileDialog& d = sw.dialog;
    d.indexpage->setText("index.html");
    d.encoding->setCurrentIndex(d.encoding->findText("UTF8"));
    FillThemes(sw, "smoothness");
    ShowDialog(sw);
    if (!startName.empty()) {
        d.name->setText(Q(startName));
        d.serverpath->setFocus(Qt::OtherFocusReason);
    } else {
        d.name->setFocus(Qt::OtherFocusReason);
    }
}

void OpenEditDialog(Setwright& sw, int index) {
    if (sw.dialog.window || index < 0 || index >= static_cast<int>(sw.profiles.size())) return;
    Profile& p = sw.profiles[index];
    if (p.encoding.empty()) p.encoding = "UTF8";
    BuildDialog(sw, false);
    ProfileDialog& d = sw.dialog;
    d.editIndex = index;
    d.name->setText(Q(p.name));
    d.indexpage->setText(Q(p.indexpage));
    d.serverpath->setText(Q(p.serverpath));
    d.serveraddress->setText(Q(p.serveraddress));
    d.applicationname->setText(Q(p.applicationname));
    d.additional->setPlainText(Q(Replace(p.additionalscriptsandstylesheets, "\r\n", "\n")));
    d.cgi.filename->setText(Q(p.cgifilename));
    d.cgi.address->setText(Q(p.cgiaddress));
    d.php.filename->setText(Q(p.phpfilename));
    d.php.address->setText(Q(p.phpaddress));
    d.asp.filename->setText(Q(p.aspfilename));
    d.asp.address->setText(Q(p.aspaddress));
    d.aspx.filename->setText(Q(p.aspxfilename));
    d.aspx.address->setText(Q(p.aspxaddress));
    d.python.filename->setText(Q(p.pythonfilename));
    d.python.address->setText(Q(p.pythonaddress));
    d.nodejs.filename->setText(Q(p.nodejsfilename));
    d.nodejs.address->setText(Q(p.nodejsaddress));
    d.ftphost->setText(Q(p.ftphost));
    d.ftpdirectory->setText(Q(p.ftpdirectory));
    d.ftpuser->setText(Q(p.ftpuser));
    d.ftppass->setText(Q(p.ftppass));
    d.doNothing->setChecked(p.AfterConvertingDoNothing != 0);
    d.defaultBrowser->setChecked(p.AfterConvertingStartDefaultBrowser != 0);
    d.specificBrowser->setChecked(p.AfterConvertingStartSpecificBrowser != 0);
    d.browserPath->setText(Q(p.AfterConvertingSpecificBrowser));
    FillThemes(sw, Q(p.theme));
    d.encoding->setCurrentIndex(d.encoding->findText(Q(p.encoding)));
    ShowDialog(sw);
    d.name->setFocus(Qt::OtherFocusReason);
}

bool ConfirmDialog(Setwright& sw) {
    ProfileDialog& d = sw.dialog;
    if (!d.window) return false;
    auto refuse = [&sw, &d](QWidget* field, const char* text) {
        sw.prompts.tell(d.window, "Setwright", text);
        FocusField(field);
        return false;
    };
    std::string name = S(d.name->text());
    if (name.empty()) return refuse(d.name, "Please choose a profile name");
    // Such a name could not be read back from the settings file.
    if (!ProfileNameFitsFile(name))
        return refuse(d.name, "A profile name can't hold \"]\" or a line break");
    if (d.addMode) {
        QString lower = d.name->text().toLower();
        for (const Profile& p : sw.profiles)
            if (Q(p.name).toLower() == lower)
                return refuse(d.name, "Please choose another profile name");
    }
    std::string serverpath = S(d.serverpath->text());
    if (serverpath.empty()) return refuse(d.serverpath, "Please choose a server path");
    if (!FolderOfPathExists(serverpath))
        return refuse(d.serverpath, "The server path doesn't exists");
    // The converter deploys into this folder; a file there would only fail at conversion time.
    if (FileExists(serverpath))
        return refuse(d.serverpath, "The server path is a file, not a folder");
    struct FileCheck {
        QLineEdit* field;
        const char* message;
    };
    const FileCheck files[] = {{d.asp.filename, "ASP-Filename: Path doesn't exists"},
                               {d.aspx.filename, "ASPX-Filename: Path doesn't exists"},
                               {d.cgi.filename, "CGI-Filename: Path doesn't exists"},
                               {d.nodejs.filename, "NodeJs-Filename: Path doesn't exists"},
                               {d.php.filename, "PHP-Filename: Path doesn't exists"},
                               {d.python.filename, "Python-Filename: Path doesn't exists"}};
    for (const FileCheck& check : files) {
        std::string file = S(check.field->text());
        if (!file.empty() && !FolderOfPathExists(file)) return refuse(check.field, check.message);
    }

    if (d.addMode) {
        sw.profiles.push_back(Profile{});
        d.editIndex = static_cast<int>(sw.profiles.size()) - 1;
    }
    Profile& p = sw.profiles[d.editIndex];
    p.name = name;
    p.indexpage = S(d.indexpage->text());
    p.serverpath = serverpath;
    p.serveraddress = S(d.serveraddress->text());
    p.applicationname = S(d.applicationname->text());
    p.theme = S(d.theme->currentText());
    p.encoding = S(d.encoding->currentText());
    p.additionalscriptsandstylesheets = Replace(S(d.additional->toPlainText()), "\n", "\r\n");
    p.cgifilename = S(d.cgi.filename->text());
    p.cgiaddress = S(d.cgi.address->text());
    p.phpfilename = S(d.php.filename->text());
    p.phpaddress = S(d.php.address->text());
    p.aspfilename = S(d.asp.filename->text());
    p.aspaddress = S(d.asp.address->text());
    p.aspxfilename = S(d.aspx.filename->text());
    p.aspxaddress = S(d.aspx.address->text());
    p.pythonfilename = S(d.python.filename->text());
    p.pythonaddress = S(d.python.address->text());
    p.nodejsfilename = S(d.nodejs.filename->text());
    p.nodejsaddress = S(d.nodejs.address->text());
    p.ftphost = S(d.ftphost->text());
    p.ftpdirectory = S(d.ftpdirectory->text());
    p.ftpuser = S(d.ftpuser->text());
    p.ftppass = S(d.ftppass->text());
    p.AfterConvertingDoNothing = d.doNothing->isChecked() ? 1 : 0;
    p.AfterConvertingStartDefaultBrowser = d.defaultBrowser->isChecked() ? 1 : 0;
    p.AfterConvertingStartSpecificBrowser = d.specificBrowser->isChecked() ? 1 : 0;
    p.AfterConvertingSpecificBrowser = S(d.browserPath->text());
    CloseDialog(sw, true);
    return true;
}

}  // namespace orvane
