// What the calculator window tells people besides its numbers: accessible
// names and descriptions, tooltips, and news of a changed result.
#pragma once

#include <QString>

class QLabel;
class QListWidget;
class QWidget;

namespace ui {

// Gives a control its accessible name (what it is) and description (how to
// use it), and the two together as its tooltip.
void Describe(QWidget* control, const QString& name, const QString& description);

// Describes an alignment list as above, and gives each of its five rows, not
// the list, a tooltip with the row's formula in words; near and far are the
// wall's ends along the axis ("left" and "right", or "bottom" and "top").
void DescribeAlignments(QListWidget* list, const QString& name, const QString& description,
                        const QString& near, const QString& far);

// Sets a result's text. Its accessible name holds the number too ("Wall X
// offset, 56"), and assistive technology is told the new name once the result
// has settled.
void ShowResult(QLabel* result, const QString& text);

} // namespace ui
