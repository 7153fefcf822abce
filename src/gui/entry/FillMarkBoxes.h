#pragma once
#include "core/fuellog/FillMarks.h"

#include <QCheckBox>

// The two tick boxes a fill-up is marked with: "Tank not filled" and
// "Missed a fill-up before this one". They are independent: a partial
// fill-up may also follow a missed one.
struct FillMarkBoxes {
    QCheckBox *notFilled = nullptr, *missed = nullptr;

    FillMarkBoxes() = default;
    FillMarkBoxes(QWidget *parent, const char *notFilledName, const char *missedName)
    {
        notFilled = new QCheckBox(QStringLiteral("Tank &not filled"), parent);
        notFilled->setObjectName(QLatin1String(notFilledName));
        missed = new QCheckBox(QStringLiteral("Missed a fill-up &before this one"), parent);
        missed->setObjectName(QLatin1String(missedName));
    }

    FillMark Mark() const { return MarkOf(notFilled->isChecked(), missed->isChecked()); }
    void SetMark(FillMark mark) const
    {
        notFilled->setChecked(IsPartial(mark));
        missed->setChecked(IsMissed(mark));
    }
    void SetEnabled(bool on) const
    {
        notFilled->setEnabled(on);
        missed->setEnabled(on);
    }
};
