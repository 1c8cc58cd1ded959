#include "ui/frmMain.h"

#include "core/placement.h"
#include "core/stored.h"
#include "ui/controls.h"
#include "ui/frmAbout.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/note.h"
#include "ui/texture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <string>
#include <vector>

namespace ui {
namespace {

namespace layout = core::layout;
using layout::Kind;

// Where a window frame goes so that it lies wholly on one of the screens.
QPoint OnScreen(const QRect& frame) {
    std::vector<core::Rect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.left(), area.top(), area.width(), area.height()});
    }
    const core::Point place =
        core::OnScreen({frame.left(), frame.top(), frame.width(), frame.height()}, screens);
    return {place.x, place.y};
}

} // namespace

frmMain::frmMain(std::filesystem::path readFrom, std::filesystem::path writeTo, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      readFrom_(std::move(readFrom)), writeTo_(writeTo.empty() ? readFrom_ : std::move(writeTo)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Text(layout::windowTitle));
    setWindowIcon(ProgramIcon());
    setFont(DefaultFont());
    setPalette(ReadablePalette(QApplication::palette()));

    CreateControls();
    CreateMenus();
    DescribeControls();
    // The client area below the menu bar has a fixed size; the window follows.
    centralWidget()->setFixedSize(TwipsToPixels(layout::clientWidth),
                                  TwipsToPixels(layout::clientHeight));
    setFixedSize(sizeHint());

    // A texture file dropped anywhere on the window gives its sizes; the
    // fields take no drops of their own, so none of them swallows it as text.
    setAcceptDrops(true);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setAcceptDrops(false);

    Form_Load();
    Connect();
    Widget(*layout::firstFocus)->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain() {
    // QWidget's destructor still moves the focus and may make a size list
    // signal its pick; by then this object is no longer a frmMain, so no
    // handler may run.
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void frmMain::CreateControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < layout::parts.size(); ++i) {
        const layout::Part& part = layout::parts[i];
        const layout::Control& c = *part.control;
        const Paster paste = [this, &c](bool selection) { Paste(c, selection); };
        widgets_[i] = Create(client, part, paste);
        if (layout::TakesFocus(part.kind)) { // in Tab order
            if (previous != nullptr)
                setTabOrder(previous, widgets_[i]);
            previous = widgets_[i];
        }
    }
    for (const layout::Line* line : layout::lines)
        new Line(*line, client);
}

void frmMain::CreateMenus() {
    std::vector<QMenu*> menus;
    for (const core::Menu& m : core::menus) {
        menus.push_back(menuBar()->addMenu(Text(m.caption)));
        menus.back()->setObjectName(Text(m.name));
        menus.back()->setToolTipsVisible(true); // says why Keep on Top is off where it is
    }
    for (const core::CommandInfo& info : core::commands) {
        // The run window's keys are in no menu: that window takes them.
        QMenu* menu = info.menu >= 0 ? menus[static_cast<std::size_t>(info.menu)] : nullptr;
        QAction* action =
            menu ? menu->addAction(Text(info.caption)) : new QAction(Text(info.caption), this);
        action->setObjectName(Text(info.name));
        action->setShortcut(QKeySequence(Text(core::ShortcutText(info.command))));
        action->setToolTip(Text(info.tooltip));
        action->setCheckable(info.checkable);
        // Window-wide: the shortcut works whichever control has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        if (menu != nullptr)
            addAction(action);
        connect(action, &QAction::triggered, this,
                [this, command = info.command] { Run(command, false); });
        actions_[static_cast<std::size_t>(info.command)] = action;
        if (menu != nullptr && info.separatorAfter)
            menu->addSeparator();
    }
}

// The kinds of control only the Run of Walls window has.
void frmMain::ConnectChoices(const layout::Part& part) {
    const layout::Control& c = *part.control;
    QWidget* w = Widget(c);
    if (auto* choice = qobject_cast<QComboBox*>(w); choice && !choice->isEditable())
        connect(choice, &QComboBox::currentIndexChanged, this,
                [this, &c](int row) { Render(model_.Picked(c, row)); });
    if (auto* check = qobject_cast<QCheckBox*>(w))
        connect(check, &QCheckBox::toggled, this,
                [this, &c](bool on) { Render(model_.Toggled(c, on)); });
    if (auto* lines = qobject_cast<QPlainTextEdit*>(w))
        connect(lines, &QPlainTextEdit::textChanged, this, [this, &c, lines] {
            Render(model_.Edited(c, lines->toPlainText().toStdString()));
        });
    if (auto* list = qobject_cast<QListWidget*>(w); list && part.kind == Kind::offsets) {
        const auto copy = [this, &c, list](QListWidgetItem* item) {
            Render(model_.Activated(c, list->row(item)));
        };
        connect(list, &QListWidget::itemClicked, this, copy);
        connect(list, &QListWidget::itemActivated, this, copy);
    }
}

// Every input tells the model what changed; the filter below sees the keys,
// the wheel and the focus of the fields and lists.
void frmMain::Connect() {
    for (const layout::Part& part : layout::parts)
        ConnectInput(part);
}

void frmMain::ConnectInput(const layout::Part& part) {
    const layout::Control& c = *part.control;
    QWidget* w = Widget(c);
    const auto edited = [this, &c](const QString& text) {
        Render(model_.Edited(c, text.toStdString()));
    };
    if (auto* list = qobject_cast<QListWidget*>(w); list && part.kind == Kind::list)
        connect(list, &QListWidget::currentRowChanged, this,
                [this, &c](int row) { Render(model_.Picked(c, row)); });
    if (auto* size = qobject_cast<QComboBox*>(w); size != nullptr && size->isEditable())
        connect(size, &QComboBox::editTextChanged, this, edited);
    ConnectChoices(part);
    if (auto* field = qobject_cast<QLineEdit*>(w))
        connect(field, &QLineEdit::textChanged, this, edited);
    if (auto* button = qobject_cast<QPushButton*>(w))
        connect(button, &QPushButton::clicked, this,
                [this, &c] { Run(*core::CommandOf(c), false); });
    if (layout::TakesFocus(part.kind))
        w->installEventFilter(this);
    if (QLineEdit* edit = Edit(c); edit != nullptr && edit != w)
        edit->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A text field claims Ctrl+X (cut), Ctrl+Z (undo), Ctrl+Y (redo) and the
        // like for itself; the window's commands come first.
        if (ShortcutFirst(static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (OffCopyKey(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Wheel:
        // Over a size list without the focus, the wheel would change a size the
        // user is not looking at: it does nothing there.
        if (auto* list = qobject_cast<QComboBox*>(watched); list && !list->hasFocus())
            return true;
        break;
    case QEvent::FocusIn:
        Entered(watched, static_cast<QFocusEvent*>(event));
        break;
    case QEvent::Close:
        if (watched == run_)
            Render(model_.RunClosed());
        break;
    case QEvent::FocusOut:
        // A size left with its end showing (".00.25" for 100.25) shows its start again.
        if (auto* list = qobject_cast<QComboBox*>(watched);
            list && list->isEditable() &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            list->lineEdit()->setCursorPosition(0);
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::ShortcutFirst(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : actions_)
        if (!action->shortcut().isEmpty() &&
            action->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true; // a command that is off takes its key too, below
    return false;
}

// Whether key is the shortcut of a command that is off; then the key does
// nothing but what the model says, so it never edits instead.
bool frmMain::OffCopyKey(const QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    for (const core::CommandInfo& info : core::commands) {
        const QAction* action = Action(info.command);
        if (!action->isEnabled() && !action->shortcut().isEmpty() &&
            action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            Run(info.command, true);
            return true;
        }
    }
    return false;
}

void frmMain::Entered(QObject* watched, const QFocusEvent* event) {
    if (const layout::Control* c = ControlOf(watched))
        Render(model_.Entered(*c, event->reason() != Qt::MouseFocusReason));
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Keys no control took, such as Ctrl+X in a list or on a button.
    if (!OffCopyKey(event))
        QMainWindow::keyPressEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The close box and Quit both end here.
    SaveOnce();
    event->accept();
}

void frmMain::SaveOnce() {
    Form_Unload();
}

// ---------------------------------------------------------------- events

void frmMain::Run(core::Command command, bool fromKey) {
    Render(model_.Run(command, fromKey));
}

void frmMain::Paste(const layout::Control& field, bool selection) {
    QString text;
    int start = 0, end = 0;
    if (QLineEdit* edit = Edit(field)) {
        text = edit->text();
        start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        end = start + static_cast<int>(edit->selectedText().size());
    } else { // the run's walls
        const auto* lines = static_cast<QPlainTextEdit*>(Widget(field));
        text = lines->toPlainText();
        start = lines->textCursor().selectionStart();
        end = lines->textCursor().selectionEnd();
    }
    const auto bytes = [&text](int characters) {
        return static_cast<std::size_t>(text.left(characters).toUtf8().size());
    };
    const QMimeData* held = QGuiApplication::clipboard()->mimeData(
        selection ? QClipboard::Selection : QClipboard::Clipboard);
    std::optional<std::string> clipboard;
    if (held != nullptr && held->hasText())
        clipboard = held->text().toStdString();
    Render(model_.Paste(field, text.toStdString(), bytes(start), bytes(end), clipboard));
}

// ---------------------------------------------------------------- start-up

void frmMain::Form_Load() {
    const core::Stored stored = core::Load(readFrom_);
    model_ = core::Model(stored, CanKeepOnTop());
    PlaceWindow(stored.topTwips, stored.leftTwips);
    Render(model_.Everything());
    if (model_.RunOpen()) // open at the last quit: it opens again, once the window shows
        QTimer::singleShot(0, this, [this] { OpenRun(); });
}

void frmMain::PlaceWindow(float topTwips, float leftTwips) {
    const QPoint stored(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
    move(OnScreen(QRect(stored, frameGeometry().size())));
}

void frmMain::changeEvent(QEvent* event) {
    // The window manager's frame is known only once the window is up: if it
    // pushes the window partly off the screen, the window moves once more.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !placed_ &&
        PositionKnown()) {
        placed_ = true;
        const QPoint place = OnScreen(frameGeometry());
        if (place != pos())
            move(place);
    }
    // The desktop's colours changed: take them, kept readable.
    if (event->type() == QEvent::PaletteChange && !readable_) {
        readable_ = true; // the change below comes back here
        setPalette(ReadablePalette(QApplication::palette()));
        if (run_ != nullptr)
            run_->setPalette(palette());
        readable_ = false;
    }
    QMainWindow::changeEvent(event);
}

// Some windowing systems (Wayland) neither report nor set a window's position.
bool frmMain::PositionKnown() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Wayland leaves stacking to the compositor, and Qt 6.4 asks it for nothing.
bool frmMain::CanKeepOnTop() {
    return PositionKnown();
}

// ---------------------------------------------------------------- shut-down

// Where the position is unknown, the one read at start-up goes back unchanged.
void frmMain::Form_Unload() {
    std::optional<std::pair<float, float>> place;
    if (PositionKnown())
        place = {core::PixelsToTwips(pos().y()), core::PixelsToTwips(pos().x())};
    if (const auto stored = model_.Unload(place, RunPlace()))
        core::Save(writeTo_, *stored);
}

// ---------------------------------------------------------------- commands

void frmMain::OpenTextureFile() {
    const QString file = QFileDialog::getOpenFileName(this, Text(core::textureDialogTitle),
                                                      textureFolder_, ImageFilter());
    if (!file.isEmpty())
        TextureSizesFrom(QUrl::fromLocalFile(file));
}

// While a file hovers over the window, a note says what a drop will do. A
// drop is always a copy: a source that honoured a move would delete the file.
void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Render(core::Model::Hovering(true));
}

void frmMain::dragLeaveEvent(QDragLeaveEvent* event) {
    Render(core::Model::Hovering(false));
    QMainWindow::dragLeaveEvent(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    Render(core::Model::Hovering(false));
    if (!event->mimeData()->hasUrls())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    TextureSizesFrom(event->mimeData()->urls().constFirst()); // of several files, the first
}

void frmMain::TextureSizesFrom(const QUrl& file) {
    if (file.isLocalFile())
        textureFolder_ = QFileInfo(file.toLocalFile()).absolutePath();
    const std::optional<QSize> size = ImageSize(file);
    std::optional<core::TextureSize> texture;
    if (size)
        texture = core::TextureSize{size->width(), size->height()};
    // A long name loses its middle, so the note stays a note.
    const QString name = fontMetrics().elidedText(FileName(file), Qt::ElideMiddle, 150);
    Render(model_.TextureSizes(texture, name.toStdString()));
}

// Asks the window manager to keep the window above others, or no longer. A
// shown window is asked through its native window, which is not made anew, so
// its place, its fields and the focus stay as they are.
void frmMain::KeepOnTop(bool on) {
    if (QWindow* shown = windowHandle())
        shown->setFlag(Qt::WindowStaysOnTopHint, on);
    else
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
}

// About belongs to the window, so it opens above it, also while the window
// keeps on top, and nothing else in the window takes input while it is open.
void frmMain::About_Click() {
    if (!about_)
        about_ = std::make_unique<frmAbout>(this);
    about_->setWindowFlag(Qt::WindowStaysOnTopHint,
                          model_.Checked(core::Command::onTop) && CanKeepOnTop());
    about_->exec();
}

// ---------------------------------------------------------------- controls

QWidget* frmMain::Widget(const layout::Control& control) const {
    const layout::Part* part = layout::PartOf(control);
    const auto i = static_cast<std::size_t>(part - layout::parts.data());
    return i < widgets_.size()
               ? widgets_[i]
               : runWidgets_[static_cast<std::size_t>(part - layout::runParts.data())];
}

QLineEdit* frmMain::Edit(const layout::Control& control) const {
    QWidget* w = Widget(control);
    auto* size = qobject_cast<QComboBox*>(w);
    return size != nullptr ? size->lineEdit() : qobject_cast<QLineEdit*>(w);
}

const layout::Control* frmMain::ControlOf(const QObject* widget) const {
    for (const auto* part : {layout::parts.data(), layout::runParts.data()}) {
        const bool main = part == layout::parts.data();
        for (std::size_t i = 0; i < (main ? widgets_.size() : runWidgets_.size()); ++i) {
            const QWidget* w = main ? widgets_[i] : runWidgets_[i];
            const auto* size = qobject_cast<const QComboBox*>(w);
            if (w == widget || (size != nullptr && size->lineEdit() == widget))
                return part[i].control;
        }
    }
    return nullptr;
}

} // namespace ui
