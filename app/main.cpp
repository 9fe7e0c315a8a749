// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppController.h"
#include "CommandLine.h"
#include "GameStateFile.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "ViewerLink.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char noDisplayMessage[] =
    "MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X "
    "server: xvfb-run MervaneTimer\n";

bool displayNamed()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

QStringList &startupMessages()
{
    static QStringList messages;
    return messages;
}

// Qt ends with an abort when its display connection fails, after a few lines of its own;
// say why in one line instead, and keep the other lines for a start that succeeds.
void exitOnPlatformFailure(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fputs(noDisplayMessage, stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    startupMessages().append(message);
}

// Moves the kept game to MervaneTimer.state.previous, in place of the one set aside before,
// so that the clock finds none to resume. One rename: a failure leaves both files as they were,
// and the kept game is then resumed rather than saved over.
void setKeptGameAside()
{
    const QString kept = GameStateFile::besidePreferences();
    const QString previous = kept + QStringLiteral(".previous");
    const QByteArray from = QFile::encodeName(kept);
    if (std::rename(from.constData(), QFile::encodeName(previous).constData()) == 0 ||
        errno == ENOENT)
        return;
    std::fprintf(stderr,
        "MervaneTimer: cannot set the kept game in %s aside as %s (%s); resuming it\n",
        qPrintable(kept), qPrintable(previous), std::strerror(errno));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication::setOrganizationName(QStringLiteral("Corvelworks"));
    QApplication::setOrganizationDomain(QStringLiteral("corvelworks.com"));
    QApplication::setApplicationName(QStringLiteral("MervaneTimer"));
    QApplication::setApplicationVersion(QStringLiteral(MERVANE_VERSION));
    CommandLine options;
    if (const std::optional<int> done = options.parse(argc, argv))
        return *done;
    if (!displayNamed()) {
        std::fputs(noDisplayMessage, stderr);
        return 1;
    }

    const QtMessageHandler previous = qInstallMessageHandler(exitOnPlatformFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    // Lets the desktop match the windows with the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("mervanetimer"));
    for (const QString &message : std::as_const(startupMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));

    if (options.newGame())
        setKeptGameAside();
    MervaneTimerAppDelegate delegate;
    AppController appController;
    MainWindow window(delegate, appController);
    ViewerLink viewers(delegate, window, appController);
    window.show();
    if (options.fullScreen())
        delegate.toggleFullScreen();
    return app.exec();
}
