#include "ui/help.h"
#include "core/commands.h"
#include "ui/controls.h"
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

// A control's accessible name (what it is) and description (how to use it),
// and the two together as its tooltip, as rich text so a long tip wraps at a
// readable width. The rows of an alignment list have tips of their own.
void Describe(QWidget* control, const core::layout::Control& c) {
    const core::Description d = core::Describe(c);
    control->setAccessibleName(Text(d.name));
    control->setAccessibleDescription(Text(d.description));
    auto* list = qobject_cast<QListWidget*>(control);
    if (list == nullptr) {
        control->setToolTip(
            QStringLiteral("<p>%1</p>").arg(Text(core::Tooltip(c)).toHtmlEscaped()));
        return;
    }
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setToolTip(Text(core::RowTooltip(c, row)));
}

void ShowResult(QLabel* result, const QString& text) {
    if (result->text() == text)
        return;
    result->setText(text);
    NameResult(result);
    Announce(result, result->accessibleName());
}

// The words of the calculator window, from the core's table of them.
void frmMain::DescribeControls() {
    for (std::size_t i = 0; i < core::layout::parts.size(); ++i) {
        const core::layout::Control& c = *core::layout::parts[i].control;
        if (core::Describe(c).name.empty())
            continue;
        Describe(widgets_[i], c);
        if (core::layout::parts[i].kind == core::layout::Kind::result) {
            widgets_[i]->setProperty(resultName, Text(core::Describe(c).name));
            NameResult(static_cast<QLabel*>(widgets_[i]));
        }
    }
    // Before the menus are first shown, and so before anything asks for another.
    for (QAction* command : actions())
        if (command->isCheckable())
            QAccessible::registerAccessibleInterface(new ToggleCommand(command));
}

} // namespace ui
