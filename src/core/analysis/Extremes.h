#pragma once
#include <array>
#include <vector>

struct AnalysisResult;

// The best and worst economy of a table: the best among the longest runs
// driven within a few days, the worst among the shortest runs, each only
// when another candidate confirms it within 3 per cent. The figures are
// read back from the table's texts, in the units it shows.
struct ExtremeRow {
    long long distance = 0;   // column 2; 0 when not a whole number
    int days = 0;             // column 5; 0 when not a whole number
    double economy = 0;       // column 3 as its text reads
};

struct Extremes {
    double best = 0, worst = 0;
    long long bestDistance = 0, worstDistance = 0;
    bool insufficient = false; // no two candidates agreed: fallback figures
};

namespace ExtremeScan {
struct Slot {
    double economy = 0;
    long long distance = 0;
};
// The row with the greatest distance below ceiling driven in at most
// dayLimit days (topmost on ties); distance 0 and economy unchanged when
// none qualifies.
void ScanBest(const std::vector<ExtremeRow> &rows, double &economy, long long &distance, int dayLimit, long long ceiling);
// The row with the smallest distance above floor and below 1000 (topmost on
// ties); distance 1000 and economy unchanged when none qualifies.
void ScanWorst(const std::vector<ExtremeRow> &rows, double &economy, long long &distance, long long floor);
} // namespace ExtremeScan

// The table's rows 1.. as their texts read back.
std::vector<ExtremeRow> ExtremeRows(const AnalysisResult &run);
// The whole search of one analysis run.
Extremes FindExtremes(const std::vector<ExtremeRow> &rows, int maxDays);
