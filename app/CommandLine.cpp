// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "PreferenceStore.h"
#include "Translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {
// As the usual command-line tools do: a bad command line is status 2, a failure to run is 1.
constexpr int badUsageStatus = 2;

bool displayNamed()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

// Qt's own options (the X display, the window's geometry, the style...) are taken by the
// application object later; they are let through here, and left out of the help.
void acceptQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry",
             "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}
} // namespace

std::optional<int> CommandLine::parse(int argc, char **argv)
{
    // The parser names the program from a core application; the clock's own comes later.
    const QCoreApplication core(argc, argv);
    Translations::apply(PreferenceStore::textPreference(CVLDisplayLanguageKey));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("A countdown clock for the referee of a negotiation board game tournament."));
    // "-full-screen" is a long option mistyped, not eleven short ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all lists Qt's own options, which the clock does not take.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, tr("Displays this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption fullScreen(QStringLiteral("full-screen"), tr("Start in full screen."));
    const QCommandLineOption newGame(QStringLiteral("new-game"),
        tr("Start a new game at Spring 1901 instead of resuming the kept one, which is set "
           "aside as MervaneTimer.state.previous."));
    parser.addOptions({fullScreen, newGame});
    acceptQtOptions(parser);

    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString why = !parsed
            ? parser.errorText()
            : tr("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        std::fprintf(
            stderr, "MervaneTimer: %s\n%s", qPrintable(why), qPrintable(parser.helpText()));
        return badUsageStatus;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
            qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (!displayNamed()) {
        std::fputs(qPrintable(noDisplayMessage()), stderr);
        return 1;
    }
    _fullScreen = parser.isSet(fullScreen);
    _newGame = parser.isSet(newGame);
    return std::nullopt;
}

QString CommandLine::noDisplayMessage()
{
    return tr("MervaneTimer: cannot open a display; run it on a desktop session, or under a "
              "virtual X server: xvfb-run MervaneTimer\n");
}
