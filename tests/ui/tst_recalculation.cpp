// Every input change recalculates exactly its own result, with the empty-field,
// default-alignment and error rules.
#include "harness.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <QElapsedTimer>

#include <map>

class tst_recalculation : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Harness> h;

    QLabel* label(const char* name) const { return h->find<QLabel>(name); }
    QLineEdit* field(const char* name) const { return h->find<QLineEdit>(name); }
    QComboBox* size(const char* name) const { return h->find<QComboBox>(name); }
    QListWidget* list(const char* name) const { return h->find<QListWidget>(name); }

    std::map<QString, QString> results() const {
        std::map<QString, QString> all;
        for (const char* name : {"lblX", "lblZ", "lblFCX", "lblFCZ"})
            all[QString::fromLatin1(name)] = label(name)->text();
        return all;
    }

    // Replaces a field's text with real key presses: select all, then type.
    void type(QWidget* target, const QString& text) {
        QLineEdit* edit = qobject_cast<QLineEdit*>(target);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            edit = combo->lineEdit();
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, text);
    }

  private slots:
    void init() {
        h = std::make_unique<Harness>();
        QVERIFY(h->activate());
        // Both wall axes aligned to Center, with sizes 64 and 16 on X and
        // 32 and 8 on Z.
        list("lstPosX")->setCurrentRow(2);
        list("lstPosZ")->setCurrentRow(2);
        size("cmbTextX")->setEditText("64");
        size("cmbWallX")->setEditText("16");
        size("cmbTextZ")->setEditText("32");
        size("cmbWallZ")->setEditText("8");
        field("txtFCTextX")->setText("1.5");
        field("txtFCX")->setText("20");
        field("txtFCTextZ")->setText("0");
        field("txtFCZ")->setText("-3");
    }
    void cleanup() { h.reset(); }

    void eachInputChangesOnlyItsOwnResult_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("texture X") << "cmbTextX" << "128" << "lblX" << "56";
        QTest::newRow("wall X") << "cmbWallX" << "48" << "lblX" << "8";
        QTest::newRow("texture Z") << "cmbTextZ" << "5" << "lblZ" << "-1.5";
        QTest::newRow("wall Z") << "cmbWallZ" << "2" << "lblZ" << "15";
        QTest::newRow("arithmetic") << "cmbWallX" << "3*64" << "lblX" << "-64";
        QTest::newRow("position X") << "txtFCTextX" << "10" << "lblFCX" << "-6";
        QTest::newRow("map X") << "txtFCX" << "15.5" << "lblFCX" << "6";
        QTest::newRow("position Z") << "txtFCTextZ" << "2" << "lblFCZ" << "3";
        QTest::newRow("map Z") << "txtFCZ" << "-7.6" << "lblFCZ" << "0.4000001";
        QTest::newRow("letters") << "txtFCTextZ" << "abc" << "lblFCZ" << "Error";
        QTest::newRow("off the grid") << "txtFCZ" << "40000" << "lblFCZ" << "Error";
        QTest::newRow("bad size") << "cmbTextX" << "12a" << "lblX" << "Error";
        QTest::newRow("overflow") << "cmbTextZ" << "3e38" << "lblZ" << "1.5E+38";
    }

    void eachInputChangesOnlyItsOwnResult() {
        QFETCH(QString, input);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(QString, expected);
        auto before = results();
        type(h->find<QWidget>(qPrintable(input)), typed);
        QCOMPARE(label(qPrintable(result))->text(), expected);
        before[result] = expected;
        QCOMPARE(results(), before); // and nothing else moved
    }

    void errorIsReplacedByTheNextGoodValue() {
        type(field("txtFCTextZ"), "abc");
        QCOMPARE(label("lblFCZ")->text(), QStringLiteral("Error"));
        QCOMPARE(field("txtFCTextZ")->text(), QStringLiteral("abc")); // the text stays as typed
        type(field("txtFCTextZ"), "1");
        QCOMPARE(label("lblFCZ")->text(), QStringLiteral("4"));
    }

    void pickingASizeRowRecalculatesLikeTyping() {
        QComboBox* texture = size("cmbTextZ");
        texture->setFocus();
        // Down arrow in the closed list picks the next row, as a click would.
        texture->setCurrentIndex(3); // "16"
        QCOMPARE(label("lblZ")->text(), QStringLiteral("4"));
        QTest::keyClick(texture, Qt::Key_Down); // "32", a user's pick
        QCOMPARE(texture->currentText(), QStringLiteral("32"));
        QCOMPARE(label("lblZ")->text(), QStringLiteral("12"));
    }

    void sizeListsKeepTypedTextExactly() {
        type(size("cmbTextX"), "1");
        QCOMPARE(size("cmbTextX")->currentText(), QStringLiteral("1")); // not completed to "16"
        QCOMPARE(label("lblX")->text(), QStringLiteral("-7.5"));
        QTest::keyClick(size("cmbTextX")->lineEdit(), Qt::Key_Return);
        QCOMPARE(size("cmbTextX")->count(), 6); // Enter adds no row
        type(size("cmbTextX"), "12.5");
        QCOMPARE(size("cmbTextX")->currentText(), QStringLiteral("12.5"));
    }

    void emptiedFieldBecomesZero_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("map X") << "txtFCX" << "lblFCX" << "-1.5";
        QTest::newRow("position X") << "txtFCTextX" << "lblFCX" << "4";
        QTest::newRow("wall X") << "cmbWallX" << "lblX" << "32";
        QTest::newRow("texture Z") << "cmbTextZ" << "lblZ" << "-4";
    }

    void emptiedFieldBecomesZero() {
        QFETCH(QString, input);
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QWidget* w = h->find<QWidget>(qPrintable(input));
        type(w, QString());
        auto* edit = qobject_cast<QLineEdit*>(w);
        const QString text = edit ? edit->text() : qobject_cast<QComboBox*>(w)->currentText();
        QCOMPARE(text, QStringLiteral("0"));
        QCOMPARE(label(qPrintable(result))->text(), expected);
    }

    void defaultRowDisablesTheAxis() {
        type(size("cmbTextX"), "abc"); // even with a size that is not a number
        QCOMPARE(label("lblX")->text(), QStringLiteral("Error"));
        list("lstPosX")->setCurrentRow(1);
        QCOMPARE(label("lblX")->text(), QStringLiteral("0"));
        for (const char* name : {"cmdCopyX", "cmbTextX", "cmbWallX", "lblTextX", "lblWallX", "lblX"})
            QVERIFY2(!h->find<QWidget>(name)->isEnabled(), name);
        QVERIFY(!h->find<QAction>("mnuCopyX")->isEnabled());
        // The other axis and the floor/ceiling half stay as they were.
        QVERIFY(h->find<QWidget>("cmbTextZ")->isEnabled());
        QVERIFY(h->find<QAction>("mnuCopyZ")->isEnabled());
        QVERIFY(h->find<QAction>("mnuFCCopyX")->isEnabled());
        QCOMPARE(size("cmbTextX")->currentText(), QStringLiteral("abc")); // kept, not cleared

        // Re-aligning recalculates from the kept sizes.
        size("cmbTextX")->setEditText("64");
        QCOMPARE(label("lblX")->text(), QStringLiteral("0")); // still the default row
        list("lstPosX")->setCurrentRow(3);
        for (const char* name : {"cmdCopyX", "cmbTextX", "cmbWallX", "lblTextX", "lblWallX", "lblX"})
            QVERIFY2(h->find<QWidget>(name)->isEnabled(), name);
        QVERIFY(h->find<QAction>("mnuCopyX")->isEnabled());
        QCOMPARE(label("lblX")->text(), QStringLiteral("48"));
    }

    void everyAlignmentRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("z");
        QTest::newRow("centre on near edge") << 0 << "32" << "16";
        QTest::newRow("default") << 1 << "0" << "0";
        QTest::newRow("centre") << 2 << "24" << "12";
        QTest::newRow("align far") << 3 << "48" << "24";
        QTest::newRow("centre on far edge") << 4 << "-48" << "-24";
    }

    void everyAlignmentRow() {
        QFETCH(int, row);
        QFETCH(QString, x);
        QFETCH(QString, z);
        list("lstPosX")->setCurrentRow(row);
        list("lstPosZ")->setCurrentRow(row);
        QCOMPARE(label("lblX")->text(), x);
        QCOMPARE(label("lblZ")->text(), z);
    }

    void clickingARowAligns() {
        QListWidget* alignment = list("lstPosX");
        const QRect row = alignment->visualItemRect(alignment->item(3));
        QTest::mouseClick(alignment->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(alignment->currentRow(), 3);
        QCOMPARE(label("lblX")->text(), QStringLiteral("48"));
    }

    void enteringAFieldSelectsItsText() {
        field("txtFCTextZ")->setFocus();
        QTest::keyClick(h->window->windowHandle(), Qt::Key_Tab);
        QLineEdit* map = field("txtFCX");
        QCOMPARE(QApplication::focusWidget(), map);
        QCOMPARE(map->selectedText(), QStringLiteral("20"));
        QTest::keyClick(h->window->windowHandle(), Qt::Key_7); // replaces, not appends
        QCOMPARE(map->text(), QStringLiteral("7"));
        QCOMPARE(label("lblFCX")->text(), QStringLiteral("5.5"));

        // By mouse too: the click that gives the focus does not undo it.
        QLineEdit* other = field("txtFCZ");
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, other->height() / 2));
        QCOMPARE(QApplication::focusWidget(), other);
        QCOMPARE(other->selectedText(), QStringLiteral("-3"));
    }

    void fieldsRefuseANinthCharacter() {
        QLineEdit* map = field("txtFCX");
        type(map, "123456789");
        QCOMPARE(map->text(), QStringLiteral("12345678"));
        map->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("-1234.5678"));
        map->paste();
        QCOMPARE(map->text().size(), 8);
    }

    // One keystroke's recalculation, label update included, stays far below a
    // 60 Hz frame (16.7 ms).
    void keystrokeIsFarBelowAFrame() {
        QLineEdit* map = field("txtFCX");
        QElapsedTimer timer;
        timer.start();
        constexpr int strokes = 500;
        for (int i = 0; i < strokes; ++i)
            map->setText(QString::number(i % 4000 - 2000));
        const double perStroke = static_cast<double>(timer.nsecsElapsed()) / strokes / 1e6;
        qInfo("one keystroke's recalculation: %.4f ms", perStroke);
        QVERIFY(perStroke < 2.0);
        QCOMPARE(label("lblFCX")->text(), QStringLiteral("1.5")); // -1501 lies 3 into its cell
    }

    void hostileInputShowsErrorOrANumber_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("10000 characters") << QString(10000, QLatin1Char('9'));
        QTest::newRow("deep parentheses") << QString(5000, QLatin1Char('(')) + "1";
        QTest::newRow("control characters") << QString::fromUtf8("1\x01\x02\t\r\n2");
        QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x98\x80" "16");
        QTest::newRow("nul") << QString(QChar(0)) + "8";
        QTest::newRow("right-to-left") << QString::fromUtf8("\xE2\x80\x8F" "16");
    }

    void hostileInputShowsErrorOrANumber() {
        QFETCH(QString, text);
        size("cmbTextX")->setEditText(text);
        QCOMPARE(label("lblX")->text(), QStringLiteral("Error"));
        field("txtFCX")->setText(text);
        QCOMPARE(label("lblFCX")->text(), QStringLiteral("Error"));
        size("cmbTextX")->setEditText("64");
        QCOMPARE(label("lblX")->text(), QStringLiteral("24"));
    }
};

QTEST_MAIN(tst_recalculation)
#include "tst_recalculation.moc"
