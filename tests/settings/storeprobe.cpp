// Uses the preference store at a path the way the clock does, in a process of its own, so a
// test can time it out or kill it.
//   storeprobe PATH read        prints the Spring length and the banner's length
//   storeprobe PATH save        sets Fall to 13 and prints "saved" or why not
//   storeprobe PATH write-loop  writes as fast as it can until killed; says when it started
#include "PreferenceStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    using Prefs = PreferenceStore;
    Prefs::setStorePath(QString::fromLocal8Bit(argv[1]));
    const QByteArray mode = argv[2];
    if (mode == "read") {
        std::printf("%d %lld\n", Prefs::preferenceSpringMinutes(),
            static_cast<long long>(Prefs::preferenceMarquisText().size()));
    } else if (mode == "save") {
        const bool saved = Prefs::setPreferenceFallMinutes(13);
        std::printf("%s\n", saved ? "saved" : qPrintable(Prefs::saveProblem()));
    } else {
        for (int round = 1;; ++round) {
            Prefs::setPreferenceSpringMinutes(round);
            Prefs::setPreferenceFallMinutes(round);
            Prefs::setPreferenceMarquisText(QStringLiteral("Board %1").arg(round));
            if (round == 1) {
                std::puts("writing");
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
