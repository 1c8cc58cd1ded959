#include "ui/controls.h"

#include "core/window.h"
#include "ui/look.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QValidator>

#include <memory>

namespace ui {
namespace {

// Keeps a field's text within its length, refusing a typed character that
// would not fit. Pastes are judged before they reach it (PasteGuard below),
// so an edit refused here says nothing.
class FieldRule : public QValidator {
  public:
    FieldRule(QObject* parent, int limit) : QValidator(parent), limit_(limit) {}

    State validate(QString& text, int&) const override {
        return text.size() > limit_ ? Invalid : Acceptable;
    }

  private:
    int limit_;
};

// A paste into a field, by key, by the context menu or by the middle button,
// goes to the window, which asks the core what it makes of the text.
class PasteGuard : public QObject {
  public:
    // Watches field, and a size list that passes its keys on to it.
    PasteGuard(QLineEdit* field, Paster paste, QWidget* list = nullptr)
        : QObject(field), field_(field), paste_(std::move(paste)) {
        field->installEventFilter(this);
        if (list != nullptr)
            list->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                return Paste(QClipboard::Clipboard);
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
                QGuiApplication::clipboard()->supportsSelection())
                return Paste(QClipboard::Selection);
            break;
        case QEvent::ContextMenu: {
            std::unique_ptr<QMenu> menu(field_->createStandardContextMenu());
            if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
                paste->disconnect();
                connect(paste, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        default:
            break;
        }
        return false;
    }

  private:
    bool Paste(QClipboard::Mode mode) {
        if (!field_->isReadOnly())
            paste_(mode == QClipboard::Selection);
        return true;
    }

    QLineEdit* field_;
    Paster paste_;
};

// The run's walls: a paste goes to the window, which asks the core, so that
// pasted cells become one wall a line.
class LinesField : public QPlainTextEdit {
  public:
    LinesField(QWidget* parent, Paster paste) : QPlainTextEdit(parent), paste_(std::move(paste)) {}

  protected:
    void insertFromMimeData(const QMimeData*) override { paste_(false); }

  private:
    Paster paste_;
};

// How assistive technology meets a size list: as an editable combo box, but
// named by its accessible name. Qt's own interface names a combo box by its
// text on Linux, so each size list was read as its number ("64 editable combo
// box"). Its parts are Qt's: the list of sizes, then the text being edited.
class SizeListInterface : public QAccessibleWidget {
  public:
    explicit SizeListInterface(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? List()->currentText() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = s.expandable = true;
        s.expanded = List()->view()->isVisible();
        return s;
    }
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        QWidget* part = index == 0   ? static_cast<QWidget*>(List()->view())
                        : index == 1 ? List()->lineEdit()
                                     : nullptr;
        return QAccessible::queryAccessibleInterface(part);
    }
    int indexOfChild(const QAccessibleInterface* part) const override {
        return part->object() == List()->view() ? 0 : part->object() == List()->lineEdit() ? 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QLineEdit* edit = List()->lineEdit();
        return QRect(edit->mapToGlobal(QPoint()), edit->size()).contains(x, y) ? child(1) : nullptr;
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            List()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

template <class Widget> Widget* Place(Widget* widget, const core::layout::Control& c) {
    widget->setObjectName(Text(c.name));
    widget->setGeometry(TwipRect(c.box.left, c.box.top, c.box.width, c.box.height));
    return widget;
}

} // namespace

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* Caption(QWidget* parent, const core::layout::Control& c, bool centred) {
    auto* label = Place(new QLabel(Text(c.text), parent), c);
    label->setAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* Heading(QWidget* parent, const core::layout::Control& c) {
    QLabel* label = Caption(parent, c, true);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

QLabel* AxisLetter(QWidget* parent, const core::layout::Control& c) {
    QLabel* label = Caption(parent, c, true);
    label->setFont(LargeFont());
    return label;
}

QLabel* Result(QWidget* parent, const core::layout::Control& c) {
    QLabel* label = Caption(parent, c, true);
    label->setFont(LargeFont());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    // A result sits on the colours of an input field.
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    label->setAutoFillBackground(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QLineEdit* Field(QWidget* parent, const core::layout::Control& c, Paster paste) {
    auto* field = Place(new QLineEdit(Text(c.text), parent), c);
    field->setValidator(new FieldRule(field, core::Model::Limit(c)));
    new PasteGuard(field, std::move(paste));
    return field;
}

QComboBox* SizeList(QWidget* parent, const core::layout::Control& c, Paster paste) {
    auto* list = new QComboBox(parent);
    // Before anything asks for its interface and is given Qt's own.
    QAccessible::registerAccessibleInterface(new SizeListInterface(list));
    Place(list, c);
    list->setEditable(true);
    // Whatever is typed stays exactly as typed: no completion to a row, and
    // Enter never adds a row. The wheel changes the size only while the list
    // has the focus (the window filters it otherwise), and gives no focus.
    list->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setFocusPolicy(Qt::StrongFocus);
    list->lineEdit()->setValidator(new FieldRule(list, core::Model::Limit(c)));
    new PasteGuard(list->lineEdit(), std::move(paste), list);
    for (const std::string_view size : core::layout::sizes)
        list->addItem(Text(size));
    list->setMaxVisibleItems(static_cast<int>(core::layout::sizes.size()));
    list->setCurrentIndex(-1);
    list->setEditText(Text(c.text));
    return list;
}

QListWidget* AlignmentList(QWidget* parent, const core::layout::Control& c,
                           std::span<const std::string_view> rows) {
    auto* list = Place(new QListWidget(parent), c);
    for (const std::string_view row : rows)
        list->addItem(Text(row));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    // The style draws no focus on a list: its frame turns the selection colour
    // while it has the focus, and keeps its width, so nothing moves.
    list->setStyleSheet(QStringLiteral("QListWidget { border: 2px solid palette(dark); }"
                                       "QListWidget:focus { border-color: palette(highlight); }"));
    // Every row gets the same share of the height, so all of them show.
    const int rowHeight = (list->height() - 2 * list->frameWidth()) / list->count();
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSizeHint(QSize(0, rowHeight));
    return list;
}

QPushButton* CopyButton(QWidget* parent, const core::layout::Control& c) {
    auto* button = Place(new QPushButton(Text(c.text), parent), c);
    // Return and Enter press the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

} // namespace ui

namespace ui {

QComboBox* Choice(QWidget* parent, const core::layout::Control& c) {
    return Place(new QComboBox(parent), c);
}

QCheckBox* Check(QWidget* parent, const core::layout::Control& c) {
    return Place(new QCheckBox(Text(c.text), parent), c);
}

QPlainTextEdit* Lines(QWidget* parent, const core::layout::Control& c, Paster paste) {
    auto* lines = Place(new LinesField(parent, std::move(paste)), c);
    lines->setTabChangesFocus(true); // Tab moves on; Enter starts the next wall
    lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines->setAcceptDrops(false); // a texture file dropped here goes to the window
    return lines;
}

QListWidget* Offsets(QWidget* parent, const core::layout::Control& c) {
    auto* list = Place(new QListWidget(parent), c);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    // A fixed-width font keeps the columns of lengths and offsets in line.
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return list;
}

QWidget* Create(QWidget* parent, const core::layout::Part& part, const Paster& paste) {
    namespace l = core::layout;
    const l::Control& c = *part.control;
    switch (part.kind) {
    case l::Kind::heading:
        return Heading(parent, c);
    case l::Kind::title:
        return Caption(parent, c, true);
    case l::Kind::caption:
        return Caption(parent, c);
    case l::Kind::letter:
        return AxisLetter(parent, c);
    case l::Kind::result:
        return Result(parent, c);
    case l::Kind::list:
        return AlignmentList(parent, c, &c == &l::lstPosZ ? l::rowsZ : l::rowsX);
    case l::Kind::size:
        return SizeList(parent, c, paste);
    case l::Kind::field:
        return Field(parent, c, paste);
    case l::Kind::button:
        return CopyButton(parent, c);
    case l::Kind::choice:
        return Choice(parent, c);
    case l::Kind::check:
        return Check(parent, c);
    case l::Kind::lines:
        return Lines(parent, c, paste);
    case l::Kind::offsets:
        return Offsets(parent, c);
    }
    return nullptr;
}

} // namespace ui
