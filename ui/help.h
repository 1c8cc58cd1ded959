// What the window tells people besides its numbers: accessible names and
// descriptions, tooltips, and the note that a copy has happened.
#pragma once

#include <QString>

class QLabel;
class QListWidget;
class QWidget;

namespace ui {

// Gives every control of the calculator window, found by name, its accessible
// name and description and its tooltip.
void DescribeControls(QWidget* window);

// Sets a result's text and tells assistive technology that the value changed.
void ShowResult(QLabel* result, const QString& text);

// A brief note beside a control, such as "Copied 24", for a second and a half.
// It is a label of the window placed where it covers no other control, and it
// takes no click, key or focus, so the next click or key always reaches what
// it was aimed at. A new note replaces the one shown.
void ShowNote(QWidget* near, const QString& text);

} // namespace ui
