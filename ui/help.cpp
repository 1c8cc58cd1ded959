#include "ui/help.h"
#include "core/calculator.h"
#include "ui/frmMain.h"
#include "ui/note.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>

#include <iterator>

namespace ui {
namespace {

// What a result is ("Wall X offset"), kept on it for its accessible name.
const char* const resultName = "varnelResultName";

// A result's accessible name: what it is, then the number it shows.
void NameResult(QLabel* result) {
    result->setAccessibleName(result->property(resultName).toString() + QStringLiteral(", ") +
                              result->text());
}

// A checkable menu command as assistive technology meets it: a menu item that
// toggles, checked or "not checked". Qt 6.4 hands AT-SPI neither the
// "checkable" state nor a check menu item role, and a menu disowns any child
// that is not a plain menu item (a check box there has no place in it), so an
// unchecked command said nothing of its state: its description now says it.
class ToggleCommand : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    explicit ToggleCommand(QAction* command) : command_(command) {}

    bool isValid() const override { return Menu() != nullptr; }
    QObject* object() const override { return command_; }
    QWindow* window() const override { return Menu() ? Menu()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Menu());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return command_->iconText(); // the text without its "&"
        if (t == QAccessible::Accelerator)
            return command_->shortcut().toString(QKeySequence::NativeText);
        if (t == QAccessible::Description && !command_->isChecked())
            return QStringLiteral("not checked");
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QMenu* menu = Menu();
        return menu ? menu->actionGeometry(command_).translated(menu->mapToGlobal(QPoint()))
                    : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const QMenu* menu = Menu();
        s.invisible = !menu || !menu->isVisible() || !command_->isVisible();
        s.focused = menu && menu->activeAction() == command_;
        s.disabled = !command_->isEnabled();
        s.checkable = true;
        s.checked = command_->isChecked();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& action) override {
        if (action == toggleAction() && command_->isEnabled())
            command_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    QMenu* Menu() const {
        for (QObject* shownIn : command_ ? command_->associatedObjects() : QObjectList())
            if (auto* menu = qobject_cast<QMenu*>(shownIn))
                return menu;
        return nullptr;
    }

    QPointer<QAction> command_;
};

} // namespace

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
    NameResult(result);
    Announce(result, result->accessibleName());
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
    Describe(cmbTextX, QStringLiteral("Texture X size"), sizeHint);
    Describe(cmbTextZ, QStringLiteral("Texture Z size"), sizeHint);
    Describe(cmbWallX, QStringLiteral("Wall X size"), sizeHint);
    Describe(cmbWallZ, QStringLiteral("Wall Z size"), sizeHint);
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
        const QString name = what.at(0).toUpper() + what.mid(1);
        Describe(r.result, name, QStringLiteral("%1 copies this value.").arg(keys(r.command)));
        r.result->setProperty(resultName, name);
        NameResult(r.result);
        Describe(r.copy, QStringLiteral("Copy ") + what,
                 QStringLiteral("Copies the %1. Shortcut: %2.").arg(what, keys(r.command)));
    }
    // Before the menus are first shown, and so before anything asks for another.
    for (QAction* command : actions())
        if (command->isCheckable())
            QAccessible::registerAccessibleInterface(new ToggleCommand(command));
}

} // namespace ui
