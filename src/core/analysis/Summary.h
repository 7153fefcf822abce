#pragma once
#include "core/analysis/Extremes.h"

#include <QString>
#include <QStringList>
#include <optional>

struct AnalysisResult;

// What the summary adds of the selected vehicle's record.
struct SummaryVehicle {
    long long roadTax = 0, mot = 0, service = 0; // whole currency units
    double insurance = 0;
    double sundries = 0;                          // the sum of its sundry items
};

struct SummaryInputs {
    QString currency;                      // the locale's currency symbol
    Extremes extremes;
    std::optional<SummaryVehicle> vehicle; // none: the costs cannot be calculated
};

QString SummaryHeading(const QString &vehicleName);
// The lines of the summary of an analysis run, in their order.
QStringList BuildSummary(const AnalysisResult &run, const SummaryInputs &in);
