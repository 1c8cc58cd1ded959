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

// A brief note beside a copy button, such as "Copied 24". It is not a window
// of its own: it takes no focus and goes away by itself.
void ConfirmCopy(QWidget* near, const QString& copied);

} // namespace ui
