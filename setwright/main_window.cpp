#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "platform/platform.h"
#include "setwright/setwright.h"

namespace orvane {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Lets a plain function watch another object's events (the list's double clicks).
class EventHook : public QObject {
  public:
    EventHook(QObject* parent, std::function<bool(QEvent*)> onEvent)
        : QObject(parent), onEvent_(std::move(onEvent)) {}
    bool eventFilter(QObject*, QEvent* event) override { return onEvent_(event); }

  private:
    std::function<bool(QEvent*)> onEvent_;
};

void UpdateButtons(Setwright& sw) {
    bool selected = SelectedProfile(sw) >= 0;
    sw.edit->setEnabled(selected);
    sw.remove->setEnabled(selected);
    sw.duplicate->setEnabled(selected);
}

void ListChanged(Setwright& sw) {
    int index = SelectedProfile(sw);
    sw.directive->setText(index >= 0 ? Q(DirectiveLine(sw.profiles[index].name)) : QString());
    UpdateButtons(sw);
}

void DeleteSelected(Setwright& sw) {
    int index = SelectedProfile(sw);
    if (index < 0) return;
    if (!sw.prompts.askYesNo(sw.window, "Setwright", "Sure?")) return;
    sw.profiles.erase(sw.profiles.begin() + index);
    RefreshList(sw);
}

void DuplicateSelected(Setwright& sw) {
    int index = SelectedProfile(sw);
    if (index < 0) return;
    Profile copy = sw.profiles[index];
    copy.name = DuplicateName(sw.profiles, copy.name);
    sw.profiles.push_back(copy);
    RefreshList(sw);
}

QPushButton* Button(QWidget* parent, const char* text, int x, int y, int w, int h) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setGeometry(x, y, w, h);
    return button;
}

void BuildMainWindow(Setwright& sw) {
    sw.window = new QWidget;
    sw.window->setWindowTitle(kSetwrightTitle);
    sw.window->setFixedSize(408, 312);

    sw.tabs = new QTabWidget(sw.window);
    sw.tabs->setGeometry(8, 8, 392, 296);
    auto* page = new QWidget;
    sw.tabs->addTab(page, "Profiles");

    sw.list = new QListWidget(page);
    sw.list->setGeometry(16, 18, 192, 168);
    sw.list->setSelectionMode(QAbstractItemView::SingleSelection);
    sw.add = Button(page, "Add...", 248, 16, 128, 24);
    sw.edit = Button(page, "Edit...", 248, 48, 128, 24);
    sw.remove = Button(page, "Delete", 248, 80, 128, 24);
    sw.duplicate = Button(page, "Duplicate profile", 248, 160, 128, 24);
    sw.directive = new QLineEdit(page);
    sw.directive->setGeometry(16, 200, 360, 25);
    sw.directive->setReadOnly(true);
    sw.copy = Button(page, "Copy to clipboard", 248, 232, 128, 24);

    Setwright* s = &sw;
    QObject::connect(sw.list, &QListWidget::itemSelectionChanged, [s] { ListChanged(*s); });
    QObject::connect(sw.list, &QListWidget::itemClicked, [s] { ListChanged(*s); });
    sw.list->viewport()->installEventFilter(new EventHook(sw.list, [s](QEvent* event) {
        if (event->type() != QEvent::MouseButtonDblClick) return false;
        ListChanged(*s);
        int index = SelectedProfile(*s);
        if (index < 0)
            OpenAddDialog(*s, "");
        else
            OpenEditDialog(*s, index);
        return true;
    }));
    QObject::connect(sw.add, &QPushButton::clicked, [s] { OpenAddDialog(*s, ""); });
    QObject::connect(sw.edit, &QPushButton::clicked, [s] {
        int index = SelectedProfile(*s);
        if (index >= 0) OpenEditDialog(*s, index);
    });
    QObject::connect(sw.remove, &QPushButton::clicked, [s] { DeleteSelected(*s); });
    QObject::connect(sw.duplicate, &QPushButton::clicked, [s] { DuplicateSelected(*s); });
    QObject::connect(sw.copy, &QPushButton::clicked,
                     [s] { QGuiApplication::clipboard()->setText(s->directive->text()); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), sw.window);
    QObject::connect(escape, &QShortcut::activated, [s] { s->window->close(); });
}

}  // namespace

UserPrompts DesktopPrompts() {
    UserPrompts prompts;
    prompts.askYesNo = [](QWidget* parent, const std::string& title, const std::string& text) {
        return QMessageBox::question(parent, Q(title), Q(text),
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    prompts.tell = [](QWidget* parent, const std::string& title, const std::string& text) {
        QMessageBox::information(parent, Q(title), Q(text));
    };
    prompts.chooseFile = [](QWidget* parent, const std::string& title, const std::string& start,
                            const QString& filter, bool mustExist) {
        // A server program is often named before the converter has written it, so its
        // selection also takes a name that does not exist yet.
        QFileDialog dialog(parent, Q(title), Q(start), filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::string();
        return dialog.selectedFiles().first().toStdString();
    };
    prompts.chooseFolder = [](QWidget* parent, const std::string& title, const std::string& start) {
        QString folder = QFileDialog::getExistingDirectory(parent, Q(title), Q(start));
        return folder.isEmpty() ? std::string() : WithSlash(folder.toStdString());
    };
    return prompts;
}

std::string DirectiveLine(const std::string& name) {
    return "ORV_Converter_SetProfile(\"" + name + "\")";
}

std::string DuplicateName(const std::vector<Profile>& profiles, const std::string& name) {
    std::string names = "\t";
    for (const Profile& p : profiles)
        names += p.name + "\t";
    std::string copy = "Copy of " + name;
    while (names.find("\t" + copy + "\t") != std::string::npos)
        copy = "Copy of " + copy;
    return copy;
}

int SelectedProfile(const Setwright& sw) {
    QList<QListWidgetItem*> items = sw.list->selectedItems();
    if (items.isEmpty()) return -1;
    int row = sw.list->row(items.first());
    return row >= 0 && row < static_cast<int>(sw.profiles.size()) ? row : -1;
}

void RefreshList(Setwright& sw) {
    std::stable_sort(sw.profiles.begin(), sw.profiles.end(),
                     [](const Profile& a, const Profile& b) { return a.name < b.name; });
    QSignalBlocker block(sw.list);
    sw.list->clear();
    for (const Profile& p : sw.profiles)
        sw.list->addItem(Q(p.name));
    UpdateButtons(sw);
    sw.directive->clear();
}

void StartSetwright(Setwright& sw) {
    if (!ProfileFileIsText(sw.settingsFile)) {
        // Saving at the end would overwrite whatever this is; keep it aside first.
        std::string kept = sw.settingsFile + ".bak";
        if (CopyFileOver(sw.settingsFile, kept)) {
            sw.prompts.tell(nullptr, "Setwright",
                            "The profile settings file '" + sw.settingsFile +
                                "' is not a text file. It was kept as '" + kept +
                                "'; Setwright starts without profiles.");
        } else {
            sw.prompts.tell(nullptr, "Setwright",
                            "The profile settings file '" + sw.settingsFile +
                                "' is not a text file and could not be kept aside; Setwright "
                                "will not overwrite it.");
            sw.settingsFile.clear();
        }
    } else {
        sw.profiles = LoadProfiles(sw.settingsFile);
    }
    BuildMainWindow(sw);
    RefreshList(sw);
    sw.window->show();
    if (!sw.startName.empty()) {
        Setwright* s = &sw;
        QTimer::singleShot(0, sw.window, [s] {
            std::string name = s->startName;
            s->startName.clear();
            if (!s->dialog.window) OpenAddDialog(*s, name);
        });
    }
}

bool SaveAtEnd(Setwright& sw) {
    if (sw.settingsFile.empty()) return false;  // the user was told at the start
    if (SaveProfiles(sw.settingsFile, sw.profiles)) return true;
    sw.prompts.tell(nullptr, "Ups!", "Couldn't save the Profile!");
    return false;
}

}  // namespace orvane
