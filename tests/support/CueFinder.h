#pragma once

#include <QList>

#include <vector>

// Finds where in a recording a cue starts, by how closely the recording follows the cue's
// opening (normalised correlation, at a quarter of the recording's rate).
class CueFinder
{
public:
    struct Match
    {
        int seconds = 0; // the cue heard
        qsizetype start = -1; // where its first sample lies in the recording
        double similarity = 0; // 1: exactly the cue
    };

    // Every shipped cue, at the recording's rate.
    CueFinder();
    // Where cue `seconds` best matches, starting in [from, to).
    Match find(
        int seconds, const std::vector<float> &recording, qsizetype from, qsizetype to) const;
    // The cue that the recording follows best from `start` on.
    int bestAt(const std::vector<float> &recording, qsizetype start) const;

private:
    struct Cue
    {
        int seconds;
        std::vector<float> opening; // at the reduced rate
        double norm;
    };

    QList<Cue> _cues;
};
