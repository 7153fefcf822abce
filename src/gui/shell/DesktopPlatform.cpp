#include "gui/shell/DesktopPlatform.h"

#include "gui/shell/HelpViewer.h"
#include "gui/shell/MessageDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>
#include <climits>

namespace {
// Message texts break lines with CR, CR LF or LF alike.
QString lines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString filterText(const FileRequest &r, QString *selected)
{
    // "Name|*.dat|Other|*.bak" into Qt's "Name (*.dat);;Other (*.bak)"
    const QStringList parts = r.filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        *selected = filters[r.filterIndex - 1];
    return filters.join(QStringLiteral(";;"));
}

QString startPath(const FileRequest &r)
{
    if (r.fileName.isEmpty() || r.fileName.contains(QLatin1Char('*')))
        return r.folder;
    return r.fileName;
}
} // namespace

DesktopPlatform::DesktopPlatform() : help(std::make_unique<HelpViewer>()) {}

TDialogForm &DesktopPlatform::DialogForm()
{
    // Built for the first message, not before the main window shows.
    if (!dialog) {
        dialog = std::make_unique<TDialogForm>();
        QObject::connect(dialog.get(), &TDialogForm::helpRequested, [this](int topic) { ShowHelp(topic); });
    }
    return *dialog;
}

DesktopPlatform::~DesktopPlatform() = default;

int DesktopPlatform::MessageDialog(const QString &text, MsgKind kind, int buttons, int helpContext)
{
    endProgress();
    return DialogForm().Execute(text, kind, buttons, helpContext);
}

int DesktopPlatform::MessageDialogFocused(const QString &text, MsgKind kind, int buttons, int helpContext, int focusedAnswer)
{
    endProgress();
    return DialogForm().Execute(text, kind, buttons, helpContext, focusedAnswer);
}

void DesktopPlatform::ShowMessage(const QString &text)
{
    endProgress();
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(), lines(text));
}

int DesktopPlatform::MessageDlg(const QString &text, MsgKind kind, int buttons)
{
    endProgress();
    QMessageBox box(QApplication::activeWindow());
    static const QMessageBox::Icon icons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                              QMessageBox::Information, QMessageBox::Question,
                                              QMessageBox::NoIcon};
    box.setIcon(icons[int(kind)]);
    box.setText(lines(text));
    box.setWindowTitle(QApplication::applicationDisplayName());
    struct Pair { int flag; QMessageBox::StandardButton button; int result; };
    static const Pair pairs[] = {{mbYes, QMessageBox::Yes, mrYes}, {mbNo, QMessageBox::No, mrNo},
                                 {mbOk, QMessageBox::Ok, mrOk}, {mbCancel, QMessageBox::Cancel, mrCancel}};
    for (const Pair &p : pairs)
        if (buttons & p.flag)
            box.addButton(p.button);
    box.exec();
    for (const Pair &p : pairs)
        if (box.clickedButton() == box.button(p.button))
            return p.result;
    return mrCancel;
}

int DesktopPlatform::ExecModal(QDialog &d)
{
    endProgress();
    return d.exec();
}

QString DesktopPlatform::OpenFileName(const FileRequest &r)
{
    endProgress();
    QString selected;
    const QString filters = filterText(r, &selected);
    QFileDialog fd(QApplication::activeWindow(), r.title, startPath(r), filters);
    fd.setAcceptMode(QFileDialog::AcceptOpen);
    fd.setFileMode(QFileDialog::AnyFile); // a missing file is reported by the caller
    if (!selected.isEmpty())
        fd.selectNameFilter(selected);
    fd.setDefaultSuffix(r.defaultSuffix);
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty())
        return QString();
    return fd.selectedFiles().first();
}

QString DesktopPlatform::SaveFileName(const FileRequest &r)
{
    endProgress();
    QString selected;
    const QString filters = filterText(r, &selected);
    QFileDialog fd(QApplication::activeWindow(), r.title, startPath(r), filters);
    fd.setAcceptMode(QFileDialog::AcceptSave);
    if (!selected.isEmpty())
        fd.selectNameFilter(selected);
    fd.setDefaultSuffix(r.defaultSuffix);
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty())
        return QString();
    return fd.selectedFiles().first();
}

bool DesktopPlatform::ChooseColour(QColor &colour)
{
    endProgress();
    const QColor c = QColorDialog::getColor(colour, QApplication::activeWindow());
    if (!c.isValid())
        return false;
    colour = c;
    return true;
}

bool DesktopPlatform::ChooseFont(QFont &font)
{
    endProgress();
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
    if (ok)
        font = f;
    return ok;
}

bool DesktopPlatform::PrintDialog(QPrinter &p)
{
    endProgress();
    QPrintDialog d(&p, QApplication::activeWindow());
    return d.exec() == QDialog::Accepted;
}

void DesktopPlatform::PrinterSetup(QPrinter &p)
{
    endProgress();
    QPageSetupDialog d(&p, QApplication::activeWindow());
    d.exec();
}

QPrinter &DesktopPlatform::Printer()
{
    if (!printer)
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

void DesktopPlatform::ShowHelp(int topic) { help->ShowTopic(topic); }

void DesktopPlatform::ShowHelpContents() { help->ShowContents(); }

bool DesktopPlatform::HasPrinter() const { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

QDate DesktopPlatform::Today() const { return QDate::currentDate(); }

QLocale DesktopPlatform::Locale() const
{
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedKingdom);
    return system;
}

void DesktopPlatform::endProgress()
{
    // Anything modal over a progress window still open could not be
    // answered: the progress goes first, whatever its work forgot.
    if (progress && progress->isVisible())
        progress->reset();
}

bool DesktopPlatform::Progress(const QString &what, qint64 done, qint64 total)
{
    if (done >= total) {
        if (progress)
            progress->reset(); // hides it, ready for the next piece of work
        return true;
    }
    if (!progress) {
        progress = std::make_unique<QProgressDialog>(QApplication::activeWindow());
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(400); // short work shows nothing
        progress->setAutoReset(false);
    }
    if (progress->wasCanceled()) {
        progress->reset();
        return false;
    }
    progress->setLabelText(what);
    progress->setMaximum(int(std::min<qint64>(total, INT_MAX)));
    progress->setValue(int(std::min<qint64>(done, INT_MAX))); // a modal one lets events run
    if (progress->wasCanceled()) {
        progress->reset();
        return false;
    }
    return true;
}
