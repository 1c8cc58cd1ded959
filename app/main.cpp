// The program entry: the command line, where the settings live, the
// calculator window, the event loop, and the ends of a run other than Quit.
#include "settings/profile.h"
#include "ui/frmMain.h"
#include "ui/look.h"
#include "varnel_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace {

// How many words of the command line one of Qt's own options takes (the
// option and its value), or 0 for any other word. QApplication takes these for
// itself; they must not be read as ours ("-reverse" is not -r -e -v ...).
int QtOption(std::string_view word) {
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

// Paths in the file system's own encoding, both ways.
std::filesystem::path Path(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}
QString Text(const std::filesystem::path& path) {
    return QFile::decodeName(path.native().c_str());
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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Varnel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(varnel::version));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Texture offsets for level designers: wall alignment and the "
                       "floor/ceiling grid."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QStringLiteral("Displays this help and where the settings are kept."));
    options.addOption(help);
    const QCommandLineOption version = options.addVersionOption();

    // The words that are not Qt's are ours, and are settled before any window
    // system is needed: --help and --version answer, anything else is refused.
    QStringList ours{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc;) {
        const int qt = QtOption(argv[i]);
        if (qt == 0)
            ours << QString::fromLocal8Bit(argv[i]);
        i += qt == 0 ? 1 : qt;
    }
    if (!options.parse(ours) || !options.positionalArguments().isEmpty()) {
        const QString error = options.positionalArguments().isEmpty()
                                  ? options.errorText()
                                  : QStringLiteral("Unexpected argument '%1'.")
                                        .arg(options.positionalArguments().constFirst());
        std::fprintf(stderr, "varnel: %s Try 'varnel --help'.\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (options.isSet(version) || options.isSet(help)) {
        const QCoreApplication answer(argc, argv);
        const QString text =
            options.isSet(version)
                ? QStringLiteral("Varnel %1\n").arg(QString::fromLatin1(varnel::version))
                : options.helpText() +
                      QStringLiteral("\nSettings file: %1\n").arg(Text(SettingsFiles().write));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!HasDesktop(argc, argv)) {
        std::fputs("Varnel needs a desktop session: DISPLAY or WAYLAND_DISPLAY is not set\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv); // takes Qt's own options, such as -platform and -style
    QApplication::setStyle(ui::CalculatorStyle());
    // Ties the windows to the desktop entry (Wayland app id, task bars).
    QApplication::setDesktopFileName(QStringLiteral(VARNEL_APP_ID));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setFont(ui::DefaultFont());

    const settings::Files files = SettingsFiles();
    ui::frmMain window(files.read, files.write);

    // A run that ends without the window being closed still keeps what the
    // user set: at the end of the session, and on SIGTERM or SIGHUP.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &window,
        [&window](QSessionManager&) { window.SaveOnce(); }, Qt::DirectConnection);
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
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

    window.show();
    return QApplication::exec();
}
