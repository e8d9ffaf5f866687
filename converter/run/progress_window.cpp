#include "converter/run/progress_window.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QUrl>

// The window lives in a static library; its resources must be registered by hand.
static void InitOrvaneResources() {
    Q_INIT_RESOURCE(orvane);
}

namespace orvane {

namespace {

constexpr int kClientWidth = 448;
constexpr int kClientHeight = 400;
const QColor kTitleColour(0, 92, 163);
const QColor kErrorColour(255, 0, 0);

// One reported line on its way from the worker thread to the window thread.
struct LineEvent : QEvent {
    static QEvent::Type Id() {
        static const auto id = static_cast<QEvent::Type>(QEvent::registerEventType());
        return id;
    }
    explicit LineEvent(std::string text) : QEvent(Id()), line(std::move(text)) {}
    std::string line;
};

QLabel* TextLabel(QWidget* parent, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kTitleColour);
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

}  // namespace

ProgressWindow::ProgressWindow() {
    InitOrvaneResources();
    setWindowTitle(QStringLiteral("Orvane"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    logo_ = new QLabel(this);
    logo_->setPixmap(QPixmap(QStringLiteral(":/orvane/logo.png")));
    logo_->setCursor(Qt::PointingHandCursor);
    logo_->installEventFilter(this);

    title_ = TextLabel(this, QStringLiteral("Orvane"), QFont(QStringLiteral("Arial"), 36));
    version_ = TextLabel(this, QStringLiteral("Version 2015-12-06"), font());

    messages_ = new QTreeWidget(this);
    messages_->setColumnCount(1);
    messages_->setHeaderLabels({QStringLiteral("Log")});
    messages_->setHeaderHidden(true);
    messages_->setRootIsDecorated(false);
    messages_->setUniformRowHeights(true);
    messages_->setColumnWidth(0, 1000);
    messages_->header()->setStretchLastSection(false);
    messages_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    LayOut(kClientWidth, kClientHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Escape closes the window only after the run; during it the key does nothing.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (runEnded_) close();
    });
    startTimer(100);
}

ProgressWindow::~ProgressWindow() {
    if (!JoinRun() && worker_.joinable()) worker_.detach();
}

bool ProgressWindow::JoinRun() {
    if (!runEnded_) return false;
    if (worker_.joinable()) worker_.join();
    return true;
}

void ProgressWindow::LayOut(int width, int height) {
    logo_->setGeometry(width - 108, 10, 97, 71);
    title_->setGeometry(10, 10, width - 128, 50);
    version_->setGeometry(10, 70, width - 128, 15);
    messages_->setGeometry(10, 90, width - 18, height - 98);
}

void ProgressWindow::resizeEvent(QResizeEvent* e) {
    LayOut(e->size().width(), e->size().height());
    QWidget::resizeEvent(e);
}

void ProgressWindow::PostLine(const std::string& line) {
    QCoreApplication::postEvent(this, new LineEvent(line));
}

void ProgressWindow::AddRow(const QString& text) {
    auto* row = new QTreeWidgetItem(messages_, {text});
    if (text.contains(QStringLiteral("Error: "))) row->setForeground(0, kErrorColour);
    messages_->setCurrentItem(row);
    messages_->scrollToItem(row);
    messages_->resizeColumnToContents(0);
}

bool ProgressWindow::event(QEvent* e) {
    if (e->type() == LineEvent::Id()) {
        AddRow(QString::fromStdString(static_cast<LineEvent*>(e)->line));
        return true;
    }
    return QWidget::event(e);
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == logo_ && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductSite)));
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void ProgressWindow::timerEvent(QTimerEvent*) {
    if (conv_ && conv_->RunFinished && isVisible()) close();
}

bool ProgressWindow::AskOnWindowThread(const std::string& title, const std::string& text) {
    bool yes = false;
    QMetaObject::invokeMethod(
        this,
        [&] {
            yes = QMessageBox::question(this, QString::fromStdString(title),
                                        QString::fromStdString(text),
                                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        },
        Qt::BlockingQueuedConnection);
    return yes;
}

void ProgressWindow::StartRun(Conversion& conv, std::function<void(Conversion&)> run) {
    conv_ = &conv;
    conv.Sink = [this](const std::string& line, bool) { PostLine(line); };
    conv.Ask = [this](const std::string& title, const std::string& text) {
        return AskOnWindowThread(title, text);
    };
    worker_ = std::thread([this, &conv, run = std::move(run)] {
        run(conv);
        runEnded_ = true;
    });
}

}  // namespace orvane
