// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include "PreferenceNotifier.h"
#include "PreferenceStore.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace {

struct InForce
{
    QString chosen = QStringLiteral("none yet");
    QString code = QStringLiteral("en");
    // Translators are installed in one application object; a later one starts afresh.
    QPointer<QCoreApplication> application;
    std::unique_ptr<QTranslator> clock;
    std::unique_ptr<QTranslator> qt;
};

InForce &inForce()
{
    static InForce held;
    return held;
}

bool isShipped(const QString &code)
{
    return std::any_of(std::begin(Translations::shipped), std::end(Translations::shipped),
        [&](const Translations::Language &language) {
            return code == QLatin1String(language.code);
        });
}

// The clock's texts from its resources; English needs none, as its texts are the sources.
std::unique_ptr<QTranslator> load(const QLocale &locale, const QString &name, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, name, QStringLiteral("_"), folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

void Translations::apply(const QString &code)
{
    InForce &held = inForce();
    if (code == held.chosen && held.application == QCoreApplication::instance())
        return;
    held.chosen = code;
    held.application = QCoreApplication::instance();
    // Removing a translator sends its own language change; the last install settles it.
    held.clock.reset();
    held.qt.reset();
    const QLocale locale = isShipped(code) ? QLocale(code) : QLocale::system();
    held.clock = load(locale, QStringLiteral("mervanetimer"), QStringLiteral(":/i18n"));
    held.code =
        held.clock ? held.clock->language().section(QLatin1Char('_'), 0, 0) : QStringLiteral("en");
    held.qt = load(QLocale(held.code), QStringLiteral("qtbase"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Translations::follow()
{
    apply(PreferenceStore::textPreference(CVLDisplayLanguageKey));
    QObject::connect(
        &PreferenceNotifier::instance(), &PreferenceNotifier::changed, [](const QString &key) {
            if (key == QLatin1String(CVLDisplayLanguageKey))
                apply(PreferenceStore::textPreference(key));
        });
}

QString Translations::current()
{
    return inForce().code;
}
