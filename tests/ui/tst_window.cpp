// Proves the window on a settings file of its own: each input recalculates just its own result
// under the empty-field, default-row and error rules; copying by button and window-wide shortcut;
// pastes; start-up from and shut-down to the file, an off-screen position rescued; and at scales 1
// and 2, a layout where all fits, nothing overlaps, Tab visits the stops in order, all is named.
#include "ui/frmMain.h"
#include "ui/look.h"

#include <QTest>
#include <QtWidgets>

// A row of a table: what is typed into which input, and what then shows.
struct Input {
    const char *input, *typed;
    int result;
    const char* expected;
};
Q_DECLARE_METATYPE(Input)

class tst_window : public QObject {
    Q_OBJECT

    QTemporaryDir directory;
    const QString ini = directory.filePath("Varnel.ini");
    std::unique_ptr<ui::frmMain> window;

    template <class T = QWidget> T* find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    // The text part of a field or of a size list.
    QLineEdit* edit(const QString& name) const {
        auto* combo = find<QComboBox>(name);
        return combo ? combo->lineEdit() : find<QLineEdit>(name);
    }
    QStringList texts(QStringList names) const { // of labels and fields
        for (QString& name : names)
            name = find<QLabel>(name) ? find<QLabel>(name)->text() : edit(name)->text();
        return names;
    }
    QStringList results() const { return texts({"lblX", "lblZ", "lblFCX", "lblFCZ"}); }
    // The seven controls of a wall axis that its default row disables.
    QList<bool> axisEnabled(const QString& axis) const {
        QList<bool> enabled{find<QAction>("mnuCopy" + axis)->isEnabled()};
        for (const char* prefix : {"cmdCopy", "cmbText", "cmbWall", "lblText", "lblWall", "lbl"})
            enabled << find(prefix + axis)->isEnabled();
        return enabled;
    }
    // Replaces a field's text with real keys: select all, then type (or Backspace).
    void type(const QString& name, const QString& text) {
        edit(name)->setFocus();
        edit(name)->selectAll();
        QTest::keyClicks(edit(name), text.isEmpty() ? QStringLiteral("\b") : text);
    }
    void press(QKeyCombination keys) { // through the window, as the windowing system delivers keys
        QTest::keyClick(window->windowHandle(), keys.key(), keys.keyboardModifiers());
    }
    void click(QWidget* w) { // through the window, so modality applies
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          w->mapTo(window.get(), w->rect().center()));
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    void row(const char* list, int row) { find<QListWidget>(list)->setCurrentRow(row); }
    void open(const QByteArray& text =
                  {}) { // a new window on the settings file, holding text unless null
        QFile::remove(ini);
        if (QFile file(ini); !text.isNull() && file.open(QIODevice::WriteOnly))
            file.write(text);
        window = std::make_unique<ui::frmMain>(ini.toStdString());
    }
    // Where a control draws: a plain label only where its text goes.
    static QRect drawn(QWidget* w, bool inside = false) {
        auto* label = qobject_cast<QLabel*>(w);
        const QRect box = inside ? w->contentsRect() : w->geometry();
        if (!label || (label->frameShape() != QFrame::NoFrame && !inside))
            return box;
        return QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                   label->fontMetrics().size(0, label->text()), box);
    }

    // The note, when one shows, covers nothing drawn (the end-to-end test clicks through it).
    void noteCoversNothing(bool shown) {
        auto* note = find<QLabel>("note");
        QCOMPARE(note && note->isVisible(), shown);
        const QRect n = note ? note->geometry() : QRect();
        const auto all =
            window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QVERIFY(!shown ||
                std::ranges::any_of(
                    all, [n](QWidget* w) { // just below or above a control, flush with a side
                        const QRect g = w->geometry();
                        return (n.left() == g.left() || n.right() == g.right()) &&
                               (n.top() == g.bottom() + 1 || n.bottom() + 1 == g.top());
                    }));
        for (QWidget* w : all)
            QVERIFY2(!shown || w == note || !drawn(w).intersects(n), qPrintable(w->objectName()));
    }

  private slots:
    void initTestCase() { // files of every kind a drop may bring
        const auto save = [this](const char* name, const QByteArray& bytes) {
            QFile file(directory.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        QBuffer png;
        QVERIFY(QImage(64, 128, QImage::Format_RGB32).save(&png, "PNG"));
        save("texture.png", png.data());
        save("corrupt.png",
             QByteArray(png.data())
                 .replace(20, 1, "\x55"));             // its header no longer matches its checksum
        const auto tga = [](char width, char height) { // uncompressed, 24 bits a pixel, version 2
            QByteArray header("\0\0\2\0\0\0\0\0\0\0\0\0\0\0\0\0\x18\0", 18);
            header[12] = width;
            header[14] = height;
            return header + QByteArray(width * height * 3 + 8, '\0') +
                   QByteArray("TRUEVISION-XFILE.", 18);
        };
        save("texture.tga", tga(32, 16));
        save("empty.tga", tga(0, 0));
        save("old.tga",
             tga(32, 16).chopped(26)); // version 1, which Qt cannot read: no icon file either
        save("notes.txt", "not an image");
        QVERIFY(QImage(32, 32, QImage::Format_RGB32)
                    .save(directory.filePath("texture.icns"))); // keeps no size in a header
        QVERIFY(QDir(directory.path()).mkdir("folder"));
    }

    void init() {
        open();
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void layoutFitsAndNothingOverlaps() {
        QCOMPARE(window->centralWidget()->size(), QSize(471, 444));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const auto controls =
            window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* w = controls[i];
            QVERIFY2(w->contentsRect().contains(drawn(w, true)), qPrintable(w->objectName()));
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!drawn(w).intersects(drawn(controls[j])),
                         qPrintable(w->objectName() + " / " + controls[j]->objectName()));
            if (auto* button = qobject_cast<QPushButton*>(w))
                QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) + 8 <=
                        button->width());
            if (auto* field = qobject_cast<QLineEdit*>(w)) // frame and margin take 2 + 2 a side
                QVERIFY(field->fontMetrics().horizontalAdvance("-0000.00") <=
                        field->contentsRect().width() - 8);
        }
        for (QListWidget* list : window->findChildren<QListWidget*>()) {
            QVERIFY(!list->verticalScrollBar()->isVisible());
            QVERIFY(list->visualItemRect(list->item(4)).bottom() < list->viewport()->height());
            for (int row = 0; row < list->count(); ++row) {
                const QRect rect = list->visualItemRect(list->item(row));
                QVERIFY(rect.height() >= list->fontMetrics().height());
                QVERIFY(list->fontMetrics().horizontalAdvance(list->item(row)->text()) <
                        rect.width() - 4);
                QVERIFY(list->item(row)->toolTip().contains("offset = ")); // explains its formula
            }
        }
    }

    void everythingIsReachableAndNamed() {
        const QStringList stops{"lstPosX",  "lstPosZ",  "cmbTextX",   "cmbTextZ",   "cmbWallX",
                                "cmbWallZ", "cmdCopyX", "cmdCopyZ",   "txtFCTextX", "txtFCTextZ",
                                "txtFCX",   "txtFCZ",   "cmdFCCopyX", "cmdFCCopyZ"};
        for (const QString& name : stops + QStringList{"lblX", "lblZ", "lblFCX", "lblFCZ"}) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(find(name));
            QVERIFY2(!a->text(QAccessible::Name).isEmpty() &&
                         !a->text(QAccessible::Description).isEmpty() &&
                         name.startsWith("lst") == find(name)->toolTip().isEmpty(),
                     qPrintable(name));
        }
        QCOMPARE(QApplication::focusWidget(), find(stops[0]));
        const auto edge = [this] { return find("lstPosX")->grab().toImage().pixelColor(0, 20); };
        const QColor focused = edge();
        find("lstPosZ")->setFocus();
        QVERIFY(edge() != focused); // a focused list shows it
        row("lstPosX", 2);          // enables the wall sizes
        row("lstPosZ", 2);
        find("lstPosX")->setFocus();
        for (const QString& stop : stops.mid(1)) {
            press(QKeyCombination(Qt::Key_Tab));
            QCOMPARE(QApplication::focusWidget(), find(stop));
        }
        for (const Qt::Key key :
             {Qt::Key_Escape, Qt::Key_Return}) { // About is modal; either key closes it
            QTimer::singleShot(0,
                               [key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
            find<QAction>("About")->trigger(); // returns when About has closed
        }
    }

    void recalculates_data() {
        QTest::addColumn<Input>("row");
        const Input rows[] = {{"cmbTextX", "128", 0, "56"},
                              {"cmbWallX", "48", 0, "8"},
                              {"cmbTextZ", "5", 1, "-1.5"},
                              {"cmbWallZ", "2", 1, "15"},
                              {"cmbWallX", "3*64", 0, "-64"},
                              {"txtFCTextX", "10", 2, "-6"},
                              {"txtFCX", "15.5", 2, "6"},
                              {"txtFCTextZ", "2", 3, "3"},
                              {"txtFCZ", "-7.6", 3, "0.4000001"},
                              {"txtFCTextZ", "abc", 3, "Error"},
                              {"txtFCZ", "40000", 3, "Error"},
                              {"cmbTextX", "12a", 0, "Error"},
                              // An emptied field becomes "0" and counts as 0.
                              {"txtFCX", "", 2, "-1.5"},
                              {"txtFCTextX", "", 2, "4"},
                              {"cmbWallX", "", 0, "32"},
                              {"cmbTextZ", "", 1, "-4"},
                              {"lstPosX", "0", 0, "32"},
                              {"lstPosX", "1", 0, "0"},
                              {"lstPosZ", "3", 1, "24"},
                              {"lstPosZ", "4", 1, "-24"}};
        for (const Input& r : rows)
            QTest::addRow("%s %s", r.input, r.typed) << r;
    }
    void recalculates() {
        QFETCH(Input, row);
        aligned();
        QStringList wanted = results();
        wanted[row.result] = row.expected;
        if (auto* list = find<QListWidget>(row.input)) { // a user's click on the row
            const QRect item = list->visualItemRect(list->item(QString(row.typed).toInt()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            type(row.input, row.typed);
            QCOMPARE(edit(row.input)->text(), *row.typed ? row.typed : "0");
            QCOMPARE(edit(row.input)->selectedText(),
                     *row.typed ? "" : "0"); // the next key replaces it
        }
        QCOMPARE(results(), wanted); // its own result, and nothing else
        for (const char* axis : {"X", "Z"})
            QCOMPARE(
                axisEnabled(axis),
                QList<bool>(7, find<QListWidget>(QString("lstPos") + axis)->currentRow() != 1));
    }

    void enteringAFieldSelectsItsText() {
        aligned();
        for (const char* name :
             {"txtFCZ", "txtFCTextX", "txtFCTextZ", "txtFCX"}) { // however the focus comes
            find(name)->setFocus(Qt::ActiveWindowFocusReason);
            QCOMPARE(edit(name)->selectedText(), edit(name)->text());
        }
        press(QKeyCombination(Qt::Key_7)); // replaces, not appends
        QCOMPARE(texts({"txtFCX", "lblFCX"}), QStringList({"7", "5.5"}));
        auto* other = find<QLineEdit>("txtFCZ"); // by mouse too: the click does not undo it
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, other->height() / 2));
        QCOMPARE(other->selectedText(), QStringLiteral("-3"));
        auto* dragged =
            find<QLineEdit>("txtFCTextX"); // but a selection dragged out on entering stays
        QTest::mousePress(dragged, Qt::LeftButton, {}, QPoint(5, 5));
        dragged->setSelection(0, 1); // as the drag would
        QTest::mouseRelease(dragged, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(dragged->selectedText(), QStringLiteral("1"));
        type("txtFCZ", "123456789");
        QCOMPARE(other->text(), QStringLiteral("12345678"));
    }

    void pastes_data() {
        QTest::addColumn<Input>(
            "paste"); // into a field, the clipboard, -, what the field then holds
        const Input rows[] = {{"txtFCX", "-1024.125", 0, "20"},
                              {"txtFCZ", "-1024.12", 0, "-1024.12"},
                              {"txtFCX", "64\n", 0, "64"},
                              {"cmbWallZ", "\r\n16\r\n\r\n", 0, "16"},
                              {"txtFCTextZ", "1\n\n2", 0, "1 2"}}; // line breaks: blanks
        for (const Input& r : rows)
            QTest::addRow("%s", r.expected) << r;
    }
    void pastes() {
        QFETCH(Input, paste);
        aligned();
        QGuiApplication::clipboard()->setText(paste.typed);
        edit(paste.input)->setFocus();
        edit(paste.input)->selectAll();
        press(QKeySequence(QKeySequence::Paste)[0]);
        QCOMPARE(edit(paste.input)->text(), paste.expected);
        const bool refused = QString(paste.typed).size() > 8; // refused whole, and says why
        noteCoversNothing(refused);
        QVERIFY(!refused || find<QLabel>("note")->text() == "At most 8 characters");
    }

    void copies_data() {
        QTest::addColumn<Input>(
            "copy"); // a command or keys, the focus for keys, default rows?, the clipboard
        const struct {
            const char *button, *keys, *expected;
        } commands[] = {{"cmdCopyX", "Ctrl+X", "24"},
                        {"cmdCopyZ", "Ctrl+Z", "12"},
                        {"cmdFCCopyX", "Ctrl+W", "2.5"},
                        {"cmdFCCopyZ", "Ctrl+Y", "Error"}};
        for (const auto& c : commands) {
            QTest::newRow(c.button) << Input{c.button, "", 0, c.expected};
            for (const char* focus : {"cmbWallZ", "txtFCTextX", "lstPosZ"})
                QTest::addRow("%s in %s", c.keys, focus) << Input{c.keys, focus, 0, c.expected};
        }
        // Return and Enter press a focused button; with the wall copies off on the default rows,
        // the keys are a field's cut and undo again.
        for (const Input& key :
             {Input{"Return", "cmdCopyX", 0, "24"}, Input{"Enter", "cmdFCCopyZ", 0, "Error"},
              Input{"Ctrl+X", "txtFCTextX", 1, "1.5"},
              Input{"Ctrl+Z", "txtFCTextX", 1, "untouched"}})
            QTest::addRow("%s on %s, rows %d", key.input, key.typed, key.result) << key;
    }
    void copies() {
        QFETCH(Input, copy);
        aligned();
        edit("txtFCZ")->setText("abc");
        QGuiApplication::clipboard()->setText("untouched");
        for (const char* list : {"lstPosX", "lstPosZ"})
            row(list, copy.result != 0 ? 1 : 2);
        if (!find<QPushButton>(copy.input)) { // keys
            find(copy.typed)->setFocus();
            QLineEdit* field = edit(copy.typed);
            const QString before = field ? field->text() : QString();
            if (field)
                field->selectAll();
            press(QKeySequence(copy.input)[0]);
            if (field) // a cut takes the text, and the empty field becomes "0"
                QCOMPARE(field->text(), clipboard() == before ? "0" : before);
        } else {
            click(find<QPushButton>(copy.input));
        }
        QCOMPARE(clipboard(), copy.expected);
        noteCoversNothing(copy.result == 0);
    }

    void dropsTextureFiles_data() {
        QTest::addColumn<Input>("drop"); // a file, -, -, the sizes and wall results then
        const Input rows[] = {
            {"texture.png", "", 0, "64 128 24 60"},
            {"texture.tga", "", 0, "32 16 8 4"},
            {"texture.icns", "", 0, "32 32 8 12"},
            {"corrupt.png", "", 0, ""},
            {"notes.txt", "", 0, ""},
            {"folder", "", 0, ""},
            {"empty.tga", "", 0, ""},
            {"old.tga", "", 0, ""},
            {"https://example.com/brick.png", "", 0, ""},
            {"texture.tga", "Ctrl+O", 0, "32 16 8 4"}}; // the menu command, through its file dialog
        for (const Input& r : rows)
            QTest::addRow("%s %s", r.input, r.typed) << r;
    }
    void dropsTextureFiles() { // anything but a readable image changes nothing and says why
        QFETCH(Input, drop);
        aligned();
        const QUrl url = QUrl::fromUserInput(drop.input, directory.path());
        QTimer poll; // the file dialog shows once the menu command runs
        connect(&poll, &QTimer::timeout, [&] {
            if (auto* dialog = window->findChild<QFileDialog*>(); dialog && dialog->isVisible()) {
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(url.toLocalFile());
                static_cast<QDialog*>(dialog)->done(QDialog::Accepted); // as if typed and opened
            }
        });
        poll.start(20);
        QMimeData data; // of several files dropped, the first counts
        data.setUrls({url, QUrl::fromLocalFile(directory.filePath("texture.png"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        if (*drop.typed)
            press(QKeySequence(drop.typed)[0]); // returns when the dialog has closed
        else if (QApplication::sendEvent(window.get(), &enter))
            QApplication::sendEvent(window.get(), &event);
        QCOMPARE(texts({"cmbTextX", "cmbTextZ", "lblX", "lblZ"}).join(' '),
                 *drop.expected ? drop.expected : "64 32 24 12");
        noteCoversNothing(!*drop.expected);
        QVERIFY(*drop.expected || find<QLabel>("note")->text().endsWith(url.fileName()));
    }
    // Quit by the close box (the end-to-end test quits by Ctrl+Q): all settings are saved.
    void quitSavesAndTheNextStartRestores() {
        aligned();
        type("cmbTextX", "256-48"); // saved as its value, not as arithmetic
        type("cmbWallX", "12.5");
        row("lstPosX", 1); // saved even so
        window->move(-300,
                     60); // placed partly off the screens by the user: left there while it runs
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(window.get());
        QCOMPARE(window->pos(), QPoint(-300, 60));
        window->move(100, 60);
        QWidget* focus = QApplication::focusWidget();
        press(QKeyCombination(Qt::CTRL, Qt::Key_T)); // keep on top: the place, texts and focus stay
        QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QVERIFY(window->pos() == QPoint(100, 60) && QApplication::focusWidget() == focus);
        QVERIFY(window->windowHandle()->close());
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("[lastsize]\r\ntextx=208\r\ntextz=32\r\nwallx=12.5\r\nwallz=8\r\n"
                            "[position]\r\ntop=900\r\nleft=1500\r\n[options]\r\nontop=1\r\n"));
        window = std::make_unique<ui::frmMain>(ini.toStdString());
        QCOMPARE(window->pos(), QPoint(100, 60));
        QCOMPARE(texts({"cmbTextX", "cmbWallX"}), QStringList({"208", "12"}));
        QVERIFY(find<QAction>("mnuOnTop")->isChecked() &&
                (window->windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // Kept when wholly on one screen, negative or not; else the least move onto the nearest screen;
    // a window larger than any goes to a top left corner.
    void keepsTheWindowOnAScreen() {
        const QList<QRect> screens{{-1280, 0, 1280, 1024}, {0, 0, 1920, 1080}};
        const struct {
            QRect frame;
            QPoint place;
        } cases[] = {
            {{-800, 10, 471, 465}, {-800, 10}},     {{-200, 10, 471, 465}, {0, 10}},
            {{1800, 1000, 471, 465}, {1449, 615}},  {{-20000, -9000, 471, 465}, {-1280, 0}},
            {{-1280, 900, 471, 465}, {-1280, 559}}, {{9, 9, 3000, 2000}, {0, 0}}};
        for (const auto& c : cases)
            QCOMPARE(ui::OnScreen(c.frame, screens), c.place);
    }

    void startsFromTheFile() { // no file: the defaults at 510 and 345 twips; a file in any case; a
                               // sliver on screen
        const QStringList defaults{"8", "8", "16", "16"};
        const struct {
            QByteArray text;
            QPoint position;
            QStringList sizes;
        } cases[] = {{{}, {34, 23}, defaults},
                     {"[Position]\r\ntop=1500\r\nleft=3000\r\n[LASTSIZE]\r\nTextX="
                      "2147483647\r\nTEXTZ=32\r\nwallx=128\r\nWallZ=4\r\n",
                      {200, 100},
                      {"2147483647", "32", "128", "4"}},
                     {"[position]\ntop=300\nleft=28000\n", {1449, 20}, defaults}};
        for (const auto& [text, position, sizes] : cases) {
            open(text);
            QCOMPARE(QFile::exists(ini), !text.isNull()); // reading creates nothing
            QCOMPARE(window->pos(), position);
            QCOMPARE(texts({"cmbTextX", "cmbTextZ", "cmbWallX", "cmbWallZ"}), sizes);
            QCOMPARE(edit("cmbTextX")->cursorPosition(), 0); // a long number shows its start
            QCOMPARE(results(), QStringList({"0", "0", "0", "0"}));
            QCOMPARE(axisEnabled("X") + axisEnabled("Z"), QList<bool>(14, false));
            QCOMPARE(window->focusWidget(), find("lstPosX"));
        }
    }

  private:
    // Both wall axes on Center, with sizes and floor/ceiling inputs that give four different
    // results.
    void aligned() {
        row("lstPosX", 2);
        row("lstPosZ", 2);
        const char* start[][2] = {{"cmbTextX", "64"},  {"cmbWallX", "16"},    {"cmbTextZ", "32"},
                                  {"cmbWallZ", "8"},   {"txtFCTextX", "1.5"}, {"txtFCX", "20"},
                                  {"txtFCTextZ", "0"}, {"txtFCZ", "-3"}};
        for (auto [name, value] : start)
            edit(name)->setText(value);
        QCOMPARE(results(), QStringList({"24", "12", "2.5", "5"}));
    }
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
