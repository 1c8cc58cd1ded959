// The brief note the calculator window shows beside a control: "Copied 24",
// "At most 8 characters", "Not an image Varnel can read: brick.pcx".
#pragma once

#include <QString>

class QWidget;

namespace ui {

// Shows text beside near for milliseconds (0: until HideNote). The note is a
// label of the window placed beside near where it covers least, and it takes
// no click, key or focus, so the next click or key always reaches what it was
// aimed at. A new note replaces the one shown. Assistive technology meets it
// as a notification, which a screen reader speaks as it shows, and it cancels
// news not yet told.
void ShowNote(QWidget* near, const QString& text, int milliseconds);

// Hides the note of near's window, if one shows.
void HideNote(QWidget* near);

// Tells assistive technology text about subject as a notification, without
// showing anything, once it has stayed the same for half a second: news that
// changes with every key typed is told once, when the typing pauses. Nothing
// is told while subject is hidden or no assistive technology listens.
void Announce(QWidget* subject, const QString& text);

} // namespace ui
