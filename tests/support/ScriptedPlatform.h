#pragma once
#include "gui/shell/Platform.h"

#include <QList>
#include <QPrinter>
#include <QStringList>
#include <functional>
#include <memory>

// The test platform: records every call, answers questions from queues the
// test fills, and never blocks. Anything modal that the test did not expect
// fails the running test, is recorded in `unexpected` and is answered with
// Cancel.
class ScriptedPlatform : public Platform {
public:
    struct Call {
        QString what;   // "MessageDialog", "ShowMessage", "MessageDlg", "OpenFileName", ...
        QString text;
        MsgKind kind = MsgKind::Custom;
        int buttons = 0;
        int help = -1;
        int focused = 0; // the answer the focus starts on, 0 for the first
    };

    ScriptedPlatform();

    QList<Call> calls;
    QList<int> answers;                     // MessageDialog and MessageDlg
    QStringList fileAnswers;                // OpenFileName and SaveFileName; "" cancels
    QList<FileRequest> fileRequests;        // what the file dialogs were asked
    QList<std::function<int(QDialog &)>> modalHandlers;
    QList<QColor> colourAnswers;            // ChooseColour; an invalid colour cancels
    QList<QFont> fontAnswers;               // ChooseFont; a font with no family cancels
    QList<int> helpTopics;
    int helpContents = 0;
    QStringList unexpected;
    bool hasPrinter = false;                // headless: printouts ask for a file
    QDate today{2012, 6, 15};
    QLocale locale{QLocale::English, QLocale::UnitedKingdom};

    // Texts of the recorded calls of one kind ("" for all).
    QStringList texts(const QString &what = QString()) const;
    const Call *last(const QString &what) const;

    int MessageDialog(const QString &text, MsgKind kind, int buttons, int helpContext) override;
    int MessageDialogFocused(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer) override;
    // Counts the calls; the one numbered cancelProgressAt (from 1) cancels.
    // A question or message while a progress window is open fails the test:
    // the user could not answer it.
    bool Progress(const QString &what, qint64 done, qint64 total) override;
    int progressCalls = 0;
    int cancelProgressAt = -1;
    bool progressOpen = false;
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
    bool HasPrinter() const override { return hasPrinter; }
    QDate Today() const override { return today; }
    QLocale Locale() const override { return locale; }

private:
    void fail(const QString &what);
    void record(const Call &call);
    int answer(const QString &what, const QString &text);
    std::unique_ptr<QPrinter> printer;
};
