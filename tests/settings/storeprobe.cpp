// storeprobe PATH read|save|write-loop: the preference store at PATH, used as the clock uses it
// but in a process of its own, so a test can time it out or kill it. It prints the Spring and
// banner lengths; sets Fall to 13 and prints "saved" or why not; says "writing" and writes
// until killed.
#include "PreferenceController.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    using Prefs = PreferenceController;
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
