#pragma once

#include <QObject>
#include <QStringList>

// Records every notification on the default center as "key=value" lines, in order of arrival.
class NotificationLog : public QObject
{
public:
    NotificationLog();

    void append(const QString &line) { _lines.append(line); }
    QStringList lines() const { return _lines; }
    QStringList valuesFor(const QString &key) const;
    void clear() { _lines.clear(); }

private:
    QStringList _lines;
};
