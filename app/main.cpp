#include "AppController.h"
#include "MainWindow.h"
#include "MervaneTimerAppDelegate.h"
#include "ViewerLink.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

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

} // namespace

int main(int argc, char **argv)
{
    if (!displayNamed()) {
        std::fputs(noDisplayMessage, stderr);
        return 1;
    }
    QApplication::setOrganizationName(QStringLiteral("Corvelworks"));
    QApplication::setOrganizationDomain(QStringLiteral("corvelworks.com"));
    QApplication::setApplicationName(QStringLiteral("MervaneTimer"));

    const QtMessageHandler previous = qInstallMessageHandler(exitOnPlatformFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString &message : std::as_const(startupMessages()))
        std::fprintf(stderr, "%s\n", qPrintable(message));

    MervaneTimerAppDelegate delegate;
    AppController appController;
    MainWindow window(delegate, appController);
    ViewerLink viewers(delegate, window, appController);
    window.show();
    return app.exec();
}
