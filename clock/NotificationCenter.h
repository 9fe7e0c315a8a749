// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <vector>

// A synchronous, single-threaded notification center. A post reaches every observer of its
// name at once, on the posting thread, in the order in which they subscribed. Observers are
// dropped automatically when their context object is destroyed.
class NotificationCenter : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(const QVariantMap &userInfo)>;

    static NotificationCenter &defaultCenter();

    void addObserver(QObject *context, const QString &name, Handler handler);
    void removeObserver(const QObject *context);
    void post(const QString &name, const QVariantMap &userInfo);

    int observerCount() const { return static_cast<int>(_observers.size()); }

private:
    struct Observer
    {
        quint64 id;
        const QObject *context;
        QString name;
        Handler handler;
    };

    const Observer *find(quint64 id) const;

    std::vector<Observer> _observers;
    quint64 _nextId = 1;
};
