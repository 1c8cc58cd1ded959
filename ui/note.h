// The brief note the calculator window shows beside a control: "Copied 24",
// "At most 8 characters", "Not an image Varnel can read: brick.pcx".
#pragma once

#include <QString>

class QWidget;

namespace ui {

// Shows text beside near for milliseconds (0: until HideNote). The note is a
// label of the window placed where it covers no other control, and it takes
// no click, key or focus, so the next click or key always reaches what it was
// aimed at. A new note replaces the one shown. Assistive technology hears it
// as an alert.
void ShowNote(QWidget* near, const QString& text, int milliseconds = 1500);

// Hides the note of near's window, if one shows.
void HideNote(QWidget* near);

} // namespace ui
