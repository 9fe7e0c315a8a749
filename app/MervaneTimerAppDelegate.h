// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CountdownTimer.h"
#include "CountdownView.h"
#include "MonotonicClock.h"

#include <QDateTime>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <memory>

class FullScreenWindow;
class GameRecorder;
class PhaseOutlook;
class QAction;
class SoundPlayer;

// Ties the application together: owns the one countdown and the one cue player, turns the
// operator's commands into calls on them, forwards texts to the views by notification, and
// ends the application when the main window closes.
class MervaneTimerAppDelegate : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString marquisText READ marquisText WRITE setMarquisText NOTIFY marquisTextChanged)
    Q_PROPERTY(QString displayTime READ displayTime WRITE setDisplayTime NOTIFY displayTimeChanged)

public:
    using WallClock = std::function<qint64()>;

    // Resumes the game saved beside the preferences, if there is one.
    explicit MervaneTimerAppDelegate(CountdownTimer::Clock clock = MonotonicClock::seconds,
        WallClock wallClock = QDateTime::currentMSecsSinceEpoch, QObject *parent = nullptr);
    ~MervaneTimerAppDelegate() override;

    QMainWindow *window() const { return _window; }
    void setWindow(QMainWindow *window) { _window = window; }
    ResizableTextView *marquisView() const { return _marquisView; }
    void setMarquisView(ResizableTextView *view) { _marquisView = view; }
    CountdownView *countdownView() const { return _countdownView; }
    void setCountdownView(CountdownView *view) { _countdownView = view; }
    CountdownTimer &timer() const { return *_timer; }
    PhaseOutlook &outlook() const { return *_outlook; }
    // The full-screen window while full screen is on, else null.
    FullScreenWindow *fullScreenWindow() const { return _fullScreenWindow.get(); }
    SoundPlayer &soundPlayer() const { return *_soundPlayer; }
    // The phase as the room sees it: after a resume, with how long the clock was down.
    QString phaseText() const;
    // The window that shows the display now: the full-screen one, or the main window.
    QWidget *clockWindow() const;

    // Called once the outlets are connected: watches the main window for its closing.
    void awakeFromNib();

    // Seconds to nudge by for a command's title: "30s", "10m", "1m", "10s", the first found,
    // else a minute; a hyphen-minus anywhere makes it negative.
    static double nudgeAmount(const QString &title);

    QString marquisText() const { return _marquisText; }
    void setMarquisText(const QString &text);
    QString displayTime() const { return _displayTime; }
    void setDisplayTime(const QString &text);

public slots:
    void pauseTimer();
    void continueTimer();
    void pauseOrContinueTimer();
    void nudgeTimer(const QAction *sender);
    void play();
    void nextPhase();
    void previousPhase();
    // Asks first: Enter starts the new game, Escape keeps this one.
    void newGame();
    void toggleFullScreen();
    // Moves the display into a window covering the main window's screen.
    void turnOnFullScreen();
    // Moves the display back and gives the main window `frame` again.
    void turnOffFullScreen(const QRect &frame);

signals:
    void marquisTextChanged();
    void displayTimeChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QMainWindow> _window;
    std::unique_ptr<FullScreenWindow> _fullScreenWindow;
    QRect _oldFrame;
    std::unique_ptr<CountdownTimer> _timer;
    std::unique_ptr<PhaseOutlook> _outlook;
    QString _marquisText;
    QPointer<ResizableTextView> _marquisView;
    QString _displayTime;
    QPointer<CountdownView> _countdownView;
    std::unique_ptr<SoundPlayer> _soundPlayer;
    std::unique_ptr<GameRecorder> _recorder;
    // How long the clock was down before it resumed, shown until the operator continues.
    qint64 _downMilliseconds = -1;

    void showDowntime();
    void showPhase();
    void clearDowntime();
};
