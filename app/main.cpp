// The program entry: the calculator window and the event loop, nothing else.
#include "settings/profile.h"
#include "ui/frmMain.h"
#include "ui/look.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

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

} // namespace

int main(int argc, char* argv[]) {
    if (!HasDesktop(argc, argv)) {
        std::fputs("Varnel needs a desktop session: DISPLAY or WAYLAND_DISPLAY is not set\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnel"));
    // Ties the windows to the desktop entry (Wayland app id, task bars).
    QApplication::setDesktopFileName(QStringLiteral(VARNEL_APP_ID));
    QApplication::setWindowIcon(ui::ProgramIcon());
    QApplication::setFont(ui::DefaultFont());

    // The settings live beside the program, so a copied folder keeps them.
    const QByteArray directory = QFile::encodeName(QCoreApplication::applicationDirPath());
    ui::frmMain window(settings::SettingsFile(directory.toStdString()));
    window.show();
    return QApplication::exec();
}
