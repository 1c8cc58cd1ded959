// The program entry: the calculator window and the event loop, nothing else.
#include "settings/profile.h"
#include "ui/frmMain.h"
#include "ui/look.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

int main(int argc, char* argv[]) {
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
