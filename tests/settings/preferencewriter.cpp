// Writes preferences as fast as it can until it is killed; says so once it has started.
#include "PreferenceController.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    PreferenceController::setStorePath(QString::fromLocal8Bit(argv[1]));
    for (int round = 1;; ++round) {
        PreferenceController::setPreferenceSpringMinutes(round);
        PreferenceController::setPreferenceFallMinutes(round);
        PreferenceController::setPreferenceMarquisText(QStringLiteral("Board %1").arg(round));
        if (round == 1) {
            std::puts("writing");
            std::fflush(stdout);
        }
    }
}
