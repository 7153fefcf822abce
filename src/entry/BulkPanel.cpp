#include "entry/BulkPanel.h"

#include "entry/BulkList.h"
#include "fuellog/TextFile.h"
#include "shell/AppState.h"
#include "shell/Platform.h"
#include "shell/ShellCommands.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

BulkPanel::BulkPanel(AppState &s, ShellCommands &commands, QWidget *parent)
    : QFrame(parent), state(s), shell(commands)
{
    setObjectName(QStringLiteral("BulkPurchase"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QFormLayout(this);
    layout->addRow(new QLabel(QStringLiteral("<b>Bulk Purchase Data Entry</b>"), this));
    BLastDate = new QLineEdit(this);
    BLastDate->setObjectName(QStringLiteral("BLastDate"));
    BLastDate->setReadOnly(true);
    BNumItems = new QLineEdit(this);
    BNumItems->setObjectName(QStringLiteral("BNumItems"));
    BNumItems->setReadOnly(true);
    layout->addRow(QStringLiteral("Last entry"), BLastDate);
    layout->addRow(QStringLiteral("Number of items"), BNumItems);
    hide();
}

bool BulkPanel::GetBulkData(const QString &fileName)
{
    state.BulkList.clear();
    QStringList lines;
    if (QFileInfo::exists(fileName)) {
        const TextFile::ReadResult read = TextFile::ReadBytes(fileName);
        if (!read.ok) {
            state.platform().ShowMessage(read.error);
            return false;
        }
        lines = TextFile::SplitLines(read.bytes);
    }
    switch (BulkList::CheckList(lines)) {
    case BulkList::Check::Empty:
        state.platform().ShowMessage(QStringLiteral("No Bulk Purchase Data Available"));
        return true;
    case BulkList::Check::Malformed:
        state.platform().ShowMessage(QStringLiteral("Bulk Purchase Data Invalid Not Loaded"));
        return false;
    case BulkList::Check::Good:
        break;
    }
    state.BulkList = lines;
    BLastDate->setText(lines.size() >= 3 ? lines[lines.size() - 3] : QString());
    BNumItems->setText(QString::number(BulkList::PurchaseCount(lines)));
    return true;
}

void BulkPanel::BulkQuitBtnClick()
{
    shell.EnableCommand(Command::Setup, true);
    hide();
}
