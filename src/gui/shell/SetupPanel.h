#pragma once
#include <QTabWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class FolderList;
class RadioGroup;
class AppState;
class LiveOptions;
class ShellCommands;
struct Settings;

// The setup panel: its controls are the live settings that the rest of the
// program reads directly.
class SetupPanel : public QTabWidget {
    Q_OBJECT
public:
    SetupPanel(AppState &state, ShellCommands &shell, QWidget *parent = nullptr);
    ~SetupPanel() override;

    // The controls read and changed by name, for the rest of the program.
    LiveOptions &Options() { return *options; }

    // Settings into the controls and back out; values no control holds are
    // left alone.
    void ShowSettings(const Settings &s);
    void CollectSettings(Settings &s) const;

    int GetFMode() const;
    // Makes a folder the data folder and shows it in the folder list.
    void SetDataFolder(const QString &folder);

    void AcceptParamsClick();
    void CancelSetupClick();
    void setdefaultsclick();
    void Button18Click();
    void CancelButtClick();
    void PassOkClick();
    void PassEnableClick();
    // The trip sheet's texts from the last analysis's best and worst figures.
    void ShowTripFigures();

    // "Password"
    QCheckBox *PassEnable;
    QPushButton *ChangePass;
    QFrame *ChangePassPan;
    QLineEdit *OldPass, *NewPass1, *NewPass2;
    QPushButton *PassOk, *Cancel;
    // "Graph"
    QCheckBox *GraphPriceLine, *GraphDPULine, *GraphADPULine;
    // "Units"
    RadioGroup *DistanceUnit, *FuelUnit, *EntryDistanceType, *EntryFuelType;
    // "Analysis"
    RadioGroup *AnalisisType, *AnalysisDirection;
    // "General"
    QComboBox *DriveSelector;
    FolderList *DirectorySelector;
    QLineEdit *Reg2, *DefaultPpl;
    QComboBox *Scheme;
    QCheckBox *StartUp, *OpenAna, *Flash, *SaveBackup;
    // "Trip Calculator"
    QCheckBox *CalcTripLims;
    QLabel *WorstLab, *WFt, *WorstDistLab, *WDistT, *BestLab, *BFt, *BestDistLab, *BDistT;
    QLabel *Label17, *Label35, *Label42, *Label43; // captions the best and worst search changes
    QSpinBox *BestMin, *BestMax, *MaxDays;

private:
    void copyCalculatedFigures();
    void hideChangePassword();
    QWidget *sheet(const QString &name, const QString &title, QWidget *content, bool tripSheet);
    QWidget *passwordSheet();
    QWidget *graphSheet();
    QWidget *unitsSheet();
    QWidget *analysisSheet();
    QWidget *generalSheet();
    QWidget *tripSheet();
    AppState &state;
    ShellCommands &shell;
    std::unique_ptr<LiveOptions> options;
};
