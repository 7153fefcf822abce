#include "ScriptedPlatform.h"

#include "gui/shell/HelpTopics.h"

#include <QDialog>
#include <QTest>

ScriptedPlatform::ScriptedPlatform() = default;

QStringList ScriptedPlatform::texts(const QString &what) const
{
    QStringList out;
    for (const Call &c : calls)
        if (what.isEmpty() || c.what == what)
            out << c.text;
    return out;
}

const ScriptedPlatform::Call *ScriptedPlatform::last(const QString &what) const
{
    for (qsizetype i = calls.size() - 1; i >= 0; --i)
        if (calls[i].what == what)
            return &calls[i];
    return nullptr;
}

void ScriptedPlatform::fail(const QString &what)
{
    unexpected << what;
    // The test that did not expect this fails here, rather than block.
    QTest::qFail(qPrintable(QStringLiteral("unexpected ") + what), __FILE__, __LINE__);
}

void ScriptedPlatform::record(const Call &call)
{
    calls.append(call);
    if (progressOpen)
        fail(call.what + QStringLiteral(" under an open progress window: ") + call.text);
}

bool ScriptedPlatform::Progress(const QString &what, qint64 done, qint64 total)
{
    (void)what;
    const bool goOn = ++progressCalls != cancelProgressAt;
    progressOpen = goOn && done < total; // a cancelled one closes
    return goOn;
}

int ScriptedPlatform::answer(const QString &what, const QString &text)
{
    if (answers.isEmpty()) {
        fail(what + QStringLiteral(": ") + text);
        return mrCancel;
    }
    return answers.takeFirst();
}

int ScriptedPlatform::MessageDialog(const QString &text, MsgKind kind, int buttons, int helpContext)
{
    record({QStringLiteral("MessageDialog"), text, kind, buttons, helpContext});
    // Every topic the program can ask for must have a page in the guide.
    if ((buttons & mbHelp) && !HelpTopic::Find(helpContext))
        fail(QStringLiteral("help topic without a page: %1").arg(helpContext));
    return answer(QStringLiteral("MessageDialog"), text);
}

int ScriptedPlatform::MessageDialogFocused(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer)
{
    const int result = MessageDialog(text, kind, buttons, helpContext);
    calls.last().focused = focusedAnswer;
    return result;
}

void ScriptedPlatform::ShowMessage(const QString &text)
{
    record({QStringLiteral("ShowMessage"), text, MsgKind::Custom, mbOk, -1});
}

int ScriptedPlatform::MessageDlg(const QString &text, MsgKind kind, int buttons)
{
    record({QStringLiteral("MessageDlg"), text, kind, buttons, -1});
    return answer(QStringLiteral("MessageDlg"), text);
}

int ScriptedPlatform::ExecModal(QDialog &dialog)
{
    record({QStringLiteral("ExecModal"), QString::fromLatin1(dialog.metaObject()->className())});
    if (modalHandlers.isEmpty()) {
        fail(QStringLiteral("ExecModal: ") + QString::fromLatin1(dialog.metaObject()->className()));
        return QDialog::Rejected;
    }
    return modalHandlers.takeFirst()(dialog);
}

QString ScriptedPlatform::OpenFileName(const FileRequest &request)
{
    record({QStringLiteral("OpenFileName"), request.title});
    fileRequests << request;
    if (fileAnswers.isEmpty()) {
        fail(QStringLiteral("OpenFileName: ") + request.title);
        return QString();
    }
    return fileAnswers.takeFirst();
}

QString ScriptedPlatform::SaveFileName(const FileRequest &request)
{
    record({QStringLiteral("SaveFileName"), request.title});
    fileRequests << request;
    if (fileAnswers.isEmpty()) {
        fail(QStringLiteral("SaveFileName: ") + request.title);
        return QString();
    }
    return fileAnswers.takeFirst();
}

bool ScriptedPlatform::ChooseColour(QColor &colour)
{
    record({QStringLiteral("ChooseColour"), colour.name()});
    if (colourAnswers.isEmpty()) {
        fail(QStringLiteral("ChooseColour"));
        return false;
    }
    const QColor answer = colourAnswers.takeFirst();
    if (!answer.isValid())
        return false;
    colour = answer;
    return true;
}

bool ScriptedPlatform::ChooseFont(QFont &font)
{
    record({QStringLiteral("ChooseFont"), font.family()});
    if (fontAnswers.isEmpty()) {
        fail(QStringLiteral("ChooseFont"));
        return false;
    }
    const QFont answer = fontAnswers.takeFirst();
    if (answer.family().isEmpty())
        return false;
    font = answer;
    return true;
}

bool ScriptedPlatform::PrintDialog(QPrinter &)
{
    record({QStringLiteral("PrintDialog"), QString()});
    return answer(QStringLiteral("PrintDialog"), QString()) == mrOk;
}

void ScriptedPlatform::PrinterSetup(QPrinter &) { record({QStringLiteral("PrinterSetup"), QString()}); }

QPrinter &ScriptedPlatform::Printer()
{
    if (!printer) {
        printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
    }
    return *printer;
}

void ScriptedPlatform::ShowHelp(int topic)
{
    helpTopics << topic;
    if (!HelpTopic::Find(topic))
        fail(QStringLiteral("help topic without a page: %1").arg(topic));
}

void ScriptedPlatform::ShowHelpContents() { ++helpContents; }
