#pragma once
#include <QColor>
#include <QDate>
#include <QFont>
#include <QLocale>
#include <QString>

class QDialog;
class QPrinter;

enum class MsgKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };
enum MsgButton : int { mbOk = 1, mbCancel = 2, mbHelp = 4, mbYes = 8, mbNo = 16, mbAbort = 32 };
enum MsgResult : int { mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct FileRequest {            // a file open or save dialog
    QString title, folder, fileName, filter, defaultSuffix;
    int filterIndex = 1;
};

// Everything modal or environmental: the forms ask the user and the system
// only through this, so that every form runs headless under test.
class Platform {
public:
    virtual ~Platform() = default;
    // The application's own message dialog; buttons is an OR of MsgButton.
    virtual int MessageDialog(const QString &text, MsgKind kind, int buttons, int helpContext) = 0;
    // The same with the focus (and so Enter) starting on another answer than
    // the first: focusedAnswer is an MsgResult.
    virtual int MessageDialogFocused(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer)
    {
        (void)focusedAnswer;
        return MessageDialog(text, kind, buttons, helpContext);
    }
    // The plain message box: the text and one OK button.
    virtual void ShowMessage(const QString &text) = 0;
    // The standard typed box (warning, error, information, confirmation) with the given buttons.
    virtual int MessageDlg(const QString &text, MsgKind kind, int buttons) = 0;
    // Shows any modal form; returns its result code.
    virtual int ExecModal(QDialog &dialog) = 0;
    virtual QString OpenFileName(const FileRequest &request) = 0;   // empty when cancelled
    virtual QString SaveFileName(const FileRequest &request) = 0;   // empty when cancelled
    virtual bool ChooseColour(QColor &colour) = 0;
    virtual bool ChooseFont(QFont &font) = 0;
    virtual bool PrintDialog(QPrinter &printer) = 0;
    virtual void PrinterSetup(QPrinter &printer) = 0;
    virtual QPrinter &Printer() = 0;                // the current printer
    virtual void ShowHelp(int topic) = 0;
    virtual void ShowHelpContents() = 0;
    // Whether any printer is installed; where none is, printouts go to a file.
    virtual bool HasPrinter() const { return true; }
    // Shows how far a long piece of work has come (a window with Cancel that
    // appears only when the work lasts); false when the user cancelled it.
    // done == total ends it.
    virtual bool Progress(const QString &what, qint64 done, qint64 total)
    {
        (void)what, (void)done, (void)total;
        return true;
    }
    virtual QDate Today() const = 0;
    virtual QLocale Locale() const = 0;             // date formats, currency symbol
};
