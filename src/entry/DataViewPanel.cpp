#include "entry/DataViewPanel.h"


#include <QLabel>
#include <QVBoxLayout>

DataViewPanel::DataViewPanel(AppState &s, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(s), shell(commands)
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
