// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewerServer.h"

#include "CueFiles.h"
#include "GuestConnection.h"
#include "WebSocketFrame.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace {

QJsonObject error(const QString &text)
{
    return {{QStringLiteral("type"), QStringLiteral("error")}, {QStringLiteral("error"), text}};
}

QByteArray compact(const QJsonObject &message)
{
    return QJsonDocument(message).toJson(QJsonDocument::Compact);
}

// The cues every page may fetch.
const QJsonObject &offer()
{
    static const QJsonObject offered{{QStringLiteral("cues"), CueFiles::seconds()}};
    return offered;
}

} // namespace

ViewerServer::ViewerServer(const ViewerState &state, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _whole(state.whole())
    , _wallClock(state.wallClock())
    , _clock(clock)
    , _guard(clock)
    , _admission(std::move(clock), this)
{
    connect(&state, &ViewerState::changed, this, &ViewerServer::applyChange);
    connect(&state, &ViewerState::cuePlayed, this, &ViewerServer::broadcastCue);
    connect(&_admission, &GuestAdmission::admitted, this, &ViewerServer::listenTo);
    connect(&_admission, &GuestAdmission::leaving, this, &ViewerServer::removeViewer);
}

ViewerServer::~ViewerServer()
{
    blockSignals(true);
    close();
}

bool ViewerServer::isCommand(const QString &name)
{
    return std::any_of(std::begin(commands), std::end(commands),
        [&](const Command &command) { return name == QLatin1String(command.name); });
}

void ViewerServer::setPin(const QString &pin)
{
    if (!_guard.setPin(pin))
        return;
    _trusted.clear();
    reportGuard();
    broadcast({{QStringLiteral("control"), _guard.hasPin()}});
}

void ViewerServer::restartCommands()
{
    _guard.restart();
    reportGuard();
}

void ViewerServer::reportGuard()
{
    emit guardChanged(_guard.wrongPinCount(), _guard.stopped());
}

void ViewerServer::listenTo(GuestConnection *connection)
{
    connect(connection, &GuestConnection::webSocketOpened, this,
        [this, connection] { admitViewer(connection); });
    connect(connection, &GuestConnection::textReceived, this,
        [this, connection](const QString &text) { handleMessage(connection, text); });
    connect(connection, &GuestConnection::binaryReceived, this, [this, connection] {
        send(connection, error(tr("Only JSON text messages are understood")));
    });
}

void ViewerServer::removeViewer(GuestConnection *connection)
{
    _trusted.remove(connection);
    const auto viewer = std::find(_viewers.begin(), _viewers.end(), connection);
    if (viewer != _viewers.end()) {
        _viewers.erase(viewer);
        emit viewerCountChanged(viewerCount());
    }
}

void ViewerServer::admitViewer(GuestConnection *viewer)
{
    if (viewerCount() >= maxViewers) {
        send(viewer,
            {{QStringLiteral("type"), QStringLiteral("refused")},
                {QStringLiteral("error"),
                    tr("This clock already has %1 viewers; try again later").arg(maxViewers)}});
        viewer->close(WebSocketFrame::closePolicy, "Too many viewers");
        return;
    }
    _viewers.push_back(viewer);
    QJsonObject whole = _whole;
    whole.insert(QStringLiteral("control"), _guard.hasPin());
    for (auto field = offer().begin(); field != offer().end(); ++field)
        whole.insert(field.key(), field.value());
    whole.insert(QStringLiteral("type"), QStringLiteral("state"));
    send(viewer, whole);
    emit viewerCountChanged(viewerCount());
}

void ViewerServer::applyChange(const QJsonObject &fields)
{
    for (auto field = fields.constBegin(); field != fields.constEnd(); ++field)
        _whole.insert(field.key(), field.value());
    broadcast(fields);
}

void ViewerServer::broadcast(const QJsonObject &fields)
{
    QJsonObject message = fields;
    message.insert(QStringLiteral("type"), QStringLiteral("change"));
    message.insert(QStringLiteral("seq"), double(++_sequence));
    sendToAll(compact(message));
}

void ViewerServer::broadcastCue(int seconds)
{
    sendToAll(compact({{QStringLiteral("type"), QStringLiteral("cue")},
        {QStringLiteral("cue"), seconds}, {QStringLiteral("seq"), double(_sequence)}}));
}

void ViewerServer::sendToAll(const QByteArray &text)
{
    const std::vector<GuestConnection *> viewers = _viewers;
    for (GuestConnection *viewer : viewers)
        viewer->sendText(text);
}

void ViewerServer::send(GuestConnection *viewer, QJsonObject message)
{
    if (!message.contains(QStringLiteral("seq")))
        message.insert(QStringLiteral("seq"), double(_sequence));
    viewer->sendText(compact(message));
}

void ViewerServer::handleMessage(GuestConnection *viewer, const QString &text)
{
    // A guest refused a place has nothing to say.
    if (std::find(_viewers.begin(), _viewers.end(), viewer) == _viewers.end())
        return;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        send(viewer, error(tr("Not a JSON object")));
        return;
    }
    const QJsonObject message = document.object();
    const QString type = message.value(QStringLiteral("type")).toString();
    if (type == QLatin1String("ping")) {
        send(viewer,
            {{QStringLiteral("type"), QStringLiteral("pong")},
                {QStringLiteral("t"), message.value(QStringLiteral("t"))},
                {QStringLiteral("server"), double(_wallClock())}});
    } else if (type == QLatin1String("pin")) {
        handlePin(viewer, message);
    } else if (type == QLatin1String("command")) {
        handleCommand(viewer, message);
    } else {
        send(viewer, error(tr("Unknown message type")));
    }
}

void ViewerServer::handlePin(GuestConnection *viewer, const QJsonObject &message)
{
    const PinGuard::Verdict verdict = judge(viewer,
        _guard.check(viewer->address(), message.value(QStringLiteral("pin")).toString(),
            _trusted.contains(viewer)));
    QJsonObject answer = {{QStringLiteral("type"), QStringLiteral("pin")},
        {QStringLiteral("ok"), verdict == PinGuard::Verdict::Accepted}};
    if (verdict != PinGuard::Verdict::Accepted)
        answer.insert(QStringLiteral("error"), verdictError(verdict, viewer->address()));
    send(viewer, answer);
}

// The PIN is checked again with every command: a page that once had it proves nothing.
void ViewerServer::handleCommand(GuestConnection *viewer, const QJsonObject &message)
{
    const QString command = message.value(QStringLiteral("command")).toString();
    if (!isCommand(command)) {
        send(viewer, error(tr("Unknown command")));
        return;
    }
    const PinGuard::Verdict verdict = judge(viewer,
        _guard.checkCommand(viewer->address(), message.value(QStringLiteral("pin")).toString(),
            _trusted.contains(viewer)));
    if (verdict != PinGuard::Verdict::Accepted) {
        send(viewer, error(verdictError(verdict, viewer->address())));
        return;
    }
    emit commandReceived(command);
    send(viewer,
        {{QStringLiteral("type"), QStringLiteral("done")}, {QStringLiteral("command"), command}});
}

// Keeps the connection's trust and tells of a stop as the verdict comes.
PinGuard::Verdict ViewerServer::judge(GuestConnection *viewer, PinGuard::Verdict verdict)
{
    if (verdict == PinGuard::Verdict::Accepted || verdict == PinGuard::Verdict::TooFast)
        _trusted.insert(viewer);
    else if (verdict == PinGuard::Verdict::Wrong)
        _trusted.remove(viewer);
    if (verdict == PinGuard::Verdict::Wrong)
        reportGuard();
    return verdict;
}

QString ViewerServer::verdictError(PinGuard::Verdict verdict, const QString &address) const
{
    switch (verdict) {
    case PinGuard::Verdict::NoPin:
        return tr("This clock takes no remote commands");
    case PinGuard::Verdict::LockedOut:
        return tr("Too many wrong PINs; try again in %1 s")
            .arg((_guard.lockoutLeft(address) + 999) / 1000);
    case PinGuard::Verdict::Stopped:
        return tr("Remote commands are stopped after too many wrong PINs; the referee can "
                  "turn them on again");
    case PinGuard::Verdict::TooFast:
        return tr("Too many commands; wait a moment");
    case PinGuard::Verdict::Wrong:
        return tr("Wrong PIN");
    case PinGuard::Verdict::Accepted:
        break;
    }
    return QString();
}
