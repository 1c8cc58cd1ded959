// How the window looks before anyone touches it: every control by name, kind,
// text and place, the tab order, the fonts, the lists and the menus.
#include "harness.h"
#include "ui/look.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

class tst_layout : public QObject {
    Q_OBJECT

  private:
    Harness h;

    static QRect Twips(int l, int t, int w, int h) {
        return {qRound(l / 15.0), qRound(t / 15.0), qRound(w / 15.0), qRound(h / 15.0)};
    }
    static QString Text(QWidget* w) {
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* field = qobject_cast<QLineEdit*>(w))
            return field->text();
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        if (auto* button = qobject_cast<QPushButton*>(w))
            return button->text();
        return {};
    }

  private slots:
    void initTestCase() { QVERIFY(h.activate()); }

    void controls_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        // Results show "0" after start-up, not their design-time "0.00".
        auto row = [](const char* name, const char* kind, const char* text, QRect place) {
            QTest::newRow(name) << kind << text << place;
        };
        row("txtFCZ", "QLineEdit", "0", Twips(6045, 1560, 795, 315));
        row("txtFCX", "QLineEdit", "0", Twips(6045, 975, 795, 315));
        row("txtFCTextZ", "QLineEdit", "0", Twips(4290, 1560, 795, 315));
        row("txtFCTextX", "QLineEdit", "0", Twips(4290, 975, 795, 315));
        row("cmdFCCopyX", "QPushButton", "Copy", Twips(6045, 2535, 795, 405));
        row("cmdFCCopyZ", "QPushButton", "Copy", Twips(6045, 3120, 795, 405));
        row("cmdCopyZ", "QPushButton", "Copy", Twips(2535, 6045, 795, 405));
        row("cmdCopyX", "QPushButton", "Copy", Twips(2535, 5460, 795, 405));
        row("cmbWallZ", "QComboBox", "16", Twips(2535, 4485, 795, 315));
        row("cmbWallX", "QComboBox", "16", Twips(2550, 3900, 795, 315));
        row("cmbTextZ", "QComboBox", "8", Twips(780, 4485, 795, 315));
        row("cmbTextX", "QComboBox", "8", Twips(780, 3900, 795, 315));
        row("lstPosZ", "QListWidget", "", Twips(195, 2145, 3135, 1035));
        row("lstPosX", "QListWidget", "", Twips(195, 780, 3135, 1035));
        row("Label18", "QLabel", "Floor/Ceiling Alignment", Twips(3705, 195, 3135, 210));
        row("Label17", "QLabel", "Wall Alignment", Twips(195, 195, 3135, 210));
        row("Label16", "QLabel", "Text X", Twips(3705, 975, 600, 195));
        row("Label15", "QLabel", "Text Z", Twips(3705, 1560, 465, 195));
        row("Label14", "QLabel", "Coordinates", Twips(3705, 585, 3135, 210));
        row("Label13", "QLabel", "Map X", Twips(5460, 975, 465, 195));
        row("Label12", "QLabel", "Map Z", Twips(5460, 1560, 465, 195));
        row("lblFCX", "QLabel", "0", Twips(4095, 2535, 1770, 405));
        row("lblFCZ", "QLabel", "0", Twips(4095, 3120, 1770, 405));
        row("Label6", "QLabel", "X", Twips(3705, 2535, 180, 300));
        row("Label4", "QLabel", "Z", Twips(3705, 3120, 180, 300));
        row("Label3", "QLabel", "Offsets", Twips(3705, 2145, 3135, 210));
        row("Label8", "QLabel", "Offsets", Twips(195, 5070, 3135, 210));
        row("Label10", "QLabel", "Z", Twips(195, 6045, 180, 300));
        row("Label9", "QLabel", "X", Twips(195, 5460, 180, 300));
        row("lblZ", "QLabel", "0", Twips(585, 6045, 1770, 405));
        row("lblX", "QLabel", "0", Twips(585, 5460, 1770, 405));
        row("lblWallZ", "QLabel", "Wall Z", Twips(1950, 4485, 465, 195));
        row("lblWallX", "QLabel", "Wall X", Twips(1950, 3900, 465, 195));
        row("Label5", "QLabel", "Sizes", Twips(195, 3510, 3135, 210));
        row("lblTextZ", "QLabel", "Text Z", Twips(195, 4485, 465, 195));
        row("lblTextX", "QLabel", "Text X", Twips(195, 3900, 600, 195));
        row("Label2", "QLabel", "Z Position", Twips(195, 1950, 3135, 210));
        row("Label1", "QLabel", "X Position", Twips(195, 585, 3135, 210));
        // Lines: their place is the box their stroke covers.
        row("Line6", "ui::Line", "", Twips(3705, 1950, 3120, 15));
        row("Line5", "ui::Line", "", Twips(5265, 975, 15, 975));
        row("Line4", "ui::Line", "", QRect(234, 13, 2, 403));
        row("Line3", "ui::Line", "", Twips(1755, 3900, 15, 975));
        row("Line2", "ui::Line", "", Twips(195, 4875, 3120, 15));
        row("Line1", "ui::Line", "", Twips(195, 3315, 3120, 15));
    }

    void controls() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        auto* w = h.find<QWidget>(QTest::currentDataTag());
        QVERIFY2(w, "no control of that name");
        if (kind != QLatin1String("ui::Line")) {
            QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
            QCOMPARE(Text(w), text);
        }
        const QRect actual = w->geometry();
        QVERIFY2(qAbs(actual.x() - place.x()) <= 1 && qAbs(actual.y() - place.y()) <= 1 &&
                     qAbs(actual.width() - place.width()) <= 1 &&
                     qAbs(actual.height() - place.height()) <= 1,
                 qPrintable(QStringLiteral("at %1,%2 %3x%4")
                                .arg(actual.x()).arg(actual.y())
                                .arg(actual.width()).arg(actual.height())));
    }

    void window() {
        QCOMPARE(h.window->windowTitle(), QStringLiteral("Varnel"));
        QCOMPARE(h.window->centralWidget()->size(), QSize(471, 444));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize()); // not resizable
        const Qt::WindowFlags flags = h.window->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(h.window->palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(!h.window->windowIcon().isNull());
    }

    void tabOrderStartsAtTheXList() {
        const char* order[] = {"lstPosX",  "lstPosZ",    "cmbTextX",   "cmbTextZ", "cmbWallX",
                               "cmbWallZ", "cmdCopyX",   "cmdCopyZ",   "txtFCTextX",
                               "txtFCTextZ", "txtFCX",   "txtFCZ",     "cmdFCCopyX",
                               "cmdFCCopyZ"};
        QCOMPARE(QApplication::focusWidget(), h.find<QWidget>("lstPosX"));
        // The wall size fields are disabled at start-up; enable them so the
        // whole chain can be walked.
        h.find<QListWidget>("lstPosX")->setCurrentRow(2);
        h.find<QListWidget>("lstPosZ")->setCurrentRow(2);
        h.find<QWidget>("lstPosX")->setFocus();
        for (std::size_t i = 1; i < std::size(order); ++i) {
            QTest::keyClick(h.window->windowHandle(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            QCOMPARE(focus->objectName(), QString::fromLatin1(order[i]));
        }
        h.find<QListWidget>("lstPosX")->setCurrentRow(1);
        h.find<QListWidget>("lstPosZ")->setCurrentRow(1);
        h.find<QWidget>("lstPosX")->setFocus();
    }

    void fonts() {
        for (const char* name : {"Label17", "Label18"}) {
            const QFont font = h.find<QLabel>(name)->font();
            QVERIFY2(font.bold() && font.underline(), name);
        }
        for (const char* name : {"lblX", "lblZ", "lblFCX", "lblFCZ", "Label9", "Label10",
                                 "Label6", "Label4"}) {
            const QFont font = h.find<QLabel>(name)->font();
            QCOMPARE(font.pointSize(), 12);
            QVERIFY2(!font.bold(), name);
        }
        for (const char* name : {"lblX", "lblZ", "lblFCX", "lblFCZ"}) {
            auto* label = h.find<QLabel>(name);
            QVERIFY(label->frameStyle() != QFrame::NoFrame);
            QCOMPARE(label->alignment(), Qt::AlignCenter);
        }
        QCOMPARE(h.find<ui::Line>("Line4")->lineWidth(), 2);
    }

    // Every caption is wholly visible in its control.
    void captionsFit() {
        const auto labels = h.window->findChildren<QLabel*>();
        QVERIFY(labels.size() >= 24);
        for (QLabel* label : labels) {
            const QFontMetrics metrics(label->font());
            const QRect room = label->contentsRect();
            const QRect needed = metrics.boundingRect(label->text());
            QVERIFY2(needed.width() <= room.width() && metrics.height() <= room.height(),
                     qPrintable(label->objectName() + QLatin1String(" clips ") + label->text()));
        }
        for (QPushButton* button : h.window->findChildren<QPushButton*>())
            QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 8 <=
                    button->width());
        for (QListWidget* list : h.window->findChildren<QListWidget*>())
            for (int row = 0; row < list->count(); ++row)
                QVERIFY2(QFontMetrics(list->font()).horizontalAdvance(list->item(row)->text()) <
                             list->viewport()->width() - 4,
                         qPrintable(list->item(row)->text()));
    }

    // An edit field shows eight characters without scrolling.
    void fieldsShowEightCharacters() {
        for (QLineEdit* field : h.window->findChildren<QLineEdit*>()) {
            if (qobject_cast<QComboBox*>(field->parentWidget()))
                continue;
            QCOMPARE(field->maxLength(), 8);
            const int room = field->contentsRect().width() - 2 * 2 - 2 * 2; // frame, margin
            QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(QStringLiteral("-0000.00")) <= room,
                     qPrintable(field->objectName()));
            QVERIFY2(QFontMetrics(field->font()).horizontalAdvance(QStringLiteral("00000000")) <= room,
                     qPrintable(field->objectName()));
        }
    }

    void listRows() {
        const QStringList x = {"Center - Left Edge of Wall", "Align Left [Default]", "Center",
                               "Align Right", "Center - Right Edge of Wall"};
        const QStringList z = {"Center - Bottom Edge of Wall", "Align Bottom [Default]", "Center",
                               "Align Top", "Center - Top Edge of Wall"};
        for (auto [name, rows] : {std::pair{"lstPosX", x}, std::pair{"lstPosZ", z}}) {
            auto* list = h.find<QListWidget>(name);
            QStringList actual;
            for (int row = 0; row < list->count(); ++row)
                actual << list->item(row)->text();
            QCOMPARE(actual, rows);
            QCOMPARE(list->currentRow(), 1);
            // All five rows fit, so no scroll bar is needed or shown.
            QVERIFY(!list->verticalScrollBar()->isVisible());
            QVERIFY(list->visualItemRect(list->item(4)).bottom() < list->viewport()->height());
            QVERIFY(list->visualItemRect(list->item(0)).height() >=
                    QFontMetrics(list->font()).height());
        }
        for (const char* name : {"cmbTextX", "cmbTextZ", "cmbWallX", "cmbWallZ"}) {
            auto* list = h.find<QComboBox>(name);
            QStringList rows;
            for (int i = 0; i < list->count(); ++i)
                rows << list->itemText(i);
            QCOMPARE(rows, QStringList({"2", "4", "8", "16", "32", "64"}));
            QVERIFY(list->isEditable());
        }
    }

    void menus_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("mnuCopyX") << "Copy &X Offset (Wall)" << QKeySequence("Ctrl+X");
        QTest::newRow("mnuCopyZ") << "Copy &Z Offset (Wall)" << QKeySequence("Ctrl+Z");
        QTest::newRow("mnuFCCopyX") << "Copy &X Offset (F/C)" << QKeySequence("Ctrl+W");
        QTest::newRow("mnuFCCopyZ") << "Copy &Z Offset (F/C)" << QKeySequence("Ctrl+Y");
        QTest::newRow("mnuQuit") << "&Quit" << QKeySequence("Ctrl+Q");
        QTest::newRow("About") << "&About" << QKeySequence();
    }

    void menus() {
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto* action = h.find<QAction>(QTest::currentDataTag());
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
    }

    void menuBar() {
        auto* calculator = h.find<QMenu>("mnuCalc");
        auto* help = h.find<QMenu>("mnuHelp");
        QVERIFY(calculator && help);
        QCOMPARE(calculator->title(), QStringLiteral("&Calculator"));
        QCOMPARE(help->title(), QStringLiteral("&Help"));
        QStringList items;
        for (QAction* action : calculator->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
        QCOMPARE(items, QStringList({"mnuCopyX", "mnuCopyZ", "-", "mnuFCCopyX", "mnuFCCopyZ", "-",
                                     "mnuQuit"}));
        QCOMPARE(calculator->actions().at(2)->objectName(), QStringLiteral("mnuLine1"));
        QCOMPARE(calculator->actions().at(5)->objectName(), QStringLiteral("mnuLine2"));
    }
};

QTEST_MAIN(tst_layout)
#include "tst_layout.moc"
