#include "core/analysis/Extremes.h"

#include "core/analysis/AnalysisRun.h"
#include "core/fuellog/NumberText.h"

#include <climits>

namespace ExtremeScan {

void ScanBest(const std::vector<ExtremeRow> &rows, double &economy, long long &distance, int dayLimit, long long ceiling)
{
    distance = 0;
    for (const ExtremeRow &r : rows)
        if (r.distance < ceiling && r.days <= dayLimit && r.distance > distance) {
            distance = r.distance;
            economy = r.economy;
        }
}

void ScanWorst(const std::vector<ExtremeRow> &rows, double &economy, long long &distance, long long floor)
{
    distance = 1000;
    for (const ExtremeRow &r : rows)
        if (r.distance < distance && r.distance > floor) {
            distance = r.distance;
            economy = r.economy;
        }
}

} // namespace ExtremeScan

namespace {
using ExtremeScan::Slot;

// Every pair of candidates whose figures differ but lie within 3 per cent of the
// first: the last such pair, in slot order, gives the figure.
void agree(const std::array<Slot, 4> &candidates, double &economy, long long &distance)
{
    for (const Slot &i : candidates)
        for (const Slot &j : candidates) {
            const double band = i.economy / 100 * 3;
            if (i.economy + band > j.economy && i.economy - band < j.economy && j.economy != i.economy) {
                economy = j.economy;
                distance = j.distance;
            }
        }
}

} // namespace

std::vector<ExtremeRow> ExtremeRows(const AnalysisResult &run)
{
    // What the table's texts read back as, without making the texts: the
    // distance and days of a first record read "  N/A", so 0; a distance
    // too long for the whole-number reading reads 0 as well.
    std::vector<ExtremeRow> rows;
    rows.reserve(size_t(run.rows.size()));
    for (const AnalysisRow &r : run.rows) {
        if (r.noFigure)
            continue; // a partial or missed fill-up is no candidate
        ExtremeRow row;
        if (!r.first) {
            row.distance = r.distanceDone >= INT_MIN && r.distanceDone <= INT_MAX ? r.distanceDone : 0;
            row.days = r.days;
        }
        row.economy = NumberText::FixedValue(r.economy, 6, 2);
        rows.push_back(row);
    }
    return rows;
}

Extremes FindExtremes(const std::vector<ExtremeRow> &rows, int maxDays)
{
    using namespace ExtremeScan;
    Extremes x;
    double discarded = 0;
    ScanBest(rows, discarded, x.bestDistance, maxDays, 10000);

    std::array<Slot, 4> candidates{};
    for (int i = 0; i < 4; ++i)
        ScanBest(rows, candidates[i].economy, candidates[i].distance, maxDays, i == 0 ? 10000 : candidates[i - 1].distance);
    agree(candidates, x.best, x.bestDistance);
    if (x.best == 0) {
        ScanBest(rows, x.best, candidates[0].distance, 100, 10000);
        x.insufficient = true;
    }

    // The worst search reuses the candidates: one that finds nothing keeps the
    // best search's figure.
    for (int i = 0; i < 4; ++i)
        ScanWorst(rows, candidates[i].economy, candidates[i].distance, i == 0 ? 0 : candidates[i - 1].distance);
    agree(candidates, x.worst, x.worstDistance);
    if (x.worst == 0) {
        ScanWorst(rows, x.worst, candidates[1].distance, 0);
        x.insufficient = true;
    }
    return x;
}
