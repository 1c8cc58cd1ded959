// What the calculator window tells people besides its numbers: accessible
// names and descriptions, tooltips, and news of a changed result.
#pragma once

#include "core/layout.h"

#include <QString>

class QLabel;
class QListWidget;
class QWidget;

namespace ui {

// Gives a control its accessible name, description and tooltip from the
// core's words for c; an alignment list's rows get a tooltip each instead.
void Describe(QWidget* control, const core::layout::Control& c);

// Sets a result's text. Its accessible name holds the number too ("Wall X
// offset, 56"), and assistive technology is told the new name once the result
// has settled.
void ShowResult(QLabel* result, const QString& text);

} // namespace ui
