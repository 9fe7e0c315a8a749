#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the preference store at an INI file in a fresh temporary directory for as long as
// it lives, so no test reads or writes the user's own settings.
class TemporaryStore
{
public:
    TemporaryStore();
    ~TemporaryStore();

    QString path() const;
    QString fileContents() const;
    void writeFile(const QByteArray &contents) const;

private:
    QTemporaryDir _dir;
};
