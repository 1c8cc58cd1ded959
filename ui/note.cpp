#include "ui/note.h"

#include "core/placement.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QLabel>
#include <QStyle>
#include <QTimer>

#include <vector>

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

// What assistive technology meets for a note, or for news: a notification
// named by the object's "text". A screen reader speaks a notification as it
// shows, wherever the focus is; through AT-SPI, Qt 6.4 has no other way to
// tell one anything: it passes on neither alerts nor announcements.
class Notification : public QAccessibleObject {
  public:
    explicit Notification(QObject* object) : QAccessibleObject(object) {}

    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(object()->parent());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? object()->property("text").toString() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const auto* shown = qobject_cast<const QWidget*>(object());
        s.invisible = shown == nullptr || !shown->isVisible();
        return s;
    }
    QRect rect() const override {
        const auto* shown = qobject_cast<const QWidget*>(object());
        return shown ? QRect(shown->mapToGlobal(QPoint()), shown->size()) : QRect();
    }
};

core::Rect RectOf(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

// Tells assistive technology that a notification shows (again).
void Notify(QObject* notification) {
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

// The note label of area, made on first use.
QLabel* NoteOf(QWidget* area) {
    auto* note = area->findChild<QLabel*>(QStringLiteral("note"), Qt::FindDirectChildrenOnly);
    if (note == nullptr) {
        note = new QLabel(area);
        QAccessible::registerAccessibleInterface(new Notification(note));
        note->setObjectName(QStringLiteral("note"));
        note->setAttribute(Qt::WA_TransparentForMouseEvents);
        note->setFocusPolicy(Qt::NoFocus);
        note->setForegroundRole(QPalette::ToolTipText);
        note->setBackgroundRole(QPalette::ToolTipBase);
        note->setAutoFillBackground(true);
    }
    return note;
}

// Puts note beside the control it speaks of, over as little else as can be.
void Place(QLabel* note, const QWidget* near) {
    const QWidget* area = note->parentWidget();
    const QSize size = note->sizeHint().boundedTo(area->size());
    std::vector<core::Rect> taken;
    for (const QWidget* other : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != note && !other->isHidden())
            taken.push_back(RectOf(Occupied(other)));
    const core::Rect at = core::NotePlace(RectOf(near->geometry()), size.width(), size.height(),
                                          RectOf(area->rect()), taken);
    note->setGeometry(at.left, at.top, at.width, at.height);
    note->raise();
}

} // namespace

void ShowNote(QWidget* near, const QString& text, int milliseconds) {
    QWidget* area = near->parentWidget();
    QLabel* note = NoteOf(area);
    note->setText(text);
    Place(note, near);
    // Showing tells assistive technology; a note that replaces one still shown tells it here.
    if (note->isVisible())
        Notify(note);
    note->show();
    // News not yet told is older than the note.
    for (QTimer* news : area->window()->findChildren<QTimer*>(QStringLiteral("news")))
        news->stop();
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

void Announce(QWidget* subject, const QString& text) {
    if (!QAccessible::isActive() || !subject->isVisible())
        return;
    auto* news = subject->findChild<QTimer*>(QStringLiteral("news"), Qt::FindDirectChildrenOnly);
    if (news == nullptr) {
        news = new QTimer(subject);
        QAccessible::registerAccessibleInterface(new Notification(news));
        news->setObjectName(QStringLiteral("news"));
        news->setSingleShot(true);
        news->setInterval(500);
        QObject::connect(news, &QTimer::timeout, news, [news] { Notify(news); });
    }
    news->setProperty("text", text);
    news->start();
}

} // namespace ui
