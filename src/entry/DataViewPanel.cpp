#include "entry/DataViewPanel.h"

#include "shell/MainWindow.h"

#include <QLabel>
#include <QVBoxLayout>

DataViewPanel::DataViewPanel(TVantiq_ &m, QWidget *parent) : QFrame(parent), main(m)
{
    setObjectName(QStringLiteral("Datadisplay"));
    setProperty("helpContext", 211);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<b>Data</b>"), this));
    hide();
}

void DataViewPanel::CloseDataEditClick() { hide(); }
