// The program entry: the command line, where the settings live, the
// calculator window and the event loop.
#include "settings/profile.h"
#include "ui/frmMain.h"
#include "ui/look.h"
#include "varnel_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>

namespace {

// Whether Qt has somewhere to show a window: a desktop session, or a platform
// chosen by hand (QT_QPA_PLATFORM or -platform). Without one Qt aborts with a
// message meant for developers, so the program says it plainly instead.
bool HasDesktop(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    (void)argc;
    (void)argv;
    return true;
#endif
}

// Paths in the file system's own encoding, both ways.
std::filesystem::path Path(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}
QString Text(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(path.native().c_str());
#endif
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

    // --help and --version answer before any window system is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    options.parse(arguments);
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
    if (!options.parse(QCoreApplication::arguments()) || !options.positionalArguments().isEmpty()) {
        const QString error = options.positionalArguments().isEmpty()
                                  ? options.errorText()
                                  : QStringLiteral("Unexpected argument '%1'.")
                                        .arg(options.positionalArguments().constFirst());
        std::fprintf(stderr, "varnel: %s Try 'varnel --help'.\n", error.toLocal8Bit().constData());
        return 2;
    }
    QApplication::setStyle(ui::CalculatorStyle());
    // Ties the windows to the desktop entry (Wayland app id, task bars).
    QApplication::setDesktopFileName(QStringLiteral(VARNEL_APP_ID));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setFont(ui::DefaultFont());

    const settings::Files files = SettingsFiles();
    ui::frmMain window(files.read, files.write);
    window.show();
    return QApplication::exec();
}
