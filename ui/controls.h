// The kinds of control the calculator window is made of, each built from its
// entry in the shared layout: its name, its text and its place in twips.
#pragma once

#include "core/layout.h"

#include <QString>

#include <functional>

#include <span>
#include <string_view>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
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

// What a field does with a paste, by key, context menu or (selection) the
// middle button: the window asks the core.
using Paster = std::function<void(bool selection)>;

// A floor/ceiling field, taking as many characters as the core allows, typed;
// pastes go to paste.
QLineEdit* Field(QWidget* parent, const core::layout::Control& c, Paster paste);
// A size list: any text may be typed; the rows are the usual sizes.
QComboBox* SizeList(QWidget* parent, const core::layout::Control& c, Paster paste);
// An alignment list showing all its rows, with a frame that shows the focus.
QListWidget* AlignmentList(QWidget* parent, const core::layout::Control& c,
                           std::span<const std::string_view> rows);
// A Copy button, which Return and Enter press while it has the focus.
QPushButton* CopyButton(QWidget* parent, const core::layout::Control& c);

// A drop-down list to pick a row from, not to type in.
QComboBox* Choice(QWidget* parent, const core::layout::Control& c);
// A check box.
QCheckBox* Check(QWidget* parent, const core::layout::Control& c);
// A field of several lines, one entry a line, whose pastes go to paste.
QPlainTextEdit* Lines(QWidget* parent, const core::layout::Control& c, Paster paste);
// A list of results, one a row, which a click or Enter copies.
QListWidget* Offsets(QWidget* parent, const core::layout::Control& c);

// The control of part, made by the function above for its kind.
QWidget* Create(QWidget* parent, const core::layout::Part& part, const Paster& paste);

} // namespace ui
