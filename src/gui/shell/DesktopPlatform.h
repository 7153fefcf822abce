#pragma once
#include "gui/shell/Platform.h"

#include <memory>

class TDialogForm;
class HelpViewer;
class QProgressDialog;

// The real platform: Qt's dialogs, the system clock and locale.
class DesktopPlatform : public Platform {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    int MessageDialog(const QString &text, MsgKind kind, int buttons, int helpContext) override;
    int MessageDialogFocused(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer) override;
    void ShowMessage(const QString &text) override;
    int MessageDlg(const QString &text, MsgKind kind, int buttons) override;
    int ExecModal(QDialog &dialog) override;
    QString OpenFileName(const FileRequest &request) override;
    QString SaveFileName(const FileRequest &request) override;
    bool ChooseColour(QColor &colour) override;
    bool ChooseFont(QFont &font) override;
    bool PrintDialog(QPrinter &printer) override;
    void PrinterSetup(QPrinter &printer) override;
    QPrinter &Printer() override;
    void ShowHelp(int topic) override;
    void ShowHelpContents() override;
    bool HasPrinter() const override;
    bool Progress(const QString &what, qint64 done, qint64 total) override;
    QDate Today() const override;
    QLocale Locale() const override;

    TDialogForm &DialogForm();
    HelpViewer &Help() { return *help; }

private:
    std::unique_ptr<TDialogForm> dialog;
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<HelpViewer> help;
    std::unique_ptr<QProgressDialog> progress;
    void endProgress();
};
