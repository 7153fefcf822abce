#pragma once
#include "core/fuellog/FillMarks.h"

#include <QCheckBox>

// The two tick boxes a fill-up is marked with: "Tank not filled" and
// "Missed a fill-up before this one". One fill-up carries one mark, so
// ticking one unticks the other.
struct FillMarkBoxes {
    QCheckBox *notFilled = nullptr, *missed = nullptr;

    FillMarkBoxes() = default;
    FillMarkBoxes(QWidget *parent, const char *notFilledName, const char *missedName)
    {
        notFilled = new QCheckBox(QStringLiteral("Tank &not filled"), parent);
        notFilled->setObjectName(QLatin1String(notFilledName));
        missed = new QCheckBox(QStringLiteral("Missed a fill-up &before this one"), parent);
        missed->setObjectName(QLatin1String(missedName));
        QCheckBox *a = notFilled, *b = missed;
        QObject::connect(a, &QCheckBox::toggled, b, [b](bool on) { b->setChecked(b->isChecked() && !on); });
        QObject::connect(b, &QCheckBox::toggled, a, [a](bool on) { a->setChecked(a->isChecked() && !on); });
    }

    FillMark Mark() const
    {
        if (notFilled->isChecked())
            return FillMark::Partial;
        return missed->isChecked() ? FillMark::Missed : FillMark::Full;
    }
    void SetMark(FillMark mark) const
    {
        notFilled->setChecked(mark == FillMark::Partial);
        missed->setChecked(mark == FillMark::Missed);
    }
    void SetEnabled(bool on) const
    {
        notFilled->setEnabled(on);
        missed->setEnabled(on);
    }
};
