// bare_window: the yardstick for Varnel's start-up time and memory.
//
// A plain QMainWindow titled "BareWindow" that holds the same widgets as
// Varnel's main window, of the same kinds, texts, places, sizes and fonts:
// 14 controls that take the focus (2 lists, 4 editable drop-downs, 4 edit
// fields, 4 buttons), 24 labels, 6 lines, and a menu bar with two menus.
// It does nothing else: no settings file, no calculation, no handlers.
// bench/startup/run.sh starts it and varnel the same way and compares the
// time to the first painted frame.

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

// Places are kept in twips, as the window was designed; 15 twips make a pixel.
int px(int twips) {
    return (twips + 7) / 15;
}

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(px(left), px(top), px(width), px(height));
}

QLabel* label(QWidget* parent, const char* text, int l, int t, int w, int h) {
    auto* lbl = new QLabel(QString::fromLatin1(text), parent);
    place(lbl, l, t, w, h);
    return lbl;
}

void line(QWidget* parent, int x1, int y1, int x2, int y2, int thickness = 1) {
    auto* f = new QFrame(parent);
    f->setFrameShape(x1 == x2 ? QFrame::VLine : QFrame::HLine);
    f->setFrameShadow(QFrame::Plain);
    f->setLineWidth(thickness);
    if (x1 == x2) {
        f->setGeometry(px(x1), px(std::min(y1, y2)), thickness, px(std::abs(y2 - y1)));
    } else {
        f->setGeometry(px(std::min(x1, x2)), px(y1), px(std::abs(x2 - x1)), thickness);
    }
}

QComboBox* sizeList(QWidget* parent, const char* text, int l, int t) {
    auto* c = new QComboBox(parent);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems({"2", "4", "8", "16", "32", "64"});
    c->setCurrentIndex(-1);
    c->setEditText(QString::fromLatin1(text));
    place(c, l, t, 795, 315);
    return c;
}

QLineEdit* field(QWidget* parent, int l, int t) {
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setMaxLength(8);
    place(e, l, t, 795, 315);
    return e;
}

QPushButton* button(QWidget* parent, int l, int t) {
    auto* b = new QPushButton(QStringLiteral("Copy"), parent);
    place(b, l, t, 795, 405);
    return b;
}

QListWidget* alignmentList(QWidget* parent, const QStringList& rows, int t) {
    auto* l = new QListWidget(parent);
    l->addItems(rows);
    l->setCurrentRow(1);
    place(l, 195, t, 3135, 1035);
    return l;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

    auto* calc = window.menuBar()->addMenu(QStringLiteral("&Calculator"));
    calc->addAction(QStringLiteral("Copy &X Offset (Wall)"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
    calc->addAction(QStringLiteral("Copy &Z Offset (Wall)"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    calc->addSeparator();
    calc->addAction(QStringLiteral("Copy &X Offset (F/C)"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    calc->addAction(QStringLiteral("Copy &Z Offset (F/C)"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
    calc->addSeparator();
    calc->addAction(QStringLiteral("&Quit"))->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));

    auto* client = new QWidget;
    client->setFixedSize(px(7065), px(6660));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    client->setPalette(pal);
    window.setCentralWidget(client);

    // The 14 controls that take the focus, in tab order.
    auto* posX = alignmentList(client,
                               {"Center - Left Edge of Wall", "Align Left [Default]", "Center",
                                "Align Right", "Center - Right Edge of Wall"},
                               780);
    alignmentList(client,
                  {"Center - Bottom Edge of Wall", "Align Bottom [Default]", "Center", "Align Top",
                   "Center - Top Edge of Wall"},
                  2145);
    sizeList(client, "8", 780, 3900);
    sizeList(client, "8", 780, 4485);
    sizeList(client, "16", 2550, 3900);
    sizeList(client, "16", 2535, 4485);
    button(client, 2535, 5460);
    button(client, 2535, 6045);
    field(client, 4290, 975);
    field(client, 4290, 1560);
    field(client, 6045, 975);
    field(client, 6045, 1560);
    button(client, 6045, 2535);
    button(client, 6045, 3120);

    // The 24 labels: headings, section titles, captions, axis letters, results.
    QFont heading;
    heading.setBold(true);
    heading.setUnderline(true);
    QFont large;
    large.setPointSizeF(12);
    for (QLabel* h : {label(client, "Floor/Ceiling Alignment", 3705, 195, 3135, 210),
                      label(client, "Wall Alignment", 195, 195, 3135, 210)}) {
        h->setFont(heading);
        h->setAlignment(Qt::AlignCenter);
    }
    for (QLabel* s : {label(client, "Coordinates", 3705, 585, 3135, 210),
                      label(client, "Offsets", 3705, 2145, 3135, 210),
                      label(client, "Offsets", 195, 5070, 3135, 210),
                      label(client, "Sizes", 195, 3510, 3135, 210),
                      label(client, "Z Position", 195, 1950, 3135, 210),
                      label(client, "X Position", 195, 585, 3135, 210)}) {
        s->setAlignment(Qt::AlignCenter);
    }
    label(client, "Text X", 3705, 975, 600, 195);
    label(client, "Text Z", 3705, 1560, 465, 195);
    label(client, "Map X", 5460, 975, 465, 195);
    label(client, "Map Z", 5460, 1560, 465, 195);
    label(client, "Wall Z", 1950, 4485, 465, 195);
    label(client, "Wall X", 1950, 3900, 465, 195);
    label(client, "Text Z", 195, 4485, 465, 195);
    label(client, "Text X", 195, 3900, 600, 195);
    for (QLabel* a :
         {label(client, "X", 3705, 2535, 180, 300), label(client, "Z", 3705, 3120, 180, 300),
          label(client, "Z", 195, 6045, 180, 300), label(client, "X", 195, 5460, 180, 300)}) {
        a->setFont(large);
        a->setAlignment(Qt::AlignCenter);
    }
    for (QLabel* r :
         {label(client, "0", 4095, 2535, 1770, 405), label(client, "0", 4095, 3120, 1770, 405),
          label(client, "0", 585, 6045, 1770, 405), label(client, "0", 585, 5460, 1770, 405)}) {
        r->setFont(large);
        r->setAlignment(Qt::AlignCenter);
        r->setFrameShape(QFrame::Box);
        r->setAutoFillBackground(true);
        r->setBackgroundRole(QPalette::Base);
        r->setForegroundRole(QPalette::Text);
    }

    // The 6 lines.
    line(client, 3705, 1950, 6825, 1950);
    line(client, 5265, 1950, 5265, 975);
    line(client, 3510, 6240, 3510, 195, 2);
    line(client, 1755, 4875, 1755, 3900);
    line(client, 195, 4875, 3315, 4875);
    line(client, 195, 3315, 3315, 3315);

    window.move(px(510), px(345));
    window.show();
    posX->setFocus();
    return QApplication::exec();
}
