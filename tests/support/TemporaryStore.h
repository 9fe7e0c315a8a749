#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

// Points the preference store at an INI file in a fresh temporary directory for as long as
// it lives, so no test reads or writes the user's own settings. `prepare`, when given, runs
// once the store is in place: to fill or damage it before anyone reads it.
class TemporaryStore
{
public:
    explicit TemporaryStore(const std::function<void(TemporaryStore &)> &prepare = nullptr);
    ~TemporaryStore();

    QString path() const;
    QString fileContents() const;
    void writeFile(const QByteArray &contents) const;
    // Makes the store a folder: it can be neither read nor replaced, even by root.
    void makeUnreadable() const;
    // Moves the store into a folder that is a file, so nothing can be written there.
    void makeFolderUnwritable() const;

private:
    QTemporaryDir _dir;
};
