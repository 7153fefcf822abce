#include "gui/shell/MessageDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {
const int ButtonWidth = 74;
const int ButtonHeight = 25;
const int TextLeft = 64;
const int TextTop = 16;
const int BottomMargin = 15;
const char *const ResultProperty = "vantiqResult";
const char *const HelpProperty = "vantiqHelp";
} // namespace

QIcon MessageKindIcon(MsgKind kind)
{
    QStyle *style = QApplication::style();
    switch (kind) {
    case MsgKind::Warning: return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case MsgKind::Error: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case MsgKind::Information: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case MsgKind::Confirmation: return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    case MsgKind::Custom: break;
    }
    return style->standardIcon(QStyle::SP_DesktopIcon);
}

TDialogForm::TDialogForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogForm"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    MessageText = new QLabel(this);
    MessageText->setObjectName(QStringLiteral("MessageText"));
    MessageText->move(TextLeft, TextTop);
    DialogImage = new QLabel(this);
    DialogImage->setObjectName(QStringLiteral("DialogImage"));
    DialogImage->setGeometry(16, 16, 32, 32);
    DialogImage->setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(94, 105);
}

QPushButton *TDialogForm::makeButton(int position, const QString &caption, int result, int helpContext)
{
    const QString name = QStringLiteral("B%1").arg(position);
    if (auto *existing = findChild<QPushButton *>(name, Qt::FindDirectChildrenOnly))
        return existing; // a button of that name still exists: reused as it is
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(90, 65, ButtonWidth, ButtonHeight);
    b->setProperty(ResultProperty, result);
    b->setProperty(HelpProperty, helpContext);
    b->setAutoDefault(true); // Enter presses the focused button
    connect(b, &QPushButton::clicked, this, [this, b] {
        const int r = b->property(ResultProperty).toInt();
        if (r == 0)
            emit helpRequested(b->property(HelpProperty).toInt()); // Help leaves the dialog open
        else
            done(r);
    });
    b->show();
    return b;
}

void TDialogForm::Prepare(const QString &text, MsgKind kind, int buttonSet, int helpContext)
{
    static const char *const captions[] = {"Warning", "Error", "Information", "Confirmation"};
    if (kind != MsgKind::Custom)
        setWindowTitle(QLatin1String(captions[int(kind)]));
    currentKind = kind;
    setProperty("helpContext", helpContext); // F1 anywhere in it: the same topic

    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    MessageText->setText(t);
    MessageText->setWordWrap(false);
    MessageText->adjustSize();
    // A line wider than the screen has room for is wrapped at the words.
    const QScreen *s = screen();
    const int room = (s ? s->availableGeometry().width() : 1024) * 9 / 10 - 88;
    if (MessageText->width() > room) {
        MessageText->setWordWrap(true);
        MessageText->resize(room, MessageText->heightForWidth(room));
    }

    // Fixed order whatever the caller thinks of; other members give no button.
    struct Def { int flag; const char *caption; int result; };
    static const Def defs[] = {{mbOk, "Ok", mrOk}, {mbCancel, "Cancel", mrCancel}, {mbHelp, "Help", 0},
                               {mbYes, "Yes", mrYes}, {mbNo, "No", mrNo}};
    int position = 1;
    for (const Def &d : defs)
        if (buttonSet & d.flag)
            makeButton(position++, QLatin1String(d.caption), d.result, helpContext);
    if (isVisible())
        hide();
}

int TDialogForm::Execute(const QString &text, MsgKind kind, int buttonSet, int helpContext, int focused)
{
    Prepare(text, kind, buttonSet, helpContext);
    focusedAnswer = focused;
    const int result = exec();
    focusedAnswer = 0;
    return result;
}

QList<QPushButton *> TDialogForm::buttons() const
{
    QList<QPushButton *> out;
    for (int i = 1; i <= 8; ++i)
        if (auto *b = findChild<QPushButton *>(QStringLiteral("B%1").arg(i), Qt::FindDirectChildrenOnly))
            out << b;
    return out;
}

void TDialogForm::FormActivate()
{
    int w = MessageText->width() + 88;
    // The window's inside: the buttons and a margin below them (140 and the
    // tall height less 75 counted the title bar and frame too).
    int h = 65 + ButtonHeight + BottomMargin;
    const QList<QPushButton *> bs = buttons();
    const int n = int(bs.size());
    static const int minWidth[] = {0, 94, 174, 248};
    static const int offsets[4][3] = {{0, 0, 0}, {-37, 0, 0}, {-77, 3, 0}, {-114, -37, 40}};
    if (n >= 1 && n <= 3) {
        w = std::max(w, minWidth[n]);
        // A message taller than the icon, running into the button row, pushes
        // the buttons below it: three lines or more in the standard font.
        const int textHeight = MessageText->height();
        const int lines = int(MessageText->text().count(QLatin1Char('\n'))) + 1;
        const bool tall = textHeight > 32 && (lines >= 3 || TextTop + textHeight + 10 > 65);
        for (int i = 0; i < n; ++i) {
            bs[i]->move(w / 2 + offsets[n][i], tall ? TextTop + textHeight + 10 : bs[i]->y());
        }
        if (tall)
            h = TextTop + textHeight + 10 + ButtonHeight + BottomMargin;
    }
    setFixedSize(w, h);
    // The focus starts on the answer asked for, else on the first answer,
    // never on Help.
    QPushButton *start = nullptr;
    for (QPushButton *b : bs) {
        const int result = b->property(ResultProperty).toInt();
        if (result == 0)
            continue;
        if (!start)
            start = b;
        if (result == focusedAnswer) {
            start = b;
            break;
        }
    }
    if (start)
        start->setFocus();
    DialogImage->clear();
    DialogImage->setPixmap(MessageKindIcon(currentKind).pixmap(32, 32));
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

void TDialogForm::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TDialogForm::reject()
{
    done(mrCancel); // closing by the frame answers like Cancel
}

void TDialogForm::done(int result)
{
    // The next call starts with no buttons.
    for (QPushButton *b : buttons()) {
        b->hide();
        b->setObjectName(QString());
        b->deleteLater();
    }
    QDialog::done(result);
}
