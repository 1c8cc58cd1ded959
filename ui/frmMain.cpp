#include "ui/frmMain.h"

#include "core/calculator.h"
#include "core/placement.h"
#include "core/stored.h"
#include "ui/frmAbout.h"
#include "ui/help.h"
#include "ui/look.h"
#include "ui/note.h"
#include "ui/texture.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QUrl>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <string>
#include <vector>

namespace ui {
namespace {

constexpr int clientWidthTwips = 7065;
constexpr int clientHeightTwips = 6660;
const char* const selectOnRelease = "varnelSelectOnRelease";

// Keeps a field's text on one line and within its length. Line breaks pasted
// in count as blanks: at the ends they go, inside they become one space. An
// edit that would make the text longer than the limit is refused whole rather
// than cut short; when it inserts more than one character at once (a paste)
// a note beside the field says why, while a ninth typed character is simply
// refused. A limit of 0 means none.
class FieldRule : public QValidator {
  public:
    FieldRule(QLineEdit* field, int limit) : QValidator(field), field_(field), limit_(limit) {}

    State validate(QString& text, int& cursor) const override {
        static const QRegularExpression atEnds(QStringLiteral("^[\\r\\n]+|[\\r\\n]+$"));
        static const QRegularExpression inside(QStringLiteral("[\\r\\n]+"));
        const qsizetype before = text.size();
        text.remove(atEnds).replace(inside, QStringLiteral(" "));
        cursor = std::clamp(cursor - static_cast<int>(before - text.size()), 0,
                            static_cast<int>(text.size()));
        if (limit_ > 0 && text.size() > limit_) {
            if (text.size() > accepted_.size() + 1)
                ShowNote(field_, QString::fromStdString(core::TooLongNote()));
            return Invalid;
        }
        accepted_ = text;
        return Acceptable;
    }

  private:
    QLineEdit* field_;
    int limit_;
    mutable QString accepted_; // the text before the edit being judged
};

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(TwipRect(left, top, width, height));
    return control;
}

QLabel* Caption(QWidget* parent, const char* name, const char* text, int left, int top, int width,
                int height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label =
        Place(new QLabel(QString::fromLatin1(text), parent), name, left, top, width, height);
    label->setAlignment(alignment);
    return label;
}

QLabel* Heading(QWidget* parent, const char* name, const char* text, int left, int top) {
    QLabel* label =
        Caption(parent, name, text, left, top, 3135, 210, Qt::AlignHCenter | Qt::AlignVCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

QLabel* AxisLetter(QWidget* parent, const char* name, const char* text, int left, int top) {
    QLabel* label = Caption(parent, name, text, left, top, 180, 300, Qt::AlignCenter);
    label->setFont(LargeFont());
    return label;
}

QLabel* Result(QWidget* parent, const char* name, int left, int top) {
    QLabel* label = Caption(parent, name, "0.00", left, top, 1770, 405, Qt::AlignCenter);
    label->setFont(LargeFont());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    // Results sit on the window colour of an input field, not on the grey.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QLineEdit* Field(QWidget* parent, const char* name, int left, int top) {
    auto* field = Place(new QLineEdit(QStringLiteral("0"), parent), name, left, top, 795, 315);
    field->setValidator(new FieldRule(field, core::maxFieldLength));
    return field;
}

QComboBox* SizeList(QWidget* parent, const char* name, const char* text, int left, int top) {
    auto* list = Place(new QComboBox(parent), name, left, top, 795, 315);
    list->setEditable(true);
    // Whatever is typed stays exactly as typed: no completion to a row, and
    // Enter never adds a row.
    list->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setValidator(new FieldRule(list->lineEdit(), 0));
    list->addItems({QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8"),
                    QStringLiteral("16"), QStringLiteral("32"), QStringLiteral("64")});
    list->setCurrentIndex(-1);
    list->setEditText(QString::fromLatin1(text));
    return list;
}

QListWidget* AlignmentList(QWidget* parent, const char* name, const QStringList& rows, int top) {
    auto* list = Place(new QListWidget(parent), name, 195, top, 3135, 1035);
    list->addItems(rows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    // The style draws no focus on a list: its frame turns the selection colour
    // while it has the focus, and keeps its width, so nothing moves.
    list->setStyleSheet(QStringLiteral("QListWidget { border: 2px solid palette(dark); }"
                                       "QListWidget:focus { border-color: palette(highlight); }"));
    return list;
}

QPushButton* CopyButton(QWidget* parent, const char* name, int left, int top) {
    auto* button =
        Place(new QPushButton(QStringLiteral("Copy"), parent), name, left, top, 795, 405);
    // Return and Enter press the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

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
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    // Disabled captions in dark grey: the style's own pale grey vanishes on
    // this background.
    grey.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    setPalette(grey);

    CreateControls();
    CreateMenus();
    DescribeControls();
    Connect();
    // The client area below the menu bar has a fixed size; the window follows.
    centralWidget()->setFixedSize(TwipsToPixels(clientWidthTwips),
                                  TwipsToPixels(clientHeightTwips));
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
    txtFCZ = Field(client, "txtFCZ", 6045, 1560);
    txtFCX = Field(client, "txtFCX", 6045, 975);
    txtFCTextZ = Field(client, "txtFCTextZ", 4290, 1560);
    txtFCTextX = Field(client, "txtFCTextX", 4290, 975);
    cmdFCCopyX = CopyButton(client, "cmdFCCopyX", 6045, 2535);
    cmdFCCopyZ = CopyButton(client, "cmdFCCopyZ", 6045, 3120);
    cmdCopyZ = CopyButton(client, "cmdCopyZ", 2535, 6045);
    cmdCopyX = CopyButton(client, "cmdCopyX", 2535, 5460);
    cmbWallZ = SizeList(client, "cmbWallZ", "16", 2535, 4485);
    cmbWallX = SizeList(client, "cmbWallX", "16", 2550, 3900);
    cmbTextZ = SizeList(client, "cmbTextZ", "8", 780, 4485);
    cmbTextX = SizeList(client, "cmbTextX", "8", 780, 3900);
    lstPosZ =
        AlignmentList(client, "lstPosZ",
                      {QStringLiteral("Center - Bottom Edge of Wall"),
                       QStringLiteral("Align Bottom [Default]"), QStringLiteral("Center"),
                       QStringLiteral("Align Top"), QStringLiteral("Center - Top Edge of Wall")},
                      2145);
    lstPosX = AlignmentList(client, "lstPosX",
                            {QStringLiteral("Center - Left Edge of Wall"),
                             QStringLiteral("Align Left [Default]"), QStringLiteral("Center"),
                             QStringLiteral("Align Right"),
                             QStringLiteral("Center - Right Edge of Wall")},
                            780);
    Heading(client, "Label18", "Floor/Ceiling Alignment", 3705, 195);
    Heading(client, "Label17", "Wall Alignment", 195, 195);
    Caption(client, "Label16", "Text X", 3705, 975, 600, 195);
    Caption(client, "Label15", "Text Z", 3705, 1560, 465, 195);
    Caption(client, "Label14", "Coordinates", 3705, 585, 3135, 210, Qt::AlignCenter);
    new Line("Line6", 3705, 1950, 6825, 1950, client);
    Caption(client, "Label13", "Map X", 5460, 975, 465, 195);
    Caption(client, "Label12", "Map Z", 5460, 1560, 465, 195);
    lblFCX = Result(client, "lblFCX", 4095, 2535);
    lblFCZ = Result(client, "lblFCZ", 4095, 3120);
    AxisLetter(client, "Label6", "X", 3705, 2535);
    AxisLetter(client, "Label4", "Z", 3705, 3120);
    Caption(client, "Label3", "Offsets", 3705, 2145, 3135, 210, Qt::AlignCenter);
    new Line("Line5", 5265, 1950, 5265, 975, client);
    new Line("Line4", 3510, 6240, 3510, 195, client, QColor(Qt::black), 2);
    new Line("Line3", 1755, 4875, 1755, 3900, client);
    Caption(client, "Label8", "Offsets", 195, 5070, 3135, 210, Qt::AlignCenter);
    AxisLetter(client, "Label10", "Z", 195, 6045);
    AxisLetter(client, "Label9", "X", 195, 5460);
    lblZ = Result(client, "lblZ", 585, 6045);
    lblX = Result(client, "lblX", 585, 5460);
    lblWallZ = Caption(client, "lblWallZ", "Wall Z", 1950, 4485, 465, 195);
    lblWallX = Caption(client, "lblWallX", "Wall X", 1950, 3900, 465, 195);
    new Line("Line2", 195, 4875, 3315, 4875, client);
    new Line("Line1", 195, 3315, 3315, 3315, client);
    Caption(client, "Label5", "Sizes", 195, 3510, 3135, 210, Qt::AlignCenter);
    lblTextZ = Caption(client, "lblTextZ", "Text Z", 195, 4485, 465, 195);
    lblTextX = Caption(client, "lblTextX", "Text X", 195, 3900, 600, 195);
    Caption(client, "Label2", "Z Position", 195, 1950, 3135, 210, Qt::AlignCenter);
    Caption(client, "Label1", "X Position", 195, 585, 3135, 210, Qt::AlignCenter);

    // Every row of a list gets the same share of its height, so all five show.
    for (QListWidget* list : {lstPosX, lstPosZ}) {
        const int rowHeight = (list->height() - 2 * list->frameWidth()) / list->count();
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setSizeHint(QSize(0, rowHeight));
    }

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

    // Focus and shortcut handling of every text a user can type into.
    for (QWidget* w :
         {static_cast<QWidget*>(txtFCTextX), static_cast<QWidget*>(txtFCX),
          static_cast<QWidget*>(txtFCTextZ), static_cast<QWidget*>(txtFCZ),
          static_cast<QWidget*>(cmbTextX), static_cast<QWidget*>(cmbWallX),
          static_cast<QWidget*>(cmbTextZ), static_cast<QWidget*>(cmbWallZ),
          static_cast<QWidget*>(cmbTextX->lineEdit()), static_cast<QWidget*>(cmbWallX->lineEdit()),
          static_cast<QWidget*>(cmbTextZ->lineEdit()), static_cast<QWidget*>(cmbWallZ->lineEdit())})
        w->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // A text field claims Ctrl+X (cut), Ctrl+Z (undo), Ctrl+Y (redo) and the
        // like for itself. The window's commands come first while they are
        // enabled; a disabled command leaves the key to the field.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : actions()) {
            if (action->isEnabled() && !action->shortcut().isEmpty() &&
                action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return true;
            }
        }
        break;
    }
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

void frmMain::closeEvent(QCloseEvent* event) {
    // The close box and Quit both end here; the settings are saved once.
    if (!unloaded_) {
        unloaded_ = true;
        Form_Unload();
    }
    event->accept();
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
    mnuOnTop->setChecked(stored.onTop);
    KeepOnTop(stored.onTop);

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
    QMainWindow::changeEvent(event);
}

// Some windowing systems (Wayland) neither report nor set a window's position.
bool frmMain::PositionKnown() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// ---------------------------------------------------------------- shut-down

void frmMain::Form_Unload() {
    core::Stored stored{Text(cmbTextX), Text(cmbTextZ), Text(cmbWallX), Text(cmbWallZ)};
    // Where the position is unknown, the one read at start-up goes back unchanged.
    stored.topTwips =
        PositionKnown() ? static_cast<float>(pos().y() * twipsPerPixel) : loadedTopTwips_;
    stored.leftTwips =
        PositionKnown() ? static_cast<float>(pos().x() * twipsPerPixel) : loadedLeftTwips_;
    stored.onTop = mnuOnTop->isChecked();
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
        own->setEditText(QString::fromLatin1(core::emptyField));
        own->lineEdit()->selectAll();
    }
    ShowResult(result, WallResult(alignment, texture, wall));
}

void frmMain::FloorChange(QLineEdit* own, QLineEdit* position, QLineEdit* coordinate,
                          QLabel* result) {
    if (own->text().isEmpty()) {
        own->setText(QString::fromLatin1(core::emptyField));
        own->selectAll();
    }
    ShowResult(result, FloorResult(position, coordinate));
}

void frmMain::AlignmentClick(QListWidget* alignment, QComboBox* texture, QComboBox* wall,
                             QLabel* result, QWidget* copy, QWidget* textCaption,
                             QWidget* wallCaption, QAction* menu) {
    const bool aligned = core::AxisEnabled(alignment->currentRow());
    for (QWidget* control : {copy, static_cast<QWidget*>(texture), static_cast<QWidget*>(wall),
                             textCaption, wallCaption, static_cast<QWidget*>(result)})
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

void frmMain::mnuTextureFile_Click() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Texture Sizes from File"), QString(), ImageFilter());
    if (!file.isEmpty())
        TextureSizesFrom(QUrl::fromLocalFile(file));
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls())
        return;
    event->acceptProposedAction();
    Form_DragDrop(event->mimeData()->urls().constFirst()); // of several files, the first
}

void frmMain::Form_DragDrop(const QUrl& file) {
    TextureSizesFrom(file);
}

// The texture sizes go in through the size fields' own change handlers, as if
// typed; anything that is not a readable image leaves them as they were.
void frmMain::TextureSizesFrom(const QUrl& file) {
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

void frmMain::About_Click() {
    if (!about_)
        about_ = std::make_unique<frmAbout>();
    about_->exec();
}

} // namespace ui
