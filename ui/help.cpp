#include "ui/help.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTimer>

namespace ui {
namespace {

struct Description {
    const char* control;
    const char* name;        // what it is
    const char* description; // how to use it
};

constexpr const char* sizeHint =
    "Type the size in map units, or pick one from the list. "
    "Arithmetic such as 256-48 or 3*64 works. "
    "To take a texture's width and height, drop its file on the window or press Ctrl+O.";

const Description descriptions[] = {
    {"lstPosX", "Wall X alignment", "Choose where the texture sits along the wall."},
    {"lstPosZ", "Wall Z alignment", "Choose where the texture sits up the wall."},
    {"cmbTextX", "Texture size along X", sizeHint},
    {"cmbTextZ", "Texture size along Z", sizeHint},
    {"cmbWallX", "Wall length along X", sizeHint},
    {"cmbWallZ", "Wall height along Z", sizeHint},
    {"lblX", "Wall X offset", "Ctrl+X copies this value."},
    {"lblZ", "Wall Z offset", "Ctrl+Z copies this value."},
    {"cmdCopyX", "Copy wall X offset", "Copies the wall X offset. Shortcut: Ctrl+X."},
    {"cmdCopyZ", "Copy wall Z offset", "Copies the wall Z offset. Shortcut: Ctrl+Z."},
    {"txtFCTextX", "Texture position along X",
     "Type the point of the texture, in map units, that should land on the map X coordinate. "
     "Up to 8 characters; arithmetic such as 256-48 works."},
    {"txtFCTextZ", "Texture position along Z",
     "Type the point of the texture, in map units, that should land on the map Z coordinate. "
     "Up to 8 characters; arithmetic such as 256-48 works."},
    {"txtFCX", "Map X coordinate",
     "Type the map X coordinate, in map units, from -32775 to 32767. "
     "Up to 8 characters; arithmetic such as 256-48 works."},
    {"txtFCZ", "Map Z coordinate",
     "Type the map Z coordinate, in map units, from -32775 to 32767. "
     "Up to 8 characters; arithmetic such as 256-48 works."},
    {"lblFCX", "Floor/ceiling X offset", "Ctrl+W copies this value."},
    {"lblFCZ", "Floor/ceiling Z offset", "Ctrl+Y copies this value."},
    {"cmdFCCopyX", "Copy floor/ceiling X offset",
     "Copies the floor/ceiling X offset. Shortcut: Ctrl+W."},
    {"cmdFCCopyZ", "Copy floor/ceiling Z offset",
     "Copies the floor/ceiling Z offset. Shortcut: Ctrl+Y."},
};

// Where a control draws on its parent: a caption without a frame only where
// its text goes, anything else its whole rectangle.
QRect Occupied(const QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label == nullptr || label->frameShape() != QFrame::NoFrame)
        return control->geometry();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               label->fontMetrics().size(0, label->text()), label->geometry());
}

// The formula of each alignment row, in words; near and far are left and
// right along the wall, bottom and top up it.
QStringList RowTips(const QString& near, const QString& far) {
    return {
        QStringLiteral("Centre on the %1 edge: offset = texture size / 2").arg(near),
        QStringLiteral("Align %1 (the default): offset = 0").arg(near),
        QStringLiteral("Centre: offset = texture size / 2 \u2212 wall size / 2"),
        QStringLiteral("Align %1: offset = texture size \u2212 wall size").arg(far),
        QStringLiteral("Centre on the %1 edge: offset = wall size \u2212 texture size").arg(far),
    };
}

} // namespace

void DescribeControls(QWidget* window) {
    for (const Description& d : descriptions) {
        auto* control = window->findChild<QWidget*>(QString::fromLatin1(d.control));
        if (control == nullptr)
            continue;
        const QString name = QString::fromUtf8(d.name);
        const QString description = QString::fromUtf8(d.description);
        control->setAccessibleName(name);
        control->setAccessibleDescription(description);
        if (qobject_cast<QListWidget*>(control) == nullptr)
            control->setToolTip(name + QStringLiteral(". ") + description);
    }
    for (auto [list, near, far] :
         {std::tuple{"lstPosX", "left", "right"}, std::tuple{"lstPosZ", "bottom", "top"}}) {
        auto* alignment = window->findChild<QListWidget*>(QString::fromLatin1(list));
        const QStringList tips = RowTips(QString::fromLatin1(near), QString::fromLatin1(far));
        for (int row = 0; alignment && row < alignment->count() && row < tips.size(); ++row)
            alignment->item(row)->setToolTip(tips[row]);
    }
}

void ShowResult(QLabel* result, const QString& text) {
    if (result->text() == text)
        return;
    result->setText(text);
    QAccessibleValueChangeEvent changed(result, text);
    QAccessible::updateAccessibility(&changed);
}

void ShowNote(QWidget* near, const QString& text) {
    QWidget* area = near->parentWidget();
    auto* note = area->findChild<QLabel*>(QStringLiteral("note"), Qt::FindDirectChildrenOnly);
    if (note == nullptr) {
        note = new QLabel(area);
        note->setObjectName(QStringLiteral("note"));
        note->setAttribute(Qt::WA_TransparentForMouseEvents);
        note->setFocusPolicy(Qt::NoFocus);
        note->setForegroundRole(QPalette::ToolTipText);
        note->setBackgroundRole(QPalette::ToolTipBase);
        note->setAutoFillBackground(true);
    }
    note->setText(text);
    const QSize size = note->sizeHint().boundedTo(area->size());
    // Just below the control, else just above it; flush with its left edge,
    // else with its right edge. The first place that overlaps nothing drawn
    // wins; the bottom left corner of the window is the last resort.
    const auto free = [area, note](const QRect& place) {
        if (!area->rect().contains(place))
            return false;
        for (const QWidget* other : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != note && !other->isHidden() && Occupied(other).intersects(place))
                return false;
        return true;
    };
    const QRect at = near->geometry();
    const int left = at.left(), right = at.right() + 1 - size.width();
    const int below = at.bottom() + 1, above = at.top() - size.height();
    QRect place(QPoint(0, area->height() - size.height()), size);
    for (const QPoint corner :
         {QPoint(left, below), QPoint(right, below), QPoint(left, above), QPoint(right, above)}) {
        if (free(QRect(corner, size))) {
            place.moveTopLeft(corner);
            break;
        }
    }
    note->setGeometry(place);
    note->raise();
    note->show();
    QAccessibleEvent shown(note, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
    // Only the latest note's timer hides it.
    const int serial = note->property("serial").toInt() + 1;
    note->setProperty("serial", serial);
    QTimer::singleShot(1500, note, [note, serial] {
        if (note->property("serial").toInt() == serial)
            note->hide();
    });
}

} // namespace ui
