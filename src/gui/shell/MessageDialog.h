#pragma once
// The program's own message dialog (TDialogForm): text, kind, buttons and help topic.
#include "gui/shell/Platform.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The application's own message dialog: an icon, a message of one or more
// lines and up to three buttons from a fixed set, laid out by the length of
// the message. One window, created at start-up and reused for every message.
class TDialogForm : public QDialog {
    Q_OBJECT
public:
    explicit TDialogForm(QWidget *parent = nullptr);

    // Caption, icon, text and buttons of one call; show it with exec().
    void Prepare(const QString &text, MsgKind kind, int buttons, int helpContext);
    // Prepare, then show modally; returns the pressed button's result.
    // focusedAnswer (an MsgResult) names the button the focus starts on;
    // 0: the first answer.
    int Execute(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer = 0);

    // Places the window and its buttons for the current message.
    void FormActivate();

    QLabel *MessageText;
    QLabel *DialogImage;

signals:
    void helpRequested(int topic);

protected:
    void showEvent(QShowEvent *event) override;

public slots:
    void done(int result) override;
    void reject() override;

private:
    QPushButton *makeButton(int position, const QString &caption, int result, int helpContext);
    QList<QPushButton *> buttons() const;
    MsgKind currentKind = MsgKind::Warning;
    int focusedAnswer = 0;
};

// The icon of a kind of message, as the dialog shows it.
QIcon MessageKindIcon(MsgKind kind);
