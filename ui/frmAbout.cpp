#include "ui/frmAbout.h"

#include "core/layout.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "varnel_version.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace ui {

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    namespace layout = core::layout;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Text(layout::aboutTitle));
    setWindowIcon(ProgramIcon());
    setFont(DefaultFont());
    setPalette(ReadablePalette(QApplication::palette()));
    // The main window waits while this one is open.
    setWindowModality(Qt::ApplicationModal);
    CreateControls();
    setAccessibleName(windowTitle());

    // OK is both the default and the cancel button: Enter and Esc press it,
    // and so does the title bar's close box.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    // A fixed place on the screen, wherever the main window is.
    setGeometry(
        TwipRect(layout::aboutLeft, layout::aboutTop, layout::aboutWidth, layout::aboutHeight));
    setFixedSize(size());
}

void frmAbout::CreateControls() {
    namespace layout = core::layout;
    auto* picIcon = Caption(this, layout::picIcon, true);
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setPixmap(ProgramIcon().pixmap(QSize(32, 32), devicePixelRatioF()));
    cmdOK = CopyButton(this, layout::cmdOK);
    cmdOK->setDefault(true);
    const auto text = [this](const layout::Control& c) {
        QLabel* label = Caption(this, c);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    };
    text(layout::aboutLabel1);
    text(layout::lblDescription);
    text(layout::lblTitle);
    // One engraved rule: a shadow line, as readable as a disabled caption, with
    // the palette's light colour right below it.
    new Line(layout::aboutRule, this, QPalette::WindowText, 0, QPalette::Disabled);
    new Line(layout::aboutRule, this, QPalette::Light, 1);
    lblVersion = text(layout::lblVersion);
}

void frmAbout::showEvent(QShowEvent* event) {
    Form_Load();
    cmdOK->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void frmAbout::Form_Load() {
    lblVersion->setText(QStringLiteral("Version ") + QString::fromLatin1(varnel::version));
    // A screen reader reads a window as it opens by its title and its lines of
    // three words or more that the title does not hold: "Varnel" and "Version
    // 1.0.4" alone are passed over, "Varnel, Version 1.0.4" is read, in its place.
    lblVersion->setAccessibleName(QStringLiteral("Varnel, ") + lblVersion->text());
}

void frmAbout::cmdOK_Click() {
    accept();
}

} // namespace ui
