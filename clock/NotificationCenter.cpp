// SPDX-License-Identifier: GPL-3.0-or-later
#include "NotificationCenter.h"

#include <algorithm>

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject *context, const QString &name, Handler handler)
{
    _observers.push_back({_nextId++, context, name, std::move(handler)});
    connect(context, &QObject::destroyed, this, [this, context] { removeObserver(context); });
}

void NotificationCenter::removeObserver(const QObject *context)
{
    _observers.erase(std::remove_if(_observers.begin(), _observers.end(),
                         [context](const Observer &o) { return o.context == context; }),
        _observers.end());
}

void NotificationCenter::post(const QString &name, const QVariantMap &userInfo)
{
    // Handlers may subscribe or unsubscribe while a post is delivered: take the recipients
    // first and skip any that left before their turn.
    std::vector<quint64> recipients;
    for (const Observer &o : _observers) {
        if (o.name == name)
            recipients.push_back(o.id);
    }
    for (quint64 id : recipients) {
        if (const Observer *o = find(id)) {
            const Handler handler = o->handler;
            handler(userInfo);
        }
    }
}

const NotificationCenter::Observer *NotificationCenter::find(quint64 id) const
{
    const auto it = std::find_if(
        _observers.begin(), _observers.end(), [id](const Observer &o) { return o.id == id; });
    return it == _observers.end() ? nullptr : &*it;
}
