#include "setpicker/setpicker.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QThread>

#include "platform/platform.h"

namespace orvane {

namespace {

void UpdateOk(Setpicker& sp) {
    sp.ok->setEnabled(!sp.list->selectedItems().isEmpty());
}

void FillList(Setpicker& sp) {
    sp.list->clear();
    for (const Profile& p : sp.profiles)
        sp.list->addItem(QString::fromStdString(p.name));
}

void SetControlsEnabled(Setpicker& sp, bool enabled) {
    sp.list->setEnabled(enabled);
    sp.manage->setEnabled(enabled);
    sp.ok->setEnabled(enabled);
    sp.cancel->setEnabled(enabled);
}

void ManagingEnded(Setpicker& sp) {
    sp.worker->deleteLater();
    sp.worker = nullptr;
    sp.profiles = LoadProfiles(sp.settingsFile);
    FillList(sp);
    SetControlsEnabled(sp, true);
    UpdateOk(sp);
    sp.list->setFocus();
}

}  // namespace

void GuardedWindow::closeEvent(QCloseEvent* event) {
    if (mayClose && !mayClose())
        event->ignore();
    else
        event->accept();
}

void ChooseSelected(Setpicker& sp) {
    QList<QListWidgetItem*> items = sp.list->selectedItems();
    if (sp.worker || items.isEmpty()) return;
    int row = sp.list->row(items.first());
    // The window closes also when the file cannot be written; the converter then finds no choice.
    WriteSelection(sp.profiles[static_cast<size_t>(row)].name);
    sp.answered = true;
    sp.window->close();
}

void CancelChoice(Setpicker& sp) {
    if (sp.worker) return;
    WriteSelection("");
    sp.answered = true;
    sp.window->close();
}

void ManageProfiles(Setpicker& sp) {
    if (sp.worker) return;
    SetControlsEnabled(sp, false);
    std::string program = sp.setwrightPath;
    // When Setwright cannot start, the thread still ends and the list is simply read again.
    sp.worker = QThread::create([program] { RunProgramAndWait(program, {}); });
    Setpicker* s = &sp;
    QObject::connect(sp.worker, &QThread::finished, sp.window, [s] { ManagingEnded(*s); });
    sp.worker->start();
}

void StartSetpicker(Setpicker& sp) {
    sp.profiles = LoadProfiles(sp.settingsFile);
    sp.window = new GuardedWindow;
    sp.window->setWindowTitle("Orvane");
    sp.window->setFixedSize(304, 296);
    sp.label = new QLabel("Please select a profile:", sp.window);
    sp.label->setGeometry(8, 8, 192, 16);
    sp.list = new QListWidget(sp.window);
    sp.list->setGeometry(8, 24, 288, 232);
    sp.list->setSelectionMode(QAbstractItemView::SingleSelection);
    sp.manage = new QPushButton("Manage...", sp.window);
    sp.manage->setGeometry(8, 264, 100, 25);
    sp.ok = new QPushButton("OK", sp.window);
    sp.ok->setGeometry(128, 264, 80, 24);
    sp.cancel = new QPushButton("Cancel", sp.window);
    sp.cancel->setGeometry(216, 264, 80, 24);

    Setpicker* s = &sp;
    sp.window->mayClose = [s] { return s->worker == nullptr; };
    QObject::connect(sp.list, &QListWidget::itemSelectionChanged, [s] { UpdateOk(*s); });
    QObject::connect(sp.list, &QListWidget::itemDoubleClicked, [s] { ChooseSelected(*s); });
    QObject::connect(sp.ok, &QPushButton::clicked, [s] { ChooseSelected(*s); });
    QObject::connect(sp.cancel, &QPushButton::clicked, [s] { CancelChoice(*s); });
    QObject::connect(sp.manage, &QPushButton::clicked, [s] { ManageProfiles(*s); });
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(QKeySequence(key), sp.window);
        QObject::connect(shortcut, &QShortcut::activated, [s] { ChooseSelected(*s); });
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), sp.window);
    QObject::connect(escape, &QShortcut::activated, [s] { CancelChoice(*s); });

    FillList(sp);
    if (sp.list->count() > 0) sp.list->setCurrentRow(0);
    UpdateOk(sp);
    sp.window->show();
    sp.list->setFocus();
}

}  // namespace orvane
