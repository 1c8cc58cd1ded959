// What the window tells people besides its numbers: accessible names and
// descriptions, tooltips and the copy confirmation.
#include "harness.h"

#include <QAccessible>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolTip>


class tst_help : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Harness> h;

  private slots:
    void init() {
        h = std::make_unique<Harness>();
        QVERIFY(h->activate());
    }
    void cleanup() { h.reset(); }

    // Everything a keyboard can reach, and every result, says what it is and
    // how to use it.
    void everyControlHasANameAndADescription() {
        QList<QWidget*> described;
        for (QWidget* w : h->window->findChildren<QWidget*>()) {
            const bool focusable = w->focusPolicy() != Qt::NoFocus && w->focusProxy() == nullptr &&
                                   !qobject_cast<QMenu*>(w) && w->isVisibleTo(h->window.get());
            if (focusable || w->objectName().startsWith(QLatin1String("lbl")) &&
                                 w->objectName().size() <= 6)
                described << w;
        }
        QCOMPARE(described.size(), 18); // 14 controls and 4 results
        for (QWidget* w : described) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a, qPrintable(w->objectName()));
            QVERIFY2(!a->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!a->text(QAccessible::Description).isEmpty(), qPrintable(w->objectName()));
        }
        QCOMPARE(h->find<QWidget>("lblX")->accessibleName(), QStringLiteral("Wall X offset"));
        QCOMPARE(h->find<QWidget>("cmbTextX")->accessibleName(),
                 QStringLiteral("Texture size along X"));
        QCOMPARE(h->find<QWidget>("txtFCX")->accessibleName(), QStringLiteral("Map X coordinate"));
        QVERIFY(h->find<QWidget>("lblX")->accessibleDescription().contains("Ctrl+X"));
    }

    // Every command can be reached without a mouse: a shortcut or an access
    // key in a menu that has one itself.
    void everyCommandHasAKey() {
        for (const char* menu : {"mnuCalc", "mnuHelp"}) {
            QMenu* m = h->find<QMenu>(menu);
            QVERIFY(m->title().contains(QLatin1Char('&')));
            for (QAction* action : m->actions())
                QVERIFY2(action->isSeparator() || action->text().contains(QLatin1Char('&')),
                         qPrintable(action->objectName()));
        }
    }

    void tooltips_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("texture X") << "cmbTextX" << "256-48";
        QTest::newRow("wall Z") << "cmbWallZ" << "map units";
        QTest::newRow("map X") << "txtFCX" << "256-48";
        QTest::newRow("position Z") << "txtFCTextZ" << "map units";
        QTest::newRow("result X") << "lblX" << "Ctrl+X";
        QTest::newRow("result Z") << "lblZ" << "Ctrl+Z";
        QTest::newRow("result F/C X") << "lblFCX" << "Ctrl+W";
        QTest::newRow("copy F/C Z") << "cmdFCCopyZ" << "Ctrl+Y";
        QTest::newRow("copy X") << "cmdCopyX" << "Ctrl+X";
    }

    void tooltips() {
        QFETCH(QString, control);
        QFETCH(QString, mentions);
        QVERIFY(h->find<QWidget>(qPrintable(control))->toolTip().contains(mentions));
    }

    void alignmentRowsExplainTheirFormula() {
        auto* x = h->find<QListWidget>("lstPosX");
        QCOMPARE(x->item(2)->toolTip(),
                 QString::fromUtf8("Centre: offset = texture size / 2 \u2212 wall size / 2"));
        QVERIFY(x->item(4)->toolTip().contains(QString::fromUtf8("wall size \u2212 texture size")));
        auto* z = h->find<QListWidget>("lstPosZ");
        QVERIFY(z->item(0)->toolTip().contains(QLatin1String("bottom")));
        for (QListWidget* list : {x, z})
            for (int row = 0; row < list->count(); ++row)
                QVERIFY(list->item(row)->toolTip().contains(QLatin1String("offset = ")));
    }

    void copyIsConfirmedWithoutTakingTheFocus() {
        h->find<QLineEdit>("txtFCX")->setText("20"); // lblFCX: 4
        QWidget* focus = h->find<QWidget>("txtFCX");
        focus->setFocus();
        QTest::keyClick(h->window->windowHandle(), Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Copied 4"));
        QCOMPARE(QApplication::focusWidget(), focus);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 5000); // goes away by itself
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
