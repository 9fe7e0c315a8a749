// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The languages the clock speaks, and the one in force: every text a person sees is looked up
// in it, in the clock's own resources, and Qt's own dialogs follow it too.
class Translations
{
public:
    struct Language
    {
        const char *code;
        // As its speakers write it, so that each finds their own in the list.
        const char *name;
    };
    static constexpr Language shipped[] = {{"de", "Deutsch"}, {"en", "English"}, {"es", "Español"},
        {"fr", "Français"}, {"it", "Italiano"}, {"nl", "Nederlands"}, {"pl", "Polski"}};

    // Puts `code` in force, or the system's language while it is empty or not shipped;
    // widgets then hear QEvent::LanguageChange. The language already in force changes nothing.
    static void apply(const QString &code);
    // Puts the stored preference in force, now and whenever it changes.
    static void follow();
    // The code of the language in force: "en" where the clock has no translation.
    static QString current();
};
