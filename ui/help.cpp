#include "ui/help.h"
#include "core/calculator.h"
#include "ui/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <iterator>

namespace ui {

void Describe(QWidget* control, const QString& name, const QString& description) {
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
    // As rich text, so a long tip wraps at a readable width.
    control->setToolTip(
        QStringLiteral("<p>%1. %2</p>").arg(name.toHtmlEscaped(), description.toHtmlEscaped()));
}

void DescribeAlignments(QListWidget* list, const QString& name, const QString& description,
                        const QString& near, const QString& far) {
    list->setAccessibleName(name);
    list->setAccessibleDescription(description);
    const QString tips[] = {
        QStringLiteral("Center on the %1 edge: offset = texture size / 2").arg(near),
        QStringLiteral("Align %1 (the default): offset = 0").arg(near),
        QStringLiteral("Center: offset = texture size / 2 \u2212 wall size / 2"),
        QStringLiteral("Align %1: offset = texture size \u2212 wall size").arg(far),
        QStringLiteral("Center on the %1 edge: offset = wall size \u2212 texture size").arg(far),
    };
    for (int row = 0; row < list->count() && row < static_cast<int>(std::size(tips)); ++row)
        list->item(row)->setToolTip(tips[row]);
}

void ShowResult(QLabel* result, const QString& text) {
    if (result->text() == text)
        return;
    result->setText(text);
    QAccessibleValueChangeEvent changed(result, text);
    QAccessible::updateAccessibility(&changed);
}

// The words of the calculator window, in one place. Shortcuts come from the
// menu commands and the field limit from the fields, so neither can drift.
void frmMain::DescribeControls() {
    const auto keys = [](const QAction* command) {
        return command->shortcut().toString(QKeySequence::NativeText);
    };
    const QString sizeHint =
        QStringLiteral("Type the size in map units, or pick one from the list. "
                       "Arithmetic such as 256-48 or 3*64 works. To take a texture's width "
                       "and height, drop its file on the window or press %1.")
            .arg(keys(mnuTextureFile));
    const QString typing = QStringLiteral(" Up to %1 characters; arithmetic such as 256-48 works.")
                               .arg(core::maxFieldLength);
    const QString position = QStringLiteral(
        "Type the point of the texture, in map units, that should land on the map %1 coordinate.");
    const QString coordinate =
        QStringLiteral("Type the map %1 coordinate, in map units, from -32775 to 32767.");

    DescribeAlignments(lstPosX, QStringLiteral("Wall X alignment"),
                       QStringLiteral("Choose where the texture sits along the wall."),
                       QStringLiteral("left"), QStringLiteral("right"));
    DescribeAlignments(lstPosZ, QStringLiteral("Wall Z alignment"),
                       QStringLiteral("Choose where the texture sits up the wall."),
                       QStringLiteral("bottom"), QStringLiteral("top"));
    Describe(cmbTextX, QStringLiteral("Texture size along X"), sizeHint);
    Describe(cmbTextZ, QStringLiteral("Texture size along Z"), sizeHint);
    Describe(cmbWallX, QStringLiteral("Wall length along X"), sizeHint);
    Describe(cmbWallZ, QStringLiteral("Wall height along Z"), sizeHint);
    Describe(txtFCTextX, QStringLiteral("Texture position along X"), position.arg('X') + typing);
    Describe(txtFCTextZ, QStringLiteral("Texture position along Z"), position.arg('Z') + typing);
    Describe(txtFCX, QStringLiteral("Map X coordinate"), coordinate.arg('X') + typing);
    Describe(txtFCZ, QStringLiteral("Map Z coordinate"), coordinate.arg('Z') + typing);

    const struct {
        QLabel* result;
        QPushButton* copy;
        const QAction* command;
        const char* what;
    } results[] = {{lblX, cmdCopyX, mnuCopyX, "wall X offset"},
                   {lblZ, cmdCopyZ, mnuCopyZ, "wall Z offset"},
                   {lblFCX, cmdFCCopyX, mnuFCCopyX, "floor/ceiling X offset"},
                   {lblFCZ, cmdFCCopyZ, mnuFCCopyZ, "floor/ceiling Z offset"}};
    for (const auto& r : results) {
        const QString what = QString::fromLatin1(r.what);
        Describe(r.result, what.at(0).toUpper() + what.mid(1),
                 QStringLiteral("%1 copies this value.").arg(keys(r.command)));
        Describe(r.copy, QStringLiteral("Copy ") + what,
                 QStringLiteral("Copies the %1. Shortcut: %2.").arg(what, keys(r.command)));
    }
}

} // namespace ui
