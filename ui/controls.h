// The kinds of control the calculator window is made of, each built from its
// entry in the shared layout: its name, its text and its place in twips.
#pragma once

#include "core/layout.h"

#include <QString>

#include <span>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace ui {

QString Text(std::string_view text);

// A caption, left aligned unless centred; a section title is centred.
QLabel* Caption(QWidget* parent, const core::layout::Control& c, bool centred = false);
// A heading: centred, bold and underlined.
QLabel* Heading(QWidget* parent, const core::layout::Control& c);
// An axis letter beside the results, in the larger font.
QLabel* AxisLetter(QWidget* parent, const core::layout::Control& c);
// A result: centred in the larger font, framed, on the colours of an input field.
QLabel* Result(QWidget* parent, const core::layout::Control& c);

// A floor/ceiling field: at most core::maxFieldLength characters. A paste that
// would make it longer is refused whole, with a note beside the field.
QLineEdit* Field(QWidget* parent, const core::layout::Control& c);
// A size list: any text may be typed; the rows are the usual sizes.
QComboBox* SizeList(QWidget* parent, const core::layout::Control& c);
// An alignment list showing all its rows, with a frame that shows the focus.
QListWidget* AlignmentList(QWidget* parent, const core::layout::Control& c,
                           std::span<const std::string_view> rows);
// A Copy button, which Return and Enter press while it has the focus.
QPushButton* CopyButton(QWidget* parent, const core::layout::Control& c);

} // namespace ui
