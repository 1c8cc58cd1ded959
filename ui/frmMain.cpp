#include "ui/frmMain.h"

#include "core/calculator.h"
#include "core/layout.h"
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
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <string>
#include <tuple>
#include <vector>

namespace ui {
namespace {

namespace layout = core::layout;

const char* const selectOnRelease = "varnelSelectOnRelease";

std::string Text(const QComboBox* field) {
    return field->currentText().toStdString();
}
std::string Text(const QLineEdit* field) {
    return field->text().toStdString();
}

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
    setWindowTitle(QStringLiteral("Varnel"));
    setWindowIcon(ProgramIcon());
    setFont(DefaultFont());
    setPalette(ReadablePalette(QApplication::palette()));

    CreateControls();
    CreateMenus();
    DescribeControls();
    Connect();
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
    lstPosX->setFocus(Qt::OtherFocusReason);
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

    // In order of creation, which is also the stacking order.
    txtFCZ = Field(client, layout::txtFCZ);
    txtFCX = Field(client, layout::txtFCX);
    txtFCTextZ = Field(client, layout::txtFCTextZ);
    txtFCTextX = Field(client, layout::txtFCTextX);
    cmdFCCopyX = CopyButton(client, layout::cmdFCCopyX);
    cmdFCCopyZ = CopyButton(client, layout::cmdFCCopyZ);
    cmdCopyZ = CopyButton(client, layout::cmdCopyZ);
    cmdCopyX = CopyButton(client, layout::cmdCopyX);
    cmbWallZ = SizeList(client, layout::cmbWallZ);
    cmbWallX = SizeList(client, layout::cmbWallX);
    cmbTextZ = SizeList(client, layout::cmbTextZ);
    cmbTextX = SizeList(client, layout::cmbTextX);
    lstPosZ = AlignmentList(client, layout::lstPosZ, layout::rowsZ);
    lstPosX = AlignmentList(client, layout::lstPosX, layout::rowsX);
    Heading(client, layout::Label18);
    Heading(client, layout::Label17);
    Label16 = Caption(client, layout::Label16);
    Label15 = Caption(client, layout::Label15);
    Caption(client, layout::Label14, true);
    new Line(layout::Line6, client);
    Label13 = Caption(client, layout::Label13);
    Label12 = Caption(client, layout::Label12);
    lblFCX = Result(client, layout::lblFCX);
    lblFCZ = Result(client, layout::lblFCZ);
    AxisLetter(client, layout::Label6);
    AxisLetter(client, layout::Label4);
    Caption(client, layout::Label3, true);
    new Line(layout::Line5, client);
    new Line(layout::Line4, client);
    new Line(layout::Line3, client);
    Caption(client, layout::Label8, true);
    AxisLetter(client, layout::Label10);
    AxisLetter(client, layout::Label9);
    lblZ = Result(client, layout::lblZ);
    lblX = Result(client, layout::lblX);
    lblWallZ = Caption(client, layout::lblWallZ);
    lblWallX = Caption(client, layout::lblWallX);
    new Line(layout::Line2, client);
    new Line(layout::Line1, client);
    Caption(client, layout::Label5, true);
    lblTextZ = Caption(client, layout::lblTextZ);
    lblTextX = Caption(client, layout::lblTextX);
    Caption(client, layout::Label2, true);
    Caption(client, layout::Label1, true);

    // Tab order: wall half, sizes before copy buttons, then the floor/ceiling half.
    QWidget* chain[] = {lstPosX,  lstPosZ,  cmbTextX,   cmbTextZ,   cmbWallX,
                        cmbWallZ, cmdCopyX, cmdCopyZ,   txtFCTextX, txtFCTextZ,
                        txtFCX,   txtFCZ,   cmdFCCopyX, cmdFCCopyZ};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void frmMain::CreateMenus() {
    mnuCalc = menuBar()->addMenu(QStringLiteral("&Calculator"));
    mnuCalc->setObjectName(QStringLiteral("mnuCalc"));
    mnuCalc->setToolTipsVisible(true); // says why Keep on Top is off where it is
    auto item = [this](QMenu* menu, const char* name, const char* caption, const char* keys) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        if (keys != nullptr)
            action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        // Window-wide: the shortcut works whichever control has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        return action;
    };
    mnuCopyX = item(mnuCalc, "mnuCopyX", "Copy &X Offset (Wall)", "Ctrl+X");
    mnuCopyZ = item(mnuCalc, "mnuCopyZ", "Copy &Z Offset (Wall)", "Ctrl+Z");
    mnuCalc->addSeparator()->setObjectName(QStringLiteral("mnuLine1"));
    mnuFCCopyX = item(mnuCalc, "mnuFCCopyX", "Copy &X Offset (F/C)", "Ctrl+W");
    mnuFCCopyZ = item(mnuCalc, "mnuFCCopyZ", "Copy &Z Offset (F/C)", "Ctrl+Y");
    mnuCalc->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    mnuTextureFile = item(mnuCalc, "mnuTextureFile", "Texture Sizes from &File...", "Ctrl+O");
    mnuOnTop = item(mnuCalc, "mnuOnTop", "Keep on &Top", "Ctrl+T");
    mnuOnTop->setCheckable(true);
    mnuCalc->addSeparator()->setObjectName(QStringLiteral("mnuLine3"));
    mnuQuit = item(mnuCalc, "mnuQuit", "&Quit", "Ctrl+Q");

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    About = item(mnuHelp, "About", "&About", nullptr);
}

void frmMain::Connect() {
    connect(lstPosX, &QListWidget::currentRowChanged, this, &frmMain::lstPosX_Click);
    connect(lstPosZ, &QListWidget::currentRowChanged, this, &frmMain::lstPosZ_Click);

    connect(cmbTextX, &QComboBox::editTextChanged, this, &frmMain::cmbTextX_Change);
    connect(cmbWallX, &QComboBox::editTextChanged, this, &frmMain::cmbWallX_Change);
    connect(cmbTextZ, &QComboBox::editTextChanged, this, &frmMain::cmbTextZ_Change);
    connect(cmbWallZ, &QComboBox::editTextChanged, this, &frmMain::cmbWallZ_Change);
    connect(cmbTextX, &QComboBox::activated, this, &frmMain::cmbTextX_Click);
    connect(cmbWallX, &QComboBox::activated, this, &frmMain::cmbWallX_Click);
    connect(cmbTextZ, &QComboBox::activated, this, &frmMain::cmbTextZ_Click);
    connect(cmbWallZ, &QComboBox::activated, this, &frmMain::cmbWallZ_Click);

    connect(txtFCTextX, &QLineEdit::textChanged, this, &frmMain::txtFCTextX_Change);
    connect(txtFCX, &QLineEdit::textChanged, this, &frmMain::txtFCX_Change);
    connect(txtFCTextZ, &QLineEdit::textChanged, this, &frmMain::txtFCTextZ_Change);
    connect(txtFCZ, &QLineEdit::textChanged, this, &frmMain::txtFCZ_Change);

    connect(cmdCopyX, &QPushButton::clicked, this, &frmMain::cmdCopyX_Click);
    connect(cmdCopyZ, &QPushButton::clicked, this, &frmMain::cmdCopyZ_Click);
    connect(cmdFCCopyX, &QPushButton::clicked, this, &frmMain::cmdFCCopyX_Click);
    connect(cmdFCCopyZ, &QPushButton::clicked, this, &frmMain::cmdFCCopyZ_Click);
    connect(mnuCopyX, &QAction::triggered, this, &frmMain::mnuCopyX_Click);
    connect(mnuCopyZ, &QAction::triggered, this, &frmMain::mnuCopyZ_Click);
    connect(mnuFCCopyX, &QAction::triggered, this, &frmMain::mnuFCCopyX_Click);
    connect(mnuFCCopyZ, &QAction::triggered, this, &frmMain::mnuFCCopyZ_Click);
    connect(mnuTextureFile, &QAction::triggered, this, &frmMain::mnuTextureFile_Click);
    connect(mnuOnTop, &QAction::triggered, this, &frmMain::mnuOnTop_Click);
    connect(mnuQuit, &QAction::triggered, this, &frmMain::mnuQuit_Click);
    connect(About, &QAction::triggered, this, &frmMain::About_Click);

    // Focus, wheel and shortcut handling of every text a user can type into.
    for (QWidget* w : std::initializer_list<QWidget*>{txtFCTextX, txtFCX, txtFCTextZ, txtFCZ,
                                                      cmbTextX, cmbWallX, cmbTextZ, cmbWallZ,
                                                      cmbTextX->lineEdit(), cmbWallX->lineEdit(),
                                                      cmbTextZ->lineEdit(), cmbWallZ->lineEdit()})
        w->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A text field claims Ctrl+X (cut), Ctrl+Z (undo), Ctrl+Y (redo) and the
        // like for itself; the window's commands come first. A copy that is off
        // takes its key too, below, so the key never edits instead.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && !action->shortcut().isEmpty() &&
                action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return true;
            }
        }
        break;
    }
    case QEvent::KeyPress:
        if (NothingToCopy(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Wheel:
        // Over a size list without the focus, the wheel would change a size the
        // user is not looking at: it does nothing there.
        if (auto* list = qobject_cast<QComboBox*>(watched); list && !list->hasFocus())
            return true;
        break;
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched == txtFCTextX)
            txtFCTextX_GotFocus();
        else if (watched == txtFCX)
            txtFCX_GotFocus();
        else if (watched == txtFCTextZ)
            txtFCTextZ_GotFocus();
        else if (watched == txtFCZ)
            txtFCZ_GotFocus();
        else
            break;
        // A click places the caret after the focus arrives; select again when
        // the button is released, unless the user dragged out a selection.
        if (reason == Qt::MouseFocusReason)
            watched->setProperty(selectOnRelease, true);
        break;
    }
    case QEvent::FocusOut:
        // A size left with its end showing (".00.25" for 100.25) shows its start again.
        if (auto* list = qobject_cast<QComboBox*>(watched);
            list && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            list->lineEdit()->setCursorPosition(0);
        break;
    case QEvent::MouseButtonRelease:
        if (watched->property(selectOnRelease).toBool()) {
            watched->setProperty(selectOnRelease, false);
            if (auto* field = qobject_cast<QLineEdit*>(watched); field && !field->hasSelectedText())
                field->selectAll();
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    // Keys no control took, such as Ctrl+X in a list or on a button.
    if (!NothingToCopy(event))
        QMainWindow::keyPressEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The close box and Quit both end here.
    SaveOnce();
    event->accept();
}

void frmMain::SaveOnce() {
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
}

// ---------------------------------------------------------------- start-up

void frmMain::Form_Load() {
    // The default rows disable both wall axes before the sizes arrive, so the
    // size handlers that run below show "0".
    lstPosX->setCurrentRow(core::defaultRow);
    lstPosZ->setCurrentRow(core::defaultRow);

    const core::Stored stored = core::Load(readFrom_);
    loadedTopTwips_ = stored.topTwips;
    loadedLeftTwips_ = stored.leftTwips;
    PlaceWindow(stored.topTwips, stored.leftTwips);
    for (auto [field, text] : {std::pair{cmbTextX, &stored.textX},
                               {cmbTextZ, &stored.textZ},
                               {cmbWallX, &stored.wallX},
                               {cmbWallZ, &stored.wallZ}}) {
        field->setEditText(QString::fromStdString(*text));
        field->lineEdit()->setCursorPosition(0); // show the start of a long number
    }
    mnuOnTop->setChecked(stored.onTop); // kept, and saved again, where it cannot apply
    if (CanKeepOnTop()) {
        KeepOnTop(stored.onTop);
    } else {
        mnuOnTop->setEnabled(false);
        mnuOnTop->setToolTip(QStringLiteral("Wayland lets no program keep its window above "
                                            "the others"));
    }
    // The window reopens as it was left.
    lstPosX->setCurrentRow(stored.rowX);
    lstPosZ->setCurrentRow(stored.rowZ);
    for (auto [field, text] : {std::pair{txtFCTextX, &stored.positionX},
                               {txtFCX, &stored.mapX},
                               {txtFCTextZ, &stored.positionZ},
                               {txtFCZ, &stored.mapZ}})
        field->setText(QString::fromStdString(*text));

    ShowResult(lblX, WallResult(lstPosX, cmbTextX, cmbWallX));
    ShowResult(lblZ, WallResult(lstPosZ, cmbTextZ, cmbWallZ));
    ShowResult(lblFCX, FloorResult(txtFCTextX, txtFCX));
    ShowResult(lblFCZ, FloorResult(txtFCTextZ, txtFCZ));
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

void frmMain::Form_Unload() {
    core::Stored stored{Text(cmbTextX), Text(cmbTextZ), Text(cmbWallX), Text(cmbWallZ)};
    // Where the position is unknown, the one read at start-up goes back unchanged.
    stored.topTwips = PositionKnown() ? core::PixelsToTwips(pos().y()) : loadedTopTwips_;
    stored.leftTwips = PositionKnown() ? core::PixelsToTwips(pos().x()) : loadedLeftTwips_;
    stored.onTop = mnuOnTop->isChecked();
    stored.rowX = lstPosX->currentRow();
    stored.rowZ = lstPosZ->currentRow();
    stored.positionX = Text(txtFCTextX);
    stored.mapX = Text(txtFCX);
    stored.positionZ = Text(txtFCTextZ);
    stored.mapZ = Text(txtFCZ);
    core::Save(writeTo_, stored);
}

// ---------------------------------------------------------------- recalculation

QString frmMain::WallResult(const QListWidget* alignment, const QComboBox* texture,
                            const QComboBox* wall) {
    return QString::fromStdString(
        core::WallResult(alignment->currentRow(), Text(texture), Text(wall)));
}

QString frmMain::FloorResult(const QLineEdit* position, const QLineEdit* coordinate) {
    return QString::fromStdString(core::FloorResult(Text(position), Text(coordinate)));
}

void frmMain::WallChange(QComboBox* own, QListWidget* alignment, QComboBox* texture,
                         QComboBox* wall, QLabel* result) {
    // An emptied field becomes "0", selected so that the next key replaces it;
    // that change runs this handler again, nested, and the result below is the
    // same.
    if (own->currentText().isEmpty()) {
        own->setEditText(ui::Text(core::emptyField));
        own->lineEdit()->selectAll();
    }
    ShowResult(result, WallResult(alignment, texture, wall));
}

void frmMain::FloorChange(QLineEdit* own, QLineEdit* position, QLineEdit* coordinate,
                          QLabel* result) {
    if (own->text().isEmpty()) {
        own->setText(ui::Text(core::emptyField));
        own->selectAll();
    }
    ShowResult(result, FloorResult(position, coordinate));
}

void frmMain::AlignmentClick(QListWidget* alignment, QComboBox* texture, QComboBox* wall,
                             QLabel* result, QWidget* copy, QWidget* textCaption,
                             QWidget* wallCaption, QAction* menu) {
    const bool aligned = core::AxisEnabled(alignment->currentRow());
    for (QWidget* control :
         std::initializer_list<QWidget*>{copy, texture, wall, textCaption, wallCaption, result})
        control->setEnabled(aligned);
    menu->setEnabled(aligned);
    ShowResult(result, WallResult(alignment, texture, wall));
}

void frmMain::lstPosX_Click() {
    AlignmentClick(lstPosX, cmbTextX, cmbWallX, lblX, cmdCopyX, lblTextX, lblWallX, mnuCopyX);
}
void frmMain::lstPosZ_Click() {
    AlignmentClick(lstPosZ, cmbTextZ, cmbWallZ, lblZ, cmdCopyZ, lblTextZ, lblWallZ, mnuCopyZ);
}

void frmMain::cmbTextX_Change() {
    WallChange(cmbTextX, lstPosX, cmbTextX, cmbWallX, lblX);
}
void frmMain::cmbWallX_Change() {
    WallChange(cmbWallX, lstPosX, cmbTextX, cmbWallX, lblX);
}
void frmMain::cmbTextZ_Change() {
    WallChange(cmbTextZ, lstPosZ, cmbTextZ, cmbWallZ, lblZ);
}
void frmMain::cmbWallZ_Change() {
    WallChange(cmbWallZ, lstPosZ, cmbTextZ, cmbWallZ, lblZ);
}
void frmMain::cmbTextX_Click() {
    cmbTextX_Change();
}
void frmMain::cmbWallX_Click() {
    cmbWallX_Change();
}
void frmMain::cmbTextZ_Click() {
    cmbTextZ_Change();
}
void frmMain::cmbWallZ_Click() {
    cmbWallZ_Change();
}

void frmMain::txtFCTextX_Change() {
    FloorChange(txtFCTextX, txtFCTextX, txtFCX, lblFCX);
}
void frmMain::txtFCX_Change() {
    FloorChange(txtFCX, txtFCTextX, txtFCX, lblFCX);
}
void frmMain::txtFCTextZ_Change() {
    FloorChange(txtFCTextZ, txtFCTextZ, txtFCZ, lblFCZ);
}
void frmMain::txtFCZ_Change() {
    FloorChange(txtFCZ, txtFCTextZ, txtFCZ, lblFCZ);
}

// Entering a field selects its whole text, so the next key replaces it.
void frmMain::txtFCTextX_GotFocus() {
    txtFCTextX->selectAll();
}
void frmMain::txtFCX_GotFocus() {
    txtFCX->selectAll();
}
void frmMain::txtFCTextZ_GotFocus() {
    txtFCTextZ->selectAll();
}
void frmMain::txtFCZ_GotFocus() {
    txtFCZ->selectAll();
}

// ---------------------------------------------------------------- commands

void frmMain::Copy(const QLabel* result, QWidget* button) {
    const QString copied = result->text();
    QGuiApplication::clipboard()->setText(copied, QClipboard::Clipboard);
    ShowNote(button, QString::fromStdString(core::CopiedNote(copied.toStdString())));
}

void frmMain::cmdCopyX_Click() {
    Copy(lblX, cmdCopyX);
}
void frmMain::cmdCopyZ_Click() {
    Copy(lblZ, cmdCopyZ);
}
void frmMain::cmdFCCopyX_Click() {
    Copy(lblFCX, cmdFCCopyX);
}
void frmMain::cmdFCCopyZ_Click() {
    Copy(lblFCZ, cmdFCCopyZ);
}
void frmMain::mnuCopyX_Click() {
    cmdCopyX_Click();
}
void frmMain::mnuCopyZ_Click() {
    cmdCopyZ_Click();
}
void frmMain::mnuFCCopyX_Click() {
    cmdFCCopyX_Click();
}
void frmMain::mnuFCCopyZ_Click() {
    cmdFCCopyZ_Click();
}

bool frmMain::NothingToCopy(const QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    for (auto [command, button, axis] :
         {std::tuple{mnuCopyX, cmdCopyX, 'X'}, std::tuple{mnuCopyZ, cmdCopyZ, 'Z'}}) {
        if (!command->isEnabled() &&
            command->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            ShowNote(button, QString::fromStdString(core::NothingToCopyNote(axis)));
            return true;
        }
    }
    return false;
}

void frmMain::mnuTextureFile_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Texture Sizes from File"), textureFolder_, ImageFilter());
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
    ShowDropHint(true);
}

void frmMain::dragLeaveEvent(QDragLeaveEvent* event) {
    ShowDropHint(false);
    QMainWindow::dragLeaveEvent(event);
}

void frmMain::dropEvent(QDropEvent* event) {
    ShowDropHint(false);
    if (!event->mimeData()->hasUrls())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    Form_DragDrop(event->mimeData()->urls().constFirst()); // of several files, the first
}

void frmMain::ShowDropHint(bool on) {
    if (on)
        ShowNote(lblTextX, QStringLiteral("Drop to take Text X and Text Z from this texture"), 0);
    else
        HideNote(lblTextX);
}

void frmMain::Form_DragDrop(const QUrl& file) {
    TextureSizesFrom(file);
}

// The texture sizes go in through the size fields' own change handlers, as if
// typed; anything that is not a readable image leaves them as they were.
void frmMain::TextureSizesFrom(const QUrl& file) {
    if (file.isLocalFile())
        textureFolder_ = QFileInfo(file.toLocalFile()).absolutePath();
    const std::optional<QSize> size = ImageSize(file);
    if (!size) {
        const QString name =
            lblTextX->fontMetrics().elidedText(FileName(file), Qt::ElideMiddle, 150);
        ShowNote(lblTextX, QString::fromStdString(core::NotAnImageNote(name.toStdString())));
        return;
    }
    cmbTextX->setEditText(QString::number(size->width()));
    cmbTextZ->setEditText(QString::number(size->height()));
}

void frmMain::mnuOnTop_Click() {
    KeepOnTop(mnuOnTop->isChecked());
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

void frmMain::mnuQuit_Click() {
    close();
}

// About belongs to the window, so it opens above it, also while the window
// keeps on top, and nothing else in the window takes input while it is open.
void frmMain::About_Click() {
    if (!about_)
        about_ = std::make_unique<frmAbout>(this);
    about_->setWindowFlag(Qt::WindowStaysOnTopHint, mnuOnTop->isChecked() && CanKeepOnTop());
    about_->exec();
}

} // namespace ui
