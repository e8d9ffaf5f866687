// The converter's progress window: a logo, the title, the version and the message list that
// shows every line the run reports. The run itself works on a worker thread and never touches
// the window; its lines arrive as posted events, in the order they were reported.
#pragma once

#include <QLabel>
#include <QTreeWidget>
#include <QWidget>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "converter/run/conversion.h"

namespace orvane {

// Where a click on the logo leads.
inline constexpr const char* kProductSite = "https://www.purebasic.com/";

class ProgressWindow : public QWidget {
    Q_OBJECT
  public:
    ProgressWindow();
    ~ProgressWindow() override;

    // Hands a reported line to the window thread; callable from any thread.
    void PostLine(const std::string& line);

    // Routes the conversion's lines and its Yes/No question to this window and starts the run on
    // a worker thread. The window closes by itself once conv.RunFinished is set.
    void StartRun(Conversion& conv, std::function<void(Conversion&)> run);
    // True once the worker thread has returned.
    bool RunEnded() const { return runEnded_; }
    // Waits for the worker thread when it has ended; false while it still runs.
    bool JoinRun();

    QTreeWidget* Messages() const { return messages_; }
    QLabel* Logo() const { return logo_; }
    QLabel* Title() const { return title_; }
    QLabel* VersionText() const { return version_; }

  protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

  private:
    void AddRow(const QString& text);
    void LayOut(int width, int height);
    bool AskOnWindowThread(const std::string& title, const std::string& text);

    QLabel* logo_;
    QLabel* title_;
    QLabel* version_;
    QTreeWidget* messages_;
    Conversion* conv_ = nullptr;
    std::thread worker_;
    std::atomic<bool> runEnded_{false};
};

}  // namespace orvane
