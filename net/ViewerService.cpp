#include "ViewerService.h"

#include "PreferenceController.h"
#include "PreferenceNotifier.h"

#include <QNetworkInterface>

#include <cstdio>

ViewerService::ViewerService(const ViewerState &state, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _server(state, std::move(clock))
{
    connect(&_server, &ViewerServer::commandReceived, this, &ViewerService::commandReceived);
    connect(&_server, &ViewerServer::viewerCountChanged, this, &ViewerService::showServing);
    connect(&PreferenceNotifier::instance(), &PreferenceNotifier::changed, this,
        [this](const QString &key) {
            if (key.startsWith(QLatin1String("viewer.")))
                applyPreferences();
        });
}

// The server tells of its last viewers leaving while it closes: the status that hears it
// must still be here.
ViewerService::~ViewerService()
{
    _server.close();
}

void ViewerService::applyPreferences()
{
    const QString pin = PreferenceController::textPreference(CVLViewerPinKey);
    // A PIN that is not 4 to 8 digits (a hand-edited file) guards nothing: no commands.
    _server.setPin(PreferenceController::isAcceptablePin(pin) ? pin : QString());
    const QString wanted =
        QStringLiteral("%1 %2 %3")
            .arg(PreferenceController::intPreference(CVLViewerEnabledKey) != 0 ? 1 : 0)
            .arg(PreferenceController::intPreference(CVLViewerPortKey))
            .arg(PreferenceController::textPreference(CVLViewerAddressKey));
    if (wanted == _applied)
        return;
    _applied = wanted;
    serve();
}

void ViewerService::serve()
{
    _server.close();
    _address.clear();
    if (PreferenceController::intPreference(CVLViewerEnabledKey) == 0) {
        setStatus(tr("Viewers are off."));
        return;
    }
    const int port = PreferenceController::intPreference(CVLViewerPortKey);
    const QString addressText = PreferenceController::textPreference(CVLViewerAddressKey).trimmed();
    const QHostAddress listening =
        addressText.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(addressText);
    QString problem;
    if (port < 1 || port > 65535)
        problem = tr("Port %1 is not a port from 1 to 65535").arg(port);
    else if (listening.isNull())
        problem = tr("\"%1\" is not an address of this computer").arg(addressText);
    else if (!_server.listen(listening, static_cast<quint16>(port)))
        problem = _server.problem();
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "MervaneTimer: viewers are off: %s\n", qPrintable(problem));
        setStatus(tr("Viewers are off: %1.").arg(problem));
        return;
    }
    _address = QStringLiteral("http://%1:%2/").arg(hostFor(listening)).arg(_server.port());
    showServing();
}

// With how many are watching, so the referee sees that the room has found it.
void ViewerService::showServing()
{
    if (!_address.isEmpty())
        setStatus(tr("Players open %1 (viewers now: %2)").arg(_address).arg(_server.viewerCount()));
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

void ViewerService::setStatus(const QString &status)
{
    _status = status;
    emit statusChanged(status);
}
