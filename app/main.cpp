// The program entry: the command line, where the settings live, the
// calculator window, the event loop, and the ends of a run other than Quit.
#include "core/options.h"
#include "settings/profile.h"
#include "ui/frmMain.h"
#include "ui/look.h"
#include "varnel_version.h"

#include <QApplication>
#include <QFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

// How many words of the command line one of Qt's own options takes (the
// option and its value), or 0 for any other word. QApplication takes these for
// itself; they must not be read as ours ("-reverse" is not -r -e -v ...).
// The list lives here, not in core: which words are Qt's is the knowledge of
// the Qt this program links, and the Windows program, which has no Qt, refuses
// them. core only learns how many words to leave alone.
std::size_t QtOption(std::string_view word) {
    const std::size_t dashes = word.find_first_not_of('-');
    if (dashes == 0 || dashes > 2) // not an option, or just dashes
        return 0;
    const std::string_view name = word.substr(dashes);
    constexpr std::string_view alone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    constexpr std::string_view valued[] = {"platform",      "platformpluginpath",
                                           "platformtheme", "plugin",
                                           "qmljsdebugger", "qwindowgeometry",
                                           "qwindowicon",   "qwindowtitle",
                                           "session",       "style",
                                           "stylesheet",    "display",
                                           "geometry",      "title",
                                           "name",          "dialogs",
                                           "fontengine",    "visual"};
    const std::string_view key = name.substr(0, name.find('='));
    for (const std::string_view option : alone)
        if (name == option)
            return 1;
    for (const std::string_view option : valued)
        if (key == option)
            return key == name ? 2 : 1; // "-style fusion" or "-style=fusion"
    return 0;
}

// Whether Qt has somewhere to show a window: a desktop session, or a platform
// chosen by hand (QT_QPA_PLATFORM or -platform). Without one Qt aborts with a
// message meant for developers, so the program says it plainly instead.
bool HasDesktop(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// A path in the file system's own encoding.
std::filesystem::path Path(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The files this run reads and writes. The per-user file lies in the
// configuration folder Qt names for the program: ~/.config/Varnel/Varnel.ini
// on Linux, unless XDG_CONFIG_HOME says otherwise.
settings::Files SettingsFiles() {
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return settings::ChooseFiles(Path(QCoreApplication::applicationDirPath()),
                                 Path(perUser + QStringLiteral("/Varnel.ini")),
                                 {VARNEL_INSTALL_BINDIR, "/usr/bin", "/usr/local/bin"});
}

// SIGTERM (kill, a shutdown) and SIGHUP (a logout, a closed terminal) end the
// run as Quit does. The handler only writes a byte; the event loop saves.
int signalPipe[2] = {-1, -1};
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// Answers --help, --version and a command line that is refused, all without
// a window system; nothing when the command line asks for the window. The
// words that are Qt's are left to QApplication.
std::optional<int> Answered(int argc, char* argv[]) {
    const std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
    const core::Options options = core::ReadOptions(words, QtOption);
    if (options.ask == core::Ask::Window)
        return std::nullopt;
    std::string file;
    if (options.ask == core::Ask::Help) {
        const QCoreApplication names(argc, argv); // the program's folder and the per-user one
        file = SettingsFiles().write.native();
    }
    const core::Reply reply = core::ReplyTo(options, file);
    std::fputs(reply.text.c_str(), reply.error ? stderr : stdout);
    return reply.status;
}

// What every window of the program shares: the calculator's style, icon and
// font, and the desktop entry it belongs to (Wayland app id, task bars).
void Dress() {
    QApplication::setStyle(ui::CalculatorStyle());
    QApplication::setDesktopFileName(QStringLiteral(VARNEL_APP_ID));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setFont(ui::DefaultFont());
}

// A run that ends without the window being closed still keeps what the user
// set: at the end of the desktop session, and on SIGTERM or SIGHUP.
void SaveAtTheEnd(QApplication& app, ui::frmMain& window) {
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &window,
        [&window](QSessionManager&) { window.SaveOnce(); }, Qt::DirectConnection);
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        window.SaveOnce();
        QApplication::quit(); // from any dialog's loop too
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Varnel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(varnel::version));
    if (const std::optional<int> status = Answered(argc, argv))
        return *status;
    if (!HasDesktop(argc, argv)) {
        std::fputs("Varnel needs a desktop session: DISPLAY or WAYLAND_DISPLAY is not set\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv); // takes Qt's own options, such as -platform and -style
    Dress();
    const settings::Files files = SettingsFiles();
    ui::frmMain window(files.read, files.write);
    SaveAtTheEnd(app, window);
    window.show();
    return QApplication::exec();
}
