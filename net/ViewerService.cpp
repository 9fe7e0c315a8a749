// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerService.h"

#include "PreferenceNotifier.h"
#include "PreferenceStore.h"
#include "ViewerServer.h"

#include <QLocale>
#include <QNetworkInterface>

#include <cstdio>

ViewerService::ViewerService(const ViewerState &state, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _server(new ViewerServer(state, std::move(clock)))
{
    _thread.setObjectName(QStringLiteral("viewer server"));
    _server->moveToThread(&_thread);
    connect(&_thread, &QThread::finished, _server, &QObject::deleteLater);
    connect(_server, &ViewerServer::commandReceived, this, &ViewerService::commandReceived);
    connect(_server, &ViewerServer::viewerCountChanged, this, [this](int count) {
        _viewerCount = count;
        showStatus();
    });
    connect(_server, &ViewerServer::guardChanged, this, [this](int wrongPins, bool stopped) {
        _wrongPins = wrongPins;
        _commandsStopped = stopped;
        showStatus();
    });
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        [this](const QString &key) {
            if (key.startsWith(QLatin1String("viewer.")))
                applyPreferences();
            else if (key == QLatin1String(CVLDisplayLanguageKey))
                retranslate();
        });
    _thread.start();
}

// The server closes its connections on its own thread as that thread ends.
ViewerService::~ViewerService()
{
    _thread.quit();
    _thread.wait();
}

void ViewerService::applyPreferences()
{
    const QString pin = PreferenceStore::textPreference(CVLViewerPinKey);
    // A PIN that is not 4 to 8 digits (a hand-edited file) guards nothing: no commands.
    QMetaObject::invokeMethod(
        _server, [server = _server, pin = PreferenceStore::isAcceptablePin(pin) ? pin : QString()] {
            server->setPin(pin);
        });
    const QString wanted =
        QStringLiteral("%1 %2 %3")
            .arg(PreferenceStore::intPreference(CVLViewerEnabledKey) != 0 ? 1 : 0)
            .arg(PreferenceStore::intPreference(CVLViewerPortKey))
            .arg(PreferenceStore::textPreference(CVLViewerAddressKey));
    if (wanted == _applied)
        return;
    _applied = wanted;
    serve();
}

void ViewerService::restartCommands()
{
    QMetaObject::invokeMethod(_server, [server = _server] { server->restartCommands(); });
}

void ViewerService::serve()
{
    const int request = ++_request;
    _address.clear();
    _viewerCount = 0;
    QMetaObject::invokeMethod(_server, [server = _server] { server->close(); });
    if (PreferenceStore::intPreference(CVLViewerEnabledKey) == 0) {
        _status = tr("Viewers are off.");
        emit statusChanged(_status, false);
        return;
    }
    const int port = PreferenceStore::intPreference(CVLViewerPortKey);
    const QString addressText = PreferenceStore::textPreference(CVLViewerAddressKey).trimmed();
    const QHostAddress listening =
        addressText.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(addressText);
    if (port < PreferenceStore::lowestPort || port > PreferenceStore::highestPort) {
        return showProblem(tr("Port %1 is not a port from %2 to %3")
                               .arg(port)
                               .arg(PreferenceStore::lowestPort)
                               .arg(PreferenceStore::highestPort));
    }
    if (listening.isNull())
        return showProblem(tr("\"%1\" is not an address of this computer").arg(addressText));
    QMetaObject::invokeMethod(
        _server, [this, server = _server, listening, port, request, host = hostFor(listening)] {
            const bool listened = server->listen(listening, quint16(port));
            const QString problem = listened ? QString() : server->problem();
            const quint16 actualPort = server->port();
            QMetaObject::invokeMethod(this, [this, request, host, actualPort, problem] {
                served(request, host, actualPort, problem);
            });
        });
}

// The status in the language just chosen; a server that is up stays up.
void ViewerService::retranslate()
{
    if (_address.isEmpty())
        serve();
    else
        showStatus();
}

void ViewerService::served(int request, const QString &host, quint16 port, const QString &problem)
{
    if (request != _request)
        return;
    if (!problem.isEmpty())
        return showProblem(problem);
    _address = QStringLiteral("http://%1:%2/").arg(host).arg(port);
    showStatus();
}

void ViewerService::showProblem(const QString &problem)
{
    std::fprintf(stderr, "MervaneTimer: viewers are off: %s\n", qPrintable(problem));
    _status = tr("Viewers are off: %1.").arg(problem);
    emit statusChanged(_status, false);
}

// With how many are watching, so the referee sees that the room has found it.
void ViewerService::showStatus()
{
    if (_address.isEmpty())
        return;
    _status = tr("Players open %1 (viewers now: %2)").arg(_address).arg(_viewerCount);
    const QString pin = PreferenceStore::textPreference(CVLViewerPinKey);
    if (PreferenceStore::isAcceptablePin(pin))
        _status += QLatin1Char('\n') + pinStatus(int(pin.size()));
    emit statusChanged(_status, _commandsStopped);
}

// How far a guesser has come, and how far the allowance of wrong PINs goes for a short PIN.
QString ViewerService::pinStatus(int digits) const
{
    if (_commandsStopped) {
        return tr("Remote commands are stopped: %1 wrong PINs came since the PIN was set, so "
                  "someone may be guessing. Turn them on again once that is sorted out.")
            .arg(PinGuard::maxWrongPinsEverywhere);
    }
    QString status = tr("Wrong PINs so far: %1 of the %2 that stop remote commands.")
                         .arg(_wrongPins)
                         .arg(PinGuard::maxWrongPinsEverywhere);
    if (digits < PreferenceStore::suggestedPinDigits) {
        const auto odds = [](int length) {
            qlonglong pins = 1;
            for (int i = 0; i < length; ++i)
                pins *= 10;
            return QLocale().toString(pins / PinGuard::maxWrongPinsEverywhere);
        };
        status += QLatin1Char(' ') +
            tr("With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, "
               "once in %4.")
                .arg(digits)
                .arg(odds(digits))
                .arg(PreferenceStore::suggestedPinDigits)
                .arg(odds(PreferenceStore::suggestedPinDigits));
    }
    return status;
}

// The address players can reach: the one listened on, or this computer's address on the
// local network, from a wired or wireless interface before any other (a container bridge,
// say).
QString ViewerService::hostFor(const QHostAddress &listening) const
{
    if (listening != QHostAddress(QHostAddress::Any))
        return listening.protocol() == QAbstractSocket::IPv6Protocol
            ? QStringLiteral("[%1]").arg(listening.toString())
            : listening.toString();
    QString fallback = QStringLiteral("127.0.0.1");
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (interface.type() == QNetworkInterface::Ethernet ||
                interface.type() == QNetworkInterface::Wifi)
                return entry.ip().toString();
            if (fallback.startsWith(QLatin1String("127.")))
                fallback = entry.ip().toString();
        }
    }
    return fallback;
}
