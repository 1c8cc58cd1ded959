#include "ui/note.h"

#include <QAccessible>
#include <QLabel>
#include <QStyle>
#include <QTimer>

namespace ui {
namespace {

// Where a control draws on its parent: a caption without a frame only where
// its text goes, anything else its whole rectangle.
QRect Occupied(const QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    if (label == nullptr || label->frameShape() != QFrame::NoFrame)
        return control->geometry();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               label->fontMetrics().size(0, label->text()), label->geometry());
}

} // namespace

void ShowNote(QWidget* near, const QString& text, int milliseconds) {
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
    if (milliseconds > 0)
        QTimer::singleShot(milliseconds, note, [note, serial] {
            if (note->property("serial").toInt() == serial)
                note->hide();
        });
}

void HideNote(QWidget* near) {
    auto* note = near->parentWidget()->findChild<QLabel*>(QStringLiteral("note"),
                                                          Qt::FindDirectChildrenOnly);
    if (note != nullptr) {
        note->setProperty("serial", note->property("serial").toInt() + 1);
        note->hide();
    }
}

} // namespace ui
