#pragma once
#include "core/exchange/LogImport.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class Platform;

// Shows what an import will do before anything changes: asks only what the
// file cannot tell, and lists how many fill-ups will be added, how many are
// already in the log and every row refused with its line and reason.
class ImportDialog : public QDialog {
    Q_OBJECT
public:
    // The file's columns the preview shows, and those the column boxes offer.
    static constexpr int MostColumnsShown = 50;
    static constexpr int MostColumnsOffered = 1000;
    // progress is told how each preparation of a long file comes on.
    ImportDialog(const LogImport::Source &source, const QStringList &log, const QString &fileName, Platform &platform,
                 QWidget *parent = nullptr, LogImport::Progress progress = {});

    // The import with the answers as they stand.
    const LogImport::Plan &Plan() const { return plan; }
    // Starts from the choices made for an earlier file with the same header.
    void Preset(const LogImport::Columns &columns, const LogImport::Answers &answers);
    // The columns and answers as they stand, to be kept for the next file.
    QString Choices() const;

    QLabel *FileLabel;
    // Which file column each of Vantiq's columns reads from, preset from the
    // header; "(none)" where the column may be left out.
    QComboBox *DateColumn, *OdometerColumn, *QuantityColumn, *MoneyColumn, *FullColumn, *MissedColumn;
    // The file's first rows as they will be stored, beside the file's fields.
    QTableWidget *Preview;
    QComboBox *DateOrderBox;      // shown only when the file leaves it open
    QComboBox *DistanceUnitBox;
    QComboBox *FuelUnitBox;
    QComboBox *MoneyKindBox;
    QComboBox *MoneyUnitBox;
    QLabel *SummaryLabel;
    QPlainTextEdit *RefusedList;
    QLabel *FlagsNote;
    QPushButton *ImportOk;
    QPushButton *ImportCancel;
    QPushButton *ImportHelp;

private:
    QComboBox *question(QFormLayout *form, const char *name, const QString &caption, const QStringList &items,
                        int suggested, bool ask, const QString &hint);
    QComboBox *columnBox(QFormLayout *form, const char *name, const QString &caption, int column, bool optional);
    LogImport::Answers answers() const;
    void prepare();
    void showPreview();

    LogImport::Source source; // the file's, with the columns the user chose
    const QStringList &log;
    LogImport::Plan plan;
    LogImport::Progress progress;
};
