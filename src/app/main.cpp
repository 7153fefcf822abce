#include "Version.h"
#include "app/MainWindow.h"
#include "app/SingleProgram.h"
#include "core/state/AppState.h"
#include "gui/shell/DesktopPlatform.h"
#include "gui/shell/FirstPaint.h"
#include "gui/shell/Resources.h"

#include <QApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Without a display Qt aborts with a long plugin message; say it plainly.
bool hasDisplay()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
const char Usage[] =
    "Usage: vantiq [options]\n"
    "Keeps the fuel log of your vehicles and works out their economy and running costs.\n"
    "\n"
    "Options:\n"
    "  -h, --help            show this help and exit\n"
    "  -v, --version         show the version and exit\n"
    "  -style <style>        use the given widget style, for example Fusion\n"
    "  -platform <name>      use the given display platform: xcb, wayland or offscreen\n"
    "  -reverse              lay the windows out from right to left\n"
    "\n"
    "Settings and data are kept beside the program when its folder holds vantiq.ini,\n"
    "or when it is not installed and its folder can be written (a build or a copy);\n"
    "an installed program keeps them in ~/.config/Quorvix/Vantiq/ and\n"
    "~/.local/share/Quorvix/Vantiq/. A second start on the same settings brings\n"
    "the program already open to the front.\n";

// Qt's own options, which QApplication takes: with a value, and without.
const char *const QtOptionsWithValue[] = {"style", "platform", "stylesheet", "display", "geometry", "qwindowgeometry",
                                          "platformpluginpath", "platformtheme", "plugin", "qwindowtitle",
                                          "qwindowicon", "session", "name", "title", "qmljsdebugger"};
const char *const QtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "quit-after-first-paint"};

bool among(const std::string &name, const auto &names)
{
    for (const char *n : names)
        if (name == n)
            return true;
    return false;
}

// The informational options answer without a display, and anything but
// them and Qt's own options is refused before a display is needed: the
// program takes no files or arguments of its own.
int answerInformationalOption(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (!std::strcmp(a, "--version") || !std::strcmp(a, "-v")) {
            std::printf("%s %s\n", VANTIQ_PRODUCT_NAME, VANTIQ_FILE_VERSION);
            return 0;
        }
        if (!std::strcmp(a, "--help") || !std::strcmp(a, "-h") || !std::strcmp(a, "-help")) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        const bool option = name.size() > 1 && name[0] == '-';
        name.erase(0, name.rfind("--", 0) == 0 ? 2 : 1); // Qt takes -style and --style alike
        const std::size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        name = name.substr(0, equals);
        if (option && among(name, QtFlags))
            continue;
        const bool withValue = option && among(name, QtOptionsWithValue);
        if (withValue && (inlineValue || i + 1 < argc)) {
            i += inlineValue ? 0 : 1;
            continue;
        }
        std::fprintf(stderr, "vantiq: %s '%s'\n\n",
                     withValue ? "a value is needed after" : option ? "unknown option" : "unexpected argument", argv[i]);
        std::fputs(Usage, stderr);
        return 2;
    }
    return -1;
}

// A session that ends (or a plain kill) asks the program to stop with
// SIGTERM: it closes its window as the user would, so the settings and the
// backup are written. The handler only writes a byte; the event loop acts.
int termPipe[2] = {-1, -1};
void onTerm(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(termPipe[1], &byte, 1);
}

// Taken from the very start, so a request that comes while the program is
// still starting waits for the window instead of killing the process.
void catchTerm()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, termPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onTerm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

void closeOnTerm(TVantiq_ &window)
{
    if (termPipe[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(termPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(termPipe[0], &byte, 1);
        notifier->setEnabled(false);
        // Questions open at the time are closed unanswered first.
        while (QWidget *modal = QApplication::activeModalWidget())
            if (!modal->close())
                break;
        QTimer::singleShot(0, &window, [&window] {
            window.CloseAsSessionEnds();
            QApplication::quit();
        });
    });
}
} // namespace

int main(int argc, char *argv[])
{
    if (const int answered = answerInformationalOption(argc, argv); answered >= 0)
        return answered;
    catchTerm();
    if (!hasDisplay()) {
        std::fprintf(stderr, "vantiq: no display to show its window on (DISPLAY is not set); on a machine without "
                             "a desktop run it under a virtual X server: xvfb-run -a %s\n",
                     argc > 0 ? argv[0] : "vantiq");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationDisplayName(QStringLiteral(VANTIQ_PRODUCT_NAME));
    QApplication::setApplicationVersion(QStringLiteral(VANTIQ_FILE_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Quorvix"));
    // Names the menu entry: the window's class on X11 and its app id on Wayland.
    QApplication::setDesktopFileName(QStringLiteral("com.quorvix.Vantiq"));
    QApplication::setWindowIcon(ApplicationIcon());
    DesktopPlatform platform;
    // A second start on the same settings and data brings the first forward
    // and reads or writes nothing of them.
    const QString settingsPath = AppState(platform, QApplication::applicationFilePath()).SettingsPath();
    SingleProgram single(settingsPath);
    switch (single.Claim()) {
    case SingleProgram::Start::First:
        break;
    case SingleProgram::Start::AnotherRuns:
        std::fprintf(stdout, "Vantiq is already open on %s; its window was brought to the front.\n",
                     qPrintable(QDir::toNativeSeparators(settingsPath)));
        return 0;
    case SingleProgram::Start::AnotherSilent:
        std::fprintf(stderr, "vantiq: Vantiq is already open on %s but does not answer; a second one is not started.\n",
                     qPrintable(QDir::toNativeSeparators(settingsPath)));
        return 1;
    }
    TVantiq_ window(platform, QApplication::applicationFilePath());
    QObject::connect(&single, &SingleProgram::comeToTheFront, &window, [&window] {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.show();
        window.raise();
        window.activateWindow();
    });
    closeOnTerm(window);
    // Not in the usage: for the start-up benchmark alone.
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--quit-after-first-paint"))
            QuitAfterFirstPaint(window);
    window.showMaximized();
    return app.exec();
}
