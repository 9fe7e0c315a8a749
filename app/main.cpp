// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppController.h"
#include "CommandLine.h"
#include "GameStateFile.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "Translations.h"
#include "ViewerLink.h"

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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
        std::fputs(qPrintable(CommandLine::noDisplayMessage()), stderr);
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
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    std::fprintf(stderr, "%s\n",
        qPrintable(QCoreApplication::translate(
            "main", "MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it")
                       .arg(kept, previous, why)));
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

    const QtMessageHandler previous = qInstallMessageHandler(exitOnPlatformFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    // Lets the desktop match the windows with the menu entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("mervanetimer"));
    for (const QString &message : std::as_const(startupMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    Translations::follow();

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
