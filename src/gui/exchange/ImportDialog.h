#pragma once
#include "core/exchange/LogImport.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class Platform;

// Shows what an import will do before anything changes: asks only what the
// file cannot tell, and lists how many fill-ups will be added, how many are
// already in the log and every row refused with its line and reason. It
// opens on any file with rows under a header: what it could not place is
// "(choose)", and nothing is imported until every column and question is
// seen to.
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
    // header or the values; "(choose)" where nothing placed a needed one,
    // "(none)" where the column may be left out. A line under each says why.
    // The odometer box also offers a column of trip distances: the readings
    // then add up from a start reading.
    QComboBox *DateColumn, *OdometerColumn, *QuantityColumn, *MoneyColumn, *FullColumn, *MissedColumn;
    QLineEdit *StartReadingEdit; // the odometer before the first trip
    // How the tank-mark column reads: 1 = full, 1 = partial, or which code
    // means partial.
    QComboBox *MarkSenseBox;
    // The file's first rows as they will be stored, beside the file's fields.
    QTableWidget *Preview;
    QComboBox *DateOrderBox;      // shown only when the file leaves it open
    QComboBox *DistanceUnitBox;
    QComboBox *FuelUnitBox;
    QComboBox *MoneyKindBox;
    QComboBox *MoneyUnitBox;
    // Prices in another currency: converted at a rate, or kept as written.
    QComboBox *CurrencyBox;
    QLineEdit *RateEdit;          // 1 <currency> = [ ] £
    // What is still to be chosen or answered; Import waits for it.
    QLabel *WaitingNote;
    QLabel *SummaryLabel;
    QPlainTextEdit *RefusedList;
    QLabel *FlagsNote;
    QPushButton *ImportOk;
    QPushButton *ImportCancel;
    QPushButton *ImportHelp;

private:
    QComboBox *question(QFormLayout *form, const char *name, const QString &caption, const QStringList &items);
    QComboBox *columnBox(QFormLayout *form, const char *name, const QString &caption, const QString &blank);
    QLabel *hintUnder(QFormLayout *form, const QString &name);
    void columnChosen(QComboBox *box);
    void fillSenseBox();
    void showQuestions();
    void showColumnHints();
    void showStartReading();
    void prepare();
    void showPreview();

    LogImport::Source source; // the file's, with the columns the user chose
    const QStringList &log;
    LogImport::Answers answered; // what the user chose; Unknown where not
    LogImport::Plan plan;
    LogImport::Progress progress;
    QFormLayout *columnsForm = nullptr;
    QFormLayout *questionsForm = nullptr;
};
