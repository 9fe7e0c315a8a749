// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

// What /proc says of one process at one moment: the CPU time it has used so far and the
// most resident memory it has ever held.
class ProcessSample
{
public:
    explicit ProcessSample(qint64 pid);

    bool isValid() const { return _valid; }
    // CPU time used between `earlier` and this sample, as a percentage of one core.
    double cpuPercentSince(const ProcessSample &earlier) const;
    double peakResidentMegabytes() const { return _peakResidentKb / 1024.0; }

    // The Xvfb process that serves $DISPLAY, or 0.
    static qint64 xServerPid();
    // Every process in process group `group`.
    static QList<qint64> groupMembers(qint64 group);

private:
    bool _valid = false;
    double _takenAt = 0;
    double _cpuSeconds = 0;
    qint64 _peakResidentKb = 0;
};
