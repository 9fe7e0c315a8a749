#include "ViewerServer.h"

#include "ViewerState.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QTcpServer>
#include <QWebSocket>

#include <algorithm>

namespace {

QByteArray viewerPage()
{
    QFile page(QStringLiteral(":/net/viewer.html"));
    return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
}

QHttpServerResponse pageResponse()
{
    static const QByteArray page = viewerPage();
    QHttpServerResponse response(QByteArrayLiteral("text/html; charset=utf-8"), page);
    response.addHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    response.addHeader(QByteArrayLiteral("X-Content-Type-Options"), QByteArrayLiteral("nosniff"));
    response.addHeader(QByteArrayLiteral("Content-Security-Policy"),
        QByteArrayLiteral("default-src 'none'; script-src 'unsafe-inline'; "
                          "style-src 'unsafe-inline'; connect-src 'self'; img-src data:"));
    return response;
}

QJsonObject error(const QString &text)
{
    return {{QStringLiteral("type"), QStringLiteral("error")}, {QStringLiteral("error"), text}};
}

} // namespace

ViewerServer::ViewerServer(const ViewerState &state, PinGuard::Clock clock, QObject *parent)
    : QObject(parent)
    , _state(state)
    , _guard(std::move(clock))
{
    connect(&state, &ViewerState::changed, this, &ViewerServer::broadcast);
}

ViewerServer::~ViewerServer()
{
    close();
}

const QStringList &ViewerServer::commands()
{
    static const QStringList names = {QStringLiteral("pause"), QStringLiteral("continue"),
        QStringLiteral("plus1m"), QStringLiteral("minus1m"), QStringLiteral("plus10s"),
        QStringLiteral("minus10s"), QStringLiteral("nextPhase")};
    return names;
}

bool ViewerServer::listen(const QHostAddress &address, quint16 port)
{
    close();
    auto http = std::make_unique<QHttpServer>();
    auto *tcp = new QTcpServer(http.get());
    if (!tcp->listen(address, port)) {
        _problem = tr("Port %1 cannot be used: %2").arg(port).arg(tcp->errorString());
        return false;
    }
    http->route(
        QStringLiteral("/"), QHttpServerRequest::Method::Get, [] { return pageResponse(); });
    // The server hands an upgrade on to its WebSocket side only once a route has taken it.
    http->route(QStringLiteral("/ws"), QHttpServerRequest::Method::Get,
        [](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
            if (request.value(QByteArrayLiteral("upgrade"))
                    .compare("websocket", Qt::CaseInsensitive))
                responder.write(QHttpServerResponder::StatusCode::NotFound);
        });
    http->bind(tcp);
    connect(http.get(), &QHttpServer::newWebSocketConnection, this, &ViewerServer::acceptViewers);
    _http = std::move(http);
    _port = tcp->serverPort();
    _problem.clear();
    return true;
}

void ViewerServer::close()
{
    const std::vector<QWebSocket *> viewers = _viewers;
    for (QWebSocket *viewer : viewers)
        removeViewer(viewer);
    _http.reset();
    _port = 0;
}

void ViewerServer::setPin(const QString &pin)
{
    _guard.setPin(pin);
    broadcast({{QStringLiteral("control"), _guard.hasPin()}});
}

void ViewerServer::acceptViewers()
{
    while (_http && _http->hasPendingWebSocketConnections()) {
        QWebSocket *viewer = _http->nextPendingWebSocketConnection().release();
        viewer->setParent(this);
        if (viewerCount() >= maxViewers) {
            send(viewer,
                {{QStringLiteral("type"), QStringLiteral("refused")},
                    {QStringLiteral("error"),
                        tr("This clock already has %1 viewers; try again later").arg(maxViewers)}});
            viewer->close(QWebSocketProtocol::CloseCodePolicyViolated, tr("Too many viewers"));
            viewer->deleteLater();
            continue;
        }
        addViewer(viewer);
    }
}

void ViewerServer::addViewer(QWebSocket *viewer)
{
    viewer->setMaxAllowedIncomingFrameSize(maxMessageBytes);
    viewer->setMaxAllowedIncomingMessageSize(maxMessageBytes);
    _viewers.push_back(viewer);
    connect(viewer, &QWebSocket::textMessageReceived, this,
        [this, viewer](const QString &text) { handleMessage(viewer, text); });
    connect(viewer, &QWebSocket::binaryMessageReceived, this,
        [this, viewer] { send(viewer, error(tr("Only JSON text messages are understood"))); });
    connect(viewer, &QWebSocket::disconnected, this, [this, viewer] { removeViewer(viewer); });
    QJsonObject whole = _state.whole();
    whole.insert(QStringLiteral("control"), _guard.hasPin());
    whole.insert(QStringLiteral("type"), QStringLiteral("state"));
    send(viewer, whole);
    emit viewerCountChanged();
}

void ViewerServer::removeViewer(QWebSocket *viewer)
{
    const auto found = std::find(_viewers.begin(), _viewers.end(), viewer);
    if (found == _viewers.end())
        return;
    _viewers.erase(found);
    viewer->disconnect(this);
    viewer->abort();
    viewer->deleteLater();
    emit viewerCountChanged();
}

void ViewerServer::broadcast(const QJsonObject &fields)
{
    QJsonObject message = fields;
    message.insert(QStringLiteral("type"), QStringLiteral("change"));
    message.insert(QStringLiteral("seq"), double(++_sequence));
    const QString text = QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact));
    const std::vector<QWebSocket *> viewers = _viewers;
    for (QWebSocket *viewer : viewers) {
        if (viewer->bytesToWrite() > maxBacklogBytes)
            removeViewer(viewer);
        else
            viewer->sendTextMessage(text);
    }
}

void ViewerServer::send(QWebSocket *viewer, QJsonObject message)
{
    if (!message.contains(QStringLiteral("seq")))
        message.insert(QStringLiteral("seq"), double(_sequence));
    viewer->sendTextMessage(
        QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
}

void ViewerServer::handleMessage(QWebSocket *viewer, const QString &text)
{
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
                {QStringLiteral("server"), double(_state.now())}});
    } else if (type == QLatin1String("pin")) {
        handlePin(viewer, message);
    } else if (type == QLatin1String("command")) {
        handleCommand(viewer, message);
    } else {
        send(viewer, error(tr("Unknown message type")));
    }
}

void ViewerServer::handlePin(QWebSocket *viewer, const QJsonObject &message)
{
    const PinGuard::Verdict verdict =
        _guard.check(addressOf(viewer), message.value(QStringLiteral("pin")).toString());
    QJsonObject answer = {{QStringLiteral("type"), QStringLiteral("pin")},
        {QStringLiteral("ok"), verdict == PinGuard::Verdict::Accepted}};
    if (verdict != PinGuard::Verdict::Accepted)
        answer.insert(QStringLiteral("error"), verdictError(verdict, addressOf(viewer)));
    send(viewer, answer);
}

// The PIN is checked again with every command: a page that once had it proves nothing.
void ViewerServer::handleCommand(QWebSocket *viewer, const QJsonObject &message)
{
    const QString command = message.value(QStringLiteral("command")).toString();
    if (!commands().contains(command)) {
        send(viewer, error(tr("Unknown command")));
        return;
    }
    const PinGuard::Verdict verdict =
        _guard.check(addressOf(viewer), message.value(QStringLiteral("pin")).toString());
    if (verdict != PinGuard::Verdict::Accepted) {
        send(viewer, error(verdictError(verdict, addressOf(viewer))));
        return;
    }
    emit commandReceived(command);
    send(viewer,
        {{QStringLiteral("type"), QStringLiteral("done")}, {QStringLiteral("command"), command}});
}

QString ViewerServer::verdictError(PinGuard::Verdict verdict, const QString &address) const
{
    switch (verdict) {
    case PinGuard::Verdict::NoPin:
        return tr("This clock takes no remote commands");
    case PinGuard::Verdict::LockedOut:
        return tr("Too many wrong PINs; try again in %1 s")
            .arg((_guard.lockoutLeft(address) + 999) / 1000);
    case PinGuard::Verdict::Wrong:
        return tr("Wrong PIN");
    case PinGuard::Verdict::Accepted:
        break;
    }
    return QString();
}

QString ViewerServer::addressOf(const QWebSocket *viewer)
{
    bool isIpv4 = false;
    const quint32 ipv4 = viewer->peerAddress().toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(ipv4).toString() : viewer->peerAddress().toString();
}
