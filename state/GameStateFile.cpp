// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameStateFile.h"

#include "PreferenceStore.h"
#include "SmallFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

namespace {
constexpr qint64 largestFile = 64 * 1024;
constexpr qint64 clockSlackMs = 60 * 1000;
constexpr double longestPhaseSeconds = 1e9;

bool isWhole(const QJsonValue &value)
{
    return value.isDouble() && value.toDouble() == std::floor(value.toDouble());
}
} // namespace

GameStateFile::GameStateFile(const QString &path)
    : _path(path)
{
}

QString GameStateFile::besidePreferences()
{
    return QFileInfo(PreferenceStore::storePath()).absolutePath() +
        QStringLiteral("/MervaneTimer.state");
}

GameStateFile::Found GameStateFile::read(qint64 now, Game *game, QString *why) const
{
    QByteArray bytes;
    const SmallFile::Read read = SmallFile::read(_path, largestFile, &bytes);
    if (read == SmallFile::Read::Missing)
        return Found::Nothing;
    if (read != SmallFile::Read::Done) {
        *why = tr("it cannot be read as a small regular file");
        return Found::Damaged;
    }
    const QJsonObject saved = QJsonDocument::fromJson(bytes).object();
    const QString season = saved.value("season").toString();
    const double left = saved.value("secondsLeft").toDouble(NAN);
    const bool wellFormed = (season == Phase::SPRING() || season == Phase::FALL()) &&
        isWhole(saved.value("year")) && saved.value("year").toDouble() >= 1901 &&
        saved.value("year").toDouble() < 2147483647.0 && saved.value("orders").isBool() &&
        saved.value("running").isBool() && std::isfinite(left) &&
        std::fabs(left) < longestPhaseSeconds && isWhole(saved.value("savedAt"));
    if (!wellFormed) {
        *why = tr("it does not hold a whole game");
        return Found::Damaged;
    }
    game->savedAt = static_cast<qint64>(saved.value("savedAt").toDouble());
    const QJsonValue startedAt = saved.value("startedAt");
    game->startedAt = isWhole(startedAt) && startedAt.toDouble() <= game->savedAt
        ? static_cast<qint64>(startedAt.toDouble())
        : game->savedAt;
    if (game->savedAt > now + clockSlackMs) {
        *why = tr("it was saved in the future");
        return Found::Damaged;
    }
    game->phase.setSeason(season);
    game->phase.setYear(saved.value("year").toInt());
    game->phase.setIsInOrderWriting(saved.value("orders").toBool());
    game->secondsLeft = left;
    game->running = saved.value("running").toBool();
    return Found::Game;
}

bool GameStateFile::write(const Game &game) const
{
    const QJsonObject saved{{"season", game.phase.season()}, {"year", game.phase.year()},
        {"orders", game.phase.isInOrderWriting()}, {"secondsLeft", game.secondsLeft},
        {"running", game.running}, {"savedAt", static_cast<double>(game.savedAt)},
        {"startedAt", static_cast<double>(game.startedAt)}};
    // A referee who never changed a preference has no folder for it yet.
    QDir().mkpath(QFileInfo(_path).absolutePath());
    QSaveFile file(_path);
    return file.open(QIODevice::WriteOnly) &&
        file.write(QJsonDocument(saved).toJson(QJsonDocument::Compact)) >= 0 && file.commit();
}

QString GameStateFile::setAside(qint64 now) const
{
    const QString aside = _path + QStringLiteral(".damaged-") +
        QDateTime::fromMSecsSinceEpoch(now).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::remove(aside);
    return QFile::rename(_path, aside) ? aside : QString();
}
