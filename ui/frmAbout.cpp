#include "ui/frmAbout.h"

#include "ui/look.h"
#include "varnel_version.h"

#include <QLabel>
#include <QPushButton>

namespace ui {
namespace {

QLabel* Text(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
             int height) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(TwipRect(left, top, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Varnel.exe"));
    setWindowIcon(ProgramIcon());
    setFont(DefaultFont());
    // The main window waits while this one is open, whichever window owns it.
    setWindowModality(Qt::ApplicationModal);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(TwipRect(240, 240, 540, 540));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(ProgramIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    picIcon->setFocusPolicy(Qt::NoFocus);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipRect(4245, 2535, 1260, 345));
    cmdOK->setDefault(true);

    Text(this, "Label1",
         QStringLiteral("Free software under the MIT License.\n"
                        "Provided as is, without warranty of any kind."),
         1170, 1365, 3885, 540);
    auto* engraved = new Line("Line1", 1170, 2340, 5460, 2340, this, QColor(128, 128, 128), 1);
    engraved->setProperty("index", 1);
    Text(this, "lblDescription", QStringLiteral("Written by the Varnel developers"), 1170, 975,
         3885, 375);
    Text(this, "lblTitle", QStringLiteral("Varnel"), 1170, 240, 3885, 360);
    auto* highlight = new Line("Line1", 195, 2145, 4485, 2145, this, QColor(Qt::white), 2);
    highlight->setProperty("index", 0);
    lblVersion = Text(this, "lblVersion", QStringLiteral("Version 1.0"), 1170, 585, 3885, 225);

    // OK is both the default and the cancel button: Enter and Esc press it,
    // and so does the title bar's close box.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    // A fixed place on the screen, wherever the main window is.
    setGeometry(TwipRect(2340, 1935, 5730, 3075));
    setFixedSize(size());
}

void frmAbout::showEvent(QShowEvent* event) {
    Form_Load();
    cmdOK->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void frmAbout::Form_Load() {
    lblVersion->setText(QStringLiteral("Version ") + QString::fromLatin1(varnel::version));
}

void frmAbout::cmdOK_Click() {
    accept();
}

} // namespace ui
