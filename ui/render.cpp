// How the calculator window draws what the model says changed: list rows,
// field texts, results, enabled states, the clipboard, notes and actions.
#include "ui/frmMain.h"

#include "ui/controls.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/note.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace ui {
namespace {

namespace layout = core::layout;

// The length of text's first bytes (UTF-8) in the characters Qt counts.
int Position(const std::string& text, std::size_t bytes) {
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(bytes)).size());
}

} // namespace

void frmMain::Render(const core::Update& update) {
    for (const auto& [list, row] : update.rows) {
        if (auto* choice = qobject_cast<QComboBox*>(Widget(*list)))
            choice->setCurrentIndex(row);
        else
            static_cast<QListWidget*>(Widget(*list))->setCurrentRow(row);
    }
    for (const core::FieldText& field : update.fields)
        RenderField(field);
    for (const layout::Control* result : update.results) {
        if (auto* label = qobject_cast<QLabel*>(Widget(*result)))
            ShowResult(label, Text(model_.Text(*result)));
        else
            RenderItems(*result);
    }
    if (update.enabling)
        RenderEnabled();
    if (update.clipboard)
        QGuiApplication::clipboard()->setText(Text(*update.clipboard), QClipboard::Clipboard);
    if (update.note)
        RenderNote(*update.note);
    Act(update.action);
}

// A changed text goes in as an edit, so the field's undo can take it back.
void frmMain::RenderField(const core::FieldText& field) {
    QLineEdit* edit = Edit(*field.field);
    if (edit == nullptr)
        return RenderLines(field);
    const QString text = Text(field.text);
    if (edit->text() != text) {
        edit->selectAll();
        edit->insert(text);
    }
    const int from = Position(field.text, field.selectFrom);
    const int to = Position(field.text, field.selectTo);
    if (from == to)
        edit->setCursorPosition(from);
    else
        edit->setSelection(from, to - from);
}

// The run's walls: a new text only when it differs, then the caret or selection.
void frmMain::RenderLines(const core::FieldText& field) {
    auto* lines = static_cast<QPlainTextEdit*>(Widget(*field.field));
    const QString text = Text(field.text);
    if (lines->toPlainText() != text)
        lines->setPlainText(text);
    QTextCursor cursor = lines->textCursor();
    cursor.setPosition(Position(field.text, field.selectFrom));
    cursor.setPosition(Position(field.text, field.selectTo), QTextCursor::KeepAnchor);
    lines->setTextCursor(cursor);
}

void frmMain::RenderEnabled() {
    for (std::size_t i = 0; i < layout::parts.size(); ++i)
        widgets_[i]->setEnabled(model_.Enabled(*layout::parts[i].control));
    for (std::size_t i = 0; run_ != nullptr && i < layout::runParts.size(); ++i)
        if (auto* check = qobject_cast<QCheckBox*>(runWidgets_[i]))
            check->setChecked(model_.Checked(*layout::runParts[i].control));
    for (const core::CommandInfo& info : core::commands) {
        QAction* action = Action(info.command);
        action->setEnabled(model_.Enabled(info.command));
        action->setChecked(model_.Checked(info.command));
    }
    if (!model_.Enabled(core::Command::onTop))
        Action(core::Command::onTop)->setToolTip(Text(core::onTopOffTip));
}

void frmMain::RenderNote(const core::Note& note) {
    if (note.text.empty())
        HideNote(Widget(*note.beside));
    else
        ShowNote(Widget(*note.beside), Text(note.text), note.milliseconds);
}

void frmMain::Act(core::Action action) {
    switch (action) {
    case core::Action::openTextureFile:
        OpenTextureFile();
        break;
    case core::Action::keepOnTop:
        Action(core::Command::onTop)->setChecked(model_.Checked(core::Command::onTop));
        KeepOnTop(model_.Checked(core::Command::onTop));
        break;
    case core::Action::quit:
        close();
        break;
    case core::Action::about:
        About_Click();
        break;
    case core::Action::openRun:
        OpenRun();
        break;
    case core::Action::none:
        break;
    }
}

} // namespace ui
