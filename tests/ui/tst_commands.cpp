// Copy, Quit, the close box and About, by button, menu and shortcut.
#include "harness.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

class tst_commands : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Harness> h;

    QString clipboard() const { return QGuiApplication::clipboard()->text(); }
    void press(QKeyCombination keys) {
        // Through the window, as the windowing system delivers keys, so the
        // window's shortcuts get their chance.
        QTest::keyClick(h->window->windowHandle(), keys.key(), keys.keyboardModifiers());
    }
    // A click delivered through the window, so modality applies as it would
    // to a user's click.
    void click(QWidget* w) {
        QTest::mouseClick(h->window->windowHandle(), Qt::LeftButton, {},
                          w->mapTo(h->window.get(), w->rect().center()));
    }

  private slots:
    void init() {
        h = std::make_unique<Harness>();
        QVERIFY(h->activate());
        h->find<QListWidget>("lstPosX")->setCurrentRow(2);
        h->find<QListWidget>("lstPosZ")->setCurrentRow(3);
        h->find<QComboBox>("cmbTextX")->setEditText("64");  // X: 32 - 8 = 24
        h->find<QComboBox>("cmbTextZ")->setEditText("48");  // Z: 48 - 16 = 32
        h->find<QLineEdit>("txtFCX")->setText("20");        // F/C X: 4
        h->find<QLineEdit>("txtFCZ")->setText("abc");       // F/C Z: Error
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    }
    void cleanup() { h.reset(); }

    void copyPutsTheCaptionOnTheClipboard_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        QTest::newRow("button X") << "cmdCopyX" << "24";
        QTest::newRow("button Z") << "cmdCopyZ" << "32";
        QTest::newRow("button F/C X") << "cmdFCCopyX" << "4";
        QTest::newRow("button F/C Z") << "cmdFCCopyZ" << "Error";
        QTest::newRow("menu X") << "mnuCopyX" << "24";
        QTest::newRow("menu Z") << "mnuCopyZ" << "32";
        QTest::newRow("menu F/C X") << "mnuFCCopyX" << "4";
        QTest::newRow("menu F/C Z") << "mnuFCCopyZ" << "Error";
    }

    void copyPutsTheCaptionOnTheClipboard() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        if (auto* button = h->find<QPushButton>(qPrintable(command)))
            click(button);
        else
            h->find<QAction>(qPrintable(command))->trigger();
        QCOMPARE(clipboard(), expected);
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasText());
    }

    // The window's shortcuts win over a text field's own Ctrl+X and Ctrl+Z,
    // wherever the focus is, and leave the field's text alone.
    void shortcutsWorkFromEveryField_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("expected");
        for (const char* focus : {"cmbTextX", "cmbWallZ", "txtFCTextX", "txtFCZ", "lstPosZ",
                                  "cmdFCCopyX"}) {
            const QByteArray f(focus);
            QTest::newRow(f + " ctrl+x") << focus << QKeyCombination(Qt::CTRL, Qt::Key_X) << "24";
            QTest::newRow(f + " ctrl+z") << focus << QKeyCombination(Qt::CTRL, Qt::Key_Z) << "32";
            QTest::newRow(f + " ctrl+w") << focus << QKeyCombination(Qt::CTRL, Qt::Key_W) << "4";
            QTest::newRow(f + " ctrl+y") << focus << QKeyCombination(Qt::CTRL, Qt::Key_Y) << "Error";
        }
    }

    void shortcutsWorkFromEveryField() {
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, expected);
        QWidget* target = h->find<QWidget>(qPrintable(focus));
        target->setFocus();
        QLineEdit* edit = qobject_cast<QLineEdit*>(target);
        if (auto* combo = qobject_cast<QComboBox*>(target))
            edit = combo->lineEdit();
        const QString before = edit ? edit->text() : QString();
        if (edit)
            edit->selectAll(); // a cut would take all of it
        press(keys);
        QCOMPARE(clipboard(), expected);
        if (edit)
            QCOMPARE(edit->text(), before);
    }

    // While a wall axis is on its default row its copy command is disabled,
    // and the keys go back to being the field's own cut and undo.
    void disabledCopyLeavesCutAndUndoToTheField() {
        h->find<QListWidget>("lstPosX")->setCurrentRow(1);
        h->find<QListWidget>("lstPosZ")->setCurrentRow(1);
        QVERIFY(!h->find<QAction>("mnuCopyX")->isEnabled());
        QLineEdit* field = h->find<QLineEdit>("txtFCTextX");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "12");
        field->selectAll();
        press(QKeyCombination(Qt::CTRL, Qt::Key_X));
        QCOMPARE(clipboard(), QStringLiteral("12")); // cut, not a copy of lblX's "0"
        QCOMPARE(field->text(), QStringLiteral("0")); // emptied, then the zero rule

        field->selectAll();
        QTest::keyClicks(field, "34");
        press(QKeyCombination(Qt::CTRL, Qt::Key_Z));
        QCOMPARE(field->text(), QStringLiteral("0")); // the typing was undone
        QCOMPARE(clipboard(), QStringLiteral("12"));  // and lblZ was not copied
    }

    void quitAndCloseBoxSaveAllSixSettings_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("menu") << "menu";
        QTest::newRow("shortcut") << "shortcut";
        QTest::newRow("close box") << "close";
    }

    void quitAndCloseBoxSaveAllSixSettings() {
        QFETCH(QString, how);
        h->find<QComboBox>("cmbWallX")->setEditText("12.5");
        h->find<QListWidget>("lstPosX")->setCurrentRow(1); // sizes are saved even so
        h->window->move(100, 60);
        if (how == QLatin1String("menu"))
            h->find<QAction>("mnuQuit")->trigger();
        else if (how == QLatin1String("shortcut"))
            press(QKeyCombination(Qt::CTRL, Qt::Key_Q));
        else // the title bar's close box, as the windowing system asks
            QVERIFY(h->window->windowHandle()->close());
        QVERIFY(!h->window->isVisible());
        const QByteArray ini = h->ini();
        QCOMPARE(ini, QByteArray("[lastsize]\r\ntextx=64\r\ntextz=48\r\nwallx=12.5\r\nwallz=16\r\n"
                                 "[position]\r\ntop=900\r\nleft=1500\r\n"));
    }

    void accessKeysOpenTheMenus() {
        press(QKeyCombination(Qt::ALT, Qt::Key_C));
        QTRY_VERIFY(h->find<QMenu>("mnuCalc")->isVisible());
        QTest::keyClick(h->find<QMenu>("mnuCalc"), Qt::Key_Q); // "&Quit"
        QTRY_VERIFY(!h->window->isVisible());
        QVERIFY(h->ini().contains("textx=64"));
    }

    void aboutIsModalAndReusable() {
        Watchdog watchdog(20000);
        QDialog* first = nullptr;
        for (int round = 0; round < 2; ++round) {
            QString version;
            QDialog* seen = nullptr;
            QTimer::singleShot(50, [&] {
                auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!about)
                    return; // the watchdog reports it
                seen = about;
                version = about->findChild<QLabel*>("lblVersion")->text();
                // The main window takes no keys or clicks meanwhile.
                press(QKeyCombination(Qt::CTRL, Qt::Key_Q));
                press(QKeyCombination(Qt::CTRL, Qt::Key_X));
                click(h->find<QPushButton>("cmdFCCopyX"));
                // Esc the first time, Enter the second: both close it.
                QTest::keyClick(about, round == 0 ? Qt::Key_Escape : Qt::Key_Return);
            });
            h->find<QAction>("About")->trigger(); // returns when the window has closed
            QVERIFY(seen);
            QCOMPARE(seen->objectName(), QStringLiteral("frmAbout"));
            QCOMPARE(seen->windowTitle(), QStringLiteral("About Varnel.exe"));
            QCOMPARE(version, QStringLiteral("Version 1.0.4"));
            QVERIFY(seen->isModal());
            QVERIFY(!seen->isVisible());
            QCOMPARE(seen->geometry(), QRect(156, 129, 382, 205));
            if (round == 0)
                first = seen;
            QCOMPARE(seen, first); // created once, then reused
            QVERIFY(h->window->isVisible());
            QCOMPARE(clipboard(), QStringLiteral("untouched"));
        }
    }

    void aboutWindowContents() {
        Watchdog watchdog(20000);
        QStringList texts;
        QWidget* focus = nullptr;
        bool iconShown = false;
        QTimer::singleShot(50, [&] {
            auto* about = QApplication::activeModalWidget();
            if (!about)
                return;
            for (const char* name : {"lblTitle", "lblDescription", "Label1"})
                texts << about->findChild<QLabel*>(name)->text();
            focus = QApplication::focusWidget();
            iconShown = !about->findChild<QLabel*>("picIcon")->pixmap().isNull();
            about->findChild<QPushButton*>("cmdOK")->click();
        });
        h->find<QAction>("About")->trigger();
        QCOMPARE(texts.value(0), QStringLiteral("Varnel"));
        QCOMPARE(texts.value(1), QStringLiteral("Written by the Varnel developers"));
        QVERIFY(texts.value(2).contains(QStringLiteral("MIT License")));
        QVERIFY(texts.value(2).contains(QStringLiteral("warranty")));
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), QStringLiteral("cmdOK"));
        QVERIFY(iconShown);
    }
};

QTEST_MAIN(tst_commands)
#include "tst_commands.moc"
