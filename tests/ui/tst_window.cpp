// Proves the Qt window on a settings file of its own: each input recalculates just its own result
// under the empty-field, default-row and error rules; typing and pasting into the fields; copying
// by button, Return and window-wide shortcut; texture sizes from dropped or opened files; start-up
// from and shut-down to the file; and at scales 1 and 2, a layout where all fits, nothing
// overlaps, Tab visits the stops in order and every control is named.
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/look.h"

#include <QTest>
#include <QtWidgets>

// Typing into an input (or, for a list, clicking a row) and what its result then shows.
struct Edit {
    const char *input, *typed, *result, *shows;
};
// Pasting into a field: what it holds afterwards, and the note shown ("" for none).
struct Paste {
    const char *field, *clipboard, *holds, *note;
};
// A copy by a button, or by keys pressed with the focus in a control: what the clipboard, the
// focused text and the note then hold. On the default rows the wall copies are off.
struct Copy {
    const char *button, *keys, *focus;
    bool defaultRows;
    const char *clipboard, *focusHolds, *note;
};
// A file dropped on a size field, or opened by Ctrl+O; the sizes and wall results then, or
// nothing for a file that is refused with a note.
struct TextureFile {
    const char* file;
    bool opened;
    const char* shows;
};
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Paste)
Q_DECLARE_METATYPE(Copy)
Q_DECLARE_METATYPE(TextureFile)

class tst_window : public QObject {
    Q_OBJECT

    QTemporaryDir directory;
    const QString ini = directory.filePath("Varnel.ini");
    std::unique_ptr<ui::frmMain> window;

    template <class T = QWidget> T* find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QLineEdit* edit(const QString& name) const { // the text part of a field or a size list
        auto* combo = find<QComboBox>(name);
        return combo ? combo->lineEdit() : find<QLineEdit>(name);
    }
    QStringList texts(QStringList names) const { // of labels and fields
        for (QString& name : names)
            name = find<QLabel>(name) ? find<QLabel>(name)->text() : edit(name)->text();
        return names;
    }
    QStringList results() const { return texts({"lblX", "lblZ", "lblFCX", "lblFCZ"}); }
    QString note() const {
        auto* label = find<QLabel>("note");
        return label && label->isVisible() ? label->text() : QString();
    }
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
    void press(const QString& keys) { // through the window, as the windowing system delivers keys
        const QKeyCombination key = QKeySequence(keys)[0];
        QTest::keyClick(window->windowHandle(), key.key(), key.keyboardModifiers());
    }
    void click(QWidget* w) { // through the window, so modality applies
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          w->mapTo(window.get(), w->rect().center()));
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    void row(const char* list, int row) { find<QListWidget>(list)->setCurrentRow(row); }
    void open(const QByteArray& text = {}) { // a new window on the settings file, holding text
        QFile::remove(ini);
        if (QFile file(ini); !text.isNull() && file.open(QIODevice::WriteOnly))
            file.write(text);
        window = std::make_unique<ui::frmMain>(ini.toStdString());
    }
    // Runs open, which shows a modal window, and answers that window once it shows. A modal
    // window still open two seconds on is closed, so one that will not close fails the test
    // instead of waiting out the test's time. True when the answer closed it.
    static bool answered(const std::function<void()>& open, std::function<void(QWidget*)> answer) {
        QTimer poll;
        QElapsedTimer clock;
        bool closed = false;
        connect(&poll, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (modal && answer) {
                std::exchange(answer, nullptr)(modal);
                closed = !modal->isVisible();
            } else if (modal && clock.elapsed() > 2000) {
                modal->reject();
            }
        });
        clock.start();
        poll.start(10);
        open();
        return closed;
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
    // Whether the note shows inside the window, touching the control it speaks of.
    bool touches(const QString& name) const {
        const QRect n = find("note")->geometry(), control = find(name)->geometry();
        return window->centralWidget()->rect().contains(n) && !n.intersects(control) &&
               n.adjusted(-1, -1, 1, 1).intersects(control);
    }
    // Both wall axes on Center, with inputs that give four different results.
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

  private slots:
    void initTestCase() { // files of every kind a drop may bring
        const auto save = [this](const char* name, const QByteArray& bytes) {
            QFile file(directory.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        QBuffer png;
        QVERIFY(QImage(64, 128, QImage::Format_RGB32).save(&png, "PNG"));
        save("texture.png", png.data());
        // Its header no longer matches its checksum.
        save("corrupt.png", QByteArray(png.data()).replace(20, 1, "\x55"));
        save("notes.txt", "not an image");
        // A format that keeps no size in a header.
        QVERIFY(QImage(32, 32, QImage::Format_RGB32).save(directory.filePath("texture.icns")));
        QVERIFY(QDir(directory.path()).mkdir("folder"));
    }

    void init() {
        open();
        window->show();
        QApplication::setActiveWindow(window.get());
        // Wayland activates a window when the user asks: there, only the window's look counts.
        const bool wayland = QGuiApplication::platformName().startsWith("wayland");
        QVERIFY(wayland ? QTest::qWaitForWindowExposed(window.get())
                        : QTest::qWaitForWindowActive(window.get()));
    }

    void layoutFitsAndNothingOverlaps() {
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const auto controls =
            window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QWidget* w = controls[i];
            const QString name = w->objectName();
            QVERIFY2(w->contentsRect().contains(drawn(w, true)), qPrintable(name));
            for (qsizetype j = i + 1; j < controls.size(); ++j)
                QVERIFY2(!drawn(w).intersects(drawn(controls[j])),
                         qPrintable(name + " / " + controls[j]->objectName()));
            if (auto* button = qobject_cast<QPushButton*>(w))
                QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) + 8 <=
                        button->width());
            if (auto* field = qobject_cast<QLineEdit*>(w)) // frame and margin: 2 + 2 a side
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
                QVERIFY(!list->item(row)->toolTip().isEmpty());
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
        // The tooltips wrap to fit.
        QToolTip::showText(window->mapToGlobal(QPoint()), find("cmbTextX")->toolTip(),
                           window.get());
        QVERIFY(QToolTip::isVisible());
        for (QWidget* tip : QApplication::topLevelWidgets())
            QVERIFY(!tip->inherits("QTipLabel") || tip->width() < window->width());
        QCOMPARE(QApplication::focusWidget(), find(stops[0]));
        const auto edge = [this] { return find("lstPosX")->grab().toImage().pixelColor(0, 20); };
        const QColor focused = edge();
        find("lstPosZ")->setFocus();
        QVERIFY(edge() != focused); // a focused list shows it
        row("lstPosX", 2);          // enables the wall sizes
        row("lstPosZ", 2);
        find("lstPosX")->setFocus();
        for (const QString& stop : stops.mid(1)) {
            press("Tab");
            QCOMPARE(QApplication::focusWidget(), find(stop));
        }
        // About is modal and belongs to the window, so it opens above it, on top while the
        // window keeps on top (the second time); Escape and Return both close it.
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            QVERIFY(answered([this] { find<QAction>("About")->trigger(); },
                             [this, key](QWidget* about) {
                                 QCOMPARE(about->parentWidget(), window.get());
                                 QCOMPARE(bool(about->windowFlags() & Qt::WindowStaysOnTopHint),
                                          key == Qt::Key_Return);
                                 QTest::keyClick(about, key);
                             }));
            find<QAction>("mnuOnTop")->trigger();
        }
    }

    // Captions, lines, results and notes contrast at least 4.5 to 1 with what is behind them, on
    // the desktop's own colours, light or dark; disabled captions are weaker, yet as readable.
    void readableInLightAndDarkPalettes() {
        // The measure, against the guidelines' own figures: #767676 on white is 4.54 to 1.
        QCOMPARE(qRound(ui::Contrast(QColor("#767676"), Qt::white) * 100), 454);
        QCOMPARE(ui::Contrast(Qt::white, Qt::black), 21.0);
        QCOMPARE(qRound(ui::Contrast(QColor("#0a0a0a"), Qt::white) * 10), 198); // a dark channel
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto [role, colour] : {std::pair{QPalette::Window, "#353535"},
                                    {QPalette::WindowText, "#f0f0f0"},
                                    {QPalette::Base, "#232323"},
                                    {QPalette::Text, "#ffffff"},
                                    {QPalette::Dark, "#202020"},
                                    {QPalette::Light, "#505050"},
                                    {QPalette::ToolTipBase, "#404040"}})
            dark.setColor(role, QColor(colour));
        dark.setColor(QPalette::Disabled, QPalette::WindowText, "#6a6a6a"); // a theme's faint grey
        for (const QPalette& desktop : {dark, light}) {
            QApplication::setPalette(desktop);
            row("lstPosX", 1);         // X's captions disabled
            click(find("cmdFCCopyX")); // a note shows
            const QPalette p = window->palette();
            QCOMPARE(p.color(QPalette::Window), desktop.color(QPalette::Window));
            const auto readable = [&p](QPalette::ColorGroup group, QPalette::ColorRole text,
                                       QPalette::ColorRole behind) {
                return ui::Contrast(p.color(group, text), p.color(group, behind));
            };
            find<QAction>("mnuRunOfWalls")->trigger(); // and the run window's labels
            for (QLabel* label : window->findChildren<QLabel*>())
                QVERIFY2(readable(label->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                  label->foregroundRole(),
                                  label->autoFillBackground() ? label->backgroundRole()
                                                              : QPalette::Window) >= 4.5,
                         qPrintable(label->objectName()));
            QVERIFY(readable(QPalette::Disabled, QPalette::WindowText, QPalette::Window) <
                    readable(QPalette::Active, QPalette::WindowText, QPalette::Window));
            const QColor softened = p.color(QPalette::Disabled, QPalette::WindowText);
            QVERIFY(softened.red() == softened.blue()); // grey between grey text and ground
            ui::frmAbout about;                         // its engraved rule too: the shadow line
            for (QWidget* w : window->findChildren<QWidget*>(QRegularExpression("^Line\\d$")) +
                                  QList{about.findChildren<QWidget*>("Line1").constFirst()})
                QVERIFY2(ui::Contrast(w->grab().toImage().pixelColor(0, 0),
                                      p.color(QPalette::Window)) >= 4.5,
                         qPrintable(w->objectName()));
        }
    }

    // Each input recalculates its own result, and no other: the rules of the texts are the
    // core's, so one row per input proves the wiring.
    void recalculates_data() {
        QTest::addColumn<Edit>("edit");
        // The core proves the rules; one row of each kind proves the wiring that all share.
        const Edit edits[] = {{"cmbWallX", "", "lblX", "32"}, // an emptied field counts as 0
                              {"txtFCTextX", "", "lblFCX", "4"},
                              {"txtFCTextZ", "abc", "lblFCZ", "Error"},
                              {"lstPosX", "0", "lblX", "32"}, // a row clicked in a list
                              {"lstPosZ", "4", "lblZ", "-24"}};
        for (const Edit& e : edits)
            QTest::addRow("%s %s", e.input, e.typed) << e;
    }
    void recalculates() {
        QFETCH(Edit, edit);
        aligned();
        QStringList wanted = results();
        wanted[QStringList{"lblX", "lblZ", "lblFCX", "lblFCZ"}.indexOf(edit.result)] = edit.shows;
        if (auto* list = find<QListWidget>(edit.input)) {
            const QRect item = list->visualItemRect(list->item(QString(edit.typed).toInt()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            type(edit.input, edit.typed);
            QCOMPARE(this->edit(edit.input)->text(), *edit.typed ? edit.typed : "0");
            // An emptied field's "0" is selected, so the next key replaces it.
            QCOMPARE(this->edit(edit.input)->selectedText(), *edit.typed ? "" : "0");
        }
        QCOMPARE(results(), wanted); // its own result, and nothing else
    }

    // Tab back into a field selects its text, so what is typed replaces it: from a field
    // typed into, Tab away and Shift+Tab back.
    void tabBackSelectsTheField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shows"); // its result, typed 21 at last
        for (auto [field, shows] : {std::pair{"cmbTextX", "-489.5"},
                                    {"cmbWallX", "21.5"},
                                    {"cmbTextZ", "6.5"},
                                    {"cmbWallZ", "5.5"},
                                    {"txtFCTextX", "-17"},
                                    {"txtFCX", "3.5"},
                                    {"txtFCTextZ", "-16"},
                                    {"txtFCZ", "5"}})
            QTest::addRow("%s", field) << QString(field) << QString(shows);
    }
    void tabBackSelectsTheField() {
        QFETCH(QString, field);
        QFETCH(QString, shows);
        aligned();
        edit("cmbWallX")->setText(field == "cmbTextX" ? "1e3" : "20");
        type(field, "33");
        press("Tab");
        press("Shift+Tab");
        QCOMPARE(QApplication::focusWidget(), find(field));
        press("2");
        press("1");
        QCOMPARE(edit(field)->text(), QStringLiteral("21"));
        const QString result =
            field.startsWith("cmb") ? "lbl" + field.right(1) : "lblFC" + field.right(1);
        QCOMPARE(find<QLabel>(result)->text(), shows);
    }

    // A click places the caret, as in any field, and a selection dragged out stays; a ninth
    // typed character is refused without a note.
    void aClickPlacesTheCaret() {
        aligned();
        auto* field = find<QLineEdit>("txtFCZ");
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, field->height() / 2));
        QVERIFY(field->hasFocus() && !field->hasSelectedText());
        auto* dragged = find<QLineEdit>("txtFCTextX");
        QTest::mousePress(dragged, Qt::LeftButton, {}, QPoint(5, 5));
        dragged->setSelection(0, 1); // as the drag would
        QTest::mouseRelease(dragged, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(dragged->selectedText(), QStringLiteral("1"));
        type("txtFCZ", "123456789");
        QCOMPARE(field->text(), QStringLiteral("12345678"));
        QCOMPARE(note(), QString());
    }

    // The wheel over a size list changes it only while it has the focus; a size that is
    // left shows its start again.
    void theWheelChangesOnlyAFocusedSize() {
        aligned();
        QLineEdit* size = edit("cmbTextX");
        const auto wheel = [size] {
            QWheelEvent down({5, 5}, size->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton,
                             {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(size->parent(), &down); // where it ends, past the text
        };
        find("txtFCX")->setFocus();
        wheel();
        QCOMPARE(size->text(), QStringLiteral("64"));
        type("cmbTextX", "100.25000");
        wheel();
        QCOMPARE_NE(size->text(), QStringLiteral("100.25000"));
        type("cmbTextX", "100.25000");
        press("Tab");
        QCOMPARE(size->cursorPosition(), 0);
    }

    void pastes_data() {
        QTest::addColumn<Paste>("paste");
        static const QByteArray huge(1 << 20, '7'); // a megabyte
        const Paste pastes[] = {{"txtFCX", "-1024.125", "12345678", "At most 8 characters"},
                                {"cmbTextX", huge.constData(), "12345678", "At most 64 characters"},
                                // Nothing to paste changes nothing, not even the selection.
                                {"txtFCX", " \r\n\t ", "12345678", ""},
                                {"cmbWallX", nullptr, "12345678", ""}, // only an image
                                {"txtFCZ", "-1024.12", "-1024.12", ""},
                                {"cmbWallZ", "\r\n16\r\n\r\n", "16", ""}};
        for (const Paste& p : pastes)
            QTest::addRow("%s %.12s", p.field, p.clipboard ? p.clipboard : "an image") << p;
    }
    // Over a whole field's selected text, which a refused paste leaves as it was.
    void pastes() {
        QFETCH(Paste, paste);
        aligned();
        edit(paste.field)->setText("12345678");
        if (paste.clipboard == nullptr) {
            auto* image = new QMimeData;
            image->setImageData(QImage(4, 4, QImage::Format_RGB32));
            QGuiApplication::clipboard()->setMimeData(image);
        } else {
            QGuiApplication::clipboard()->setText(paste.clipboard);
        }
        edit(paste.field)->setFocus();
        edit(paste.field)->selectAll();
        press(QKeySequence(QKeySequence::Paste).toString());
        QCOMPARE(edit(paste.field)->text(), paste.holds);
        QCOMPARE(note(), paste.note);
        if (paste.holds == QLatin1String("12345678")) // refused or empty: still all selected
            QCOMPARE(edit(paste.field)->selectedText(), paste.holds);
        QVERIFY(!*paste.note || touches(paste.field));
    }

    void copies_data() {
        QTest::addColumn<Copy>("copy");
        const Copy commands[] = {{"cmdCopyX", "Ctrl+X", "", false, "24", "", "Copied 24"},
                                 {"cmdCopyZ", "Ctrl+Z", "", false, "12", "", "Copied 12"},
                                 {"cmdFCCopyX", "Ctrl+W", "", false, "2.5", "", "Copied 2.5"},
                                 {"cmdFCCopyZ", "Ctrl+Y", "", false, "Error", "", "Copied Error"}};
        for (const Copy& c : commands) {
            QTest::addRow("%s", c.button) << c;
            // The window's command, not the field's cut, undo or redo.
            for (auto [focus, holds] :
                 {std::pair{"cmbWallZ", "8"}, {"txtFCTextX", "1.5"}, {"lstPosZ", ""}})
                QTest::addRow("%s in %s", c.keys, focus)
                    << Copy{"", c.keys, focus, false, c.clipboard, holds, c.note};
        }
        QTest::addRow("Return on a Copy")
            << Copy{"", "Return", "cmdCopyX", false, "24", "", "Copied 24"};
        QTest::addRow("Enter on a Copy")
            << Copy{"", "Enter", "cmdFCCopyZ", false, "Error", "", "Copied Error"};
        // On the default rows the wall copy keys still edit nothing, and say why.
        const char* nothing = "Nothing to copy: X is on its default row";
        QTest::addRow("default rows: Ctrl+X in a field")
            << Copy{"", "Ctrl+X", "txtFCTextX", true, "untouched", "1.5", nothing};
        QTest::addRow("default rows: Ctrl+X in a list")
            << Copy{"", "Ctrl+X", "lstPosZ", true, "untouched", "", nothing};
        QTest::addRow("default rows: Ctrl+Z in a field")
            << Copy{"",
                    "Ctrl+Z",
                    "txtFCTextX",
                    true,
                    "untouched",
                    "1.5",
                    "Nothing to copy: Z is on its default row"};
    }
    void copies() {
        QFETCH(Copy, copy);
        aligned();
        edit("txtFCZ")->setText("abc");
        edit("txtFCTextX")->insert("5"); // something to undo
        edit("txtFCTextX")->backspace();
        for (const char* list : {"lstPosX", "lstPosZ"})
            row(list, copy.defaultRows ? 1 : 2);
        QGuiApplication::clipboard()->setText("untouched");
        if (*copy.button) {
            click(find(copy.button));
        } else {
            find(copy.focus)->setFocus();
            if (QLineEdit* field = edit(copy.focus))
                field->selectAll();
            press(copy.keys);
            QCOMPARE(edit(copy.focus) ? edit(copy.focus)->text() : "", copy.focusHolds);
        }
        QCOMPARE(clipboard(), copy.clipboard);
        QCOMPARE(note(), copy.note);
        const bool beside =
            std::ranges::any_of(QStringList{"cmdCopyX", "cmdCopyZ", "cmdFCCopyX", "cmdFCCopyZ"},
                                [this](const QString& button) { return touches(button); });
        QVERIFY(beside); // the core says which; here, that the window puts it there
    }

    void takesTextureSizesFromFiles_data() {
        QTest::addColumn<TextureFile>("texture");
        // The header reader's formats are proven apart; here, one of them, and one that only
        // Qt reads, and what is refused on the way to either.
        const TextureFile files[] = {{"texture.png", false, "64 128 24 60"},
                                     {"texture.icns", false, "32 32 8 12"},
                                     {"texture.icns", true, "32 32 8 12"},
                                     {"corrupt.png", false, ""},
                                     {"notes.txt", false, ""},
                                     {"folder", false, ""},
                                     {"https://example.com/brick.png", false, ""}};
        for (const TextureFile& f : files)
            QTest::addRow("%s %s", f.file, f.opened ? "opened" : "dropped") << f;
    }
    // A file dropped over a size field goes to the window, which the field leaves it to; of
    // several files the first counts. Anything but a readable image changes nothing, and says so.
    void takesTextureSizesFromFiles() {
        QFETCH(TextureFile, texture);
        aligned();
        const QUrl url = QUrl::fromUserInput(texture.file, directory.path());
        // A drop is a copy, also where the source proposes a move (Shift held), which would
        // delete the user's file; while the file hovers, a note says what a drop will do.
        const auto drop = [this](const QUrl& file) {
            QMimeData data;
            data.setUrls({file, QUrl::fromLocalFile(directory.filePath("texture.png"))});
            data.setText(file.toString()); // as file managers offer it too
            const QPoint over = edit("cmbTextX")->mapTo(window.get(), QPoint(5, 5));
            const auto actions = Qt::CopyAction | Qt::MoveAction;
            QDragEnterEvent enter(over, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QDropEvent dropped(over, actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(window->windowHandle(), &enter);
            QVERIFY(enter.isAccepted() && enter.dropAction() == Qt::CopyAction &&
                    !note().isEmpty());
            QApplication::sendEvent(window->windowHandle(), &dropped);
            QCOMPARE(dropped.dropAction(), Qt::CopyAction);
        };
        if (texture.opened) { // in the folder of the last texture
            drop(QUrl::fromLocalFile(directory.filePath("texture.png")));
            QVERIFY(answered(
                [this] { press("Ctrl+O"); },
                [this, &url](QWidget* dialog) {
                    QCOMPARE(static_cast<QFileDialog*>(dialog)->directory(),
                             QDir(directory.path()));
                    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(url.toLocalFile());
                    static_cast<QDialog*>(dialog)->accept(); // as if typed and opened
                }));
        } else {
            drop(url);
        }
        const QString sizes = texts({"cmbTextX", "cmbTextZ", "lblX", "lblZ"}).join(' ');
        QCOMPARE(sizes, *texture.shows ? texture.shows : "64 32 24 12");
        QCOMPARE(note(), *texture.shows ? "" : "Not an image Varnel can read: " + url.fileName());
    }

    // The Run of Walls window opens by its key with the focus in its walls, takes a run typed
    // and pasted, copies as its keys say, follows the main menu's wrap, and reopens as it was.
    void runsOfWalls() {
        press("Ctrl+R");
        auto* run = find("frmRun");
        auto* walls = find<QPlainTextEdit>("txtRunWalls");
        QVERIFY(run && run->isVisible() && QApplication::focusWidget() == walls);
        for (const char* wall : {"45", "64"}) { // Return starts the next wall
            QTest::keyClicks(walls, wall);
            QTest::keyClick(walls, Qt::Key_Return);
        }
        QGuiApplication::clipboard()->setText("45\t32\r\n"); // a row of cells
        QTest::keyClick(walls, Qt::Key_V, Qt::ControlModifier);
        auto* offsets = find<QListWidget>("lstRunOffsets");
        QCOMPARE(offsets->count(), 4);
        QCOMPARE(offsets->item(3)->text(), QStringLiteral("4   32   154"));
        const auto key = [run](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
            QTest::keyClick(run->windowHandle(), k, m);
        };
        for (const char* copied : {"0", "45", "109"}) {
            key(Qt::Key_N);
            QCOMPARE(clipboard(), copied);
        }
        QCOMPARE(offsets->currentRow(), 2);
        QCOMPARE(find<QLabel>("note")->text(), QStringLiteral("Copied wall 3 of 4: 109"));
        key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(clipboard(), QStringLiteral("0\n45\n109\n154"));
        find<QAction>("mnuWrap")->trigger();
        QVERIFY(find<QCheckBox>("chkRunWrap")->isChecked());
        QCOMPARE(offsets->item(2)->text(), QStringLiteral("3   45   45"));
        key(Qt::Key_Escape, {});
        QVERIFY(!run->isVisible());
        QApplication::setActiveWindow(window.get()); // as the desktop gives it back
        press("Ctrl+R");
        QVERIFY(run->isVisible());
        QVERIFY(window->close());
        window = std::make_unique<ui::frmMain>(ini.toStdString());
        QTRY_VERIFY(find("frmRun") && find("frmRun")->isVisible());
        QCOMPARE(find<QPlainTextEdit>("txtRunWalls")->toPlainText(), "45\n64\n45\n32");
        QVERIFY(find<QAction>("mnuWrap")->isChecked());
        find<QPlainTextEdit>("txtRunWalls")->setPlainText("45"); // fewer walls, fewer choices
        QCOMPARE(find<QComboBox>("cmbRunOn")->count(), 2);
    }

    // Quit by the close box (the end-to-end test quits by Ctrl+Q) saves everything, and the next
    // start restores it, with both wall axes on their default rows again.
    void quitSavesAndTheNextStartRestores() {
        aligned();
        type("cmbTextX", "256-48"); // saved as its value, not as arithmetic
        type("cmbTextZ", "2147483647");
        type("cmbWallX", "12.5");
        row("lstPosX", 1);      // saved even so
        window->move(-300, 60); // left partly off the screens by the user while it runs: kept
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(window.get());
        QCOMPARE(window->pos(), QPoint(-300, 60));
        window->move(100, 60);
        QWidget* focus = QApplication::focusWidget();
        press("Ctrl+T"); // keep on top: the place, the texts and the focus stay
        QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QVERIFY(window->pos() == QPoint(100, 60) && QApplication::focusWidget() == focus);
        QVERIFY(window->windowHandle()->close());
        window = std::make_unique<ui::frmMain>(ini.toStdString());
        QCOMPARE(window->pos(), QPoint(100, 60));
        QCOMPARE(texts({"cmbTextX", "cmbTextZ", "cmbWallX", "cmbWallZ", "txtFCTextX", "txtFCX"}),
                 QStringList({"208", "2147483647", "12.5", "8", "1.5", "20"}));
        QCOMPARE(edit("cmbTextZ")->cursorPosition(), 0); // a long number shows its start
        QCOMPARE(axisEnabled("X") + axisEnabled("Z"), QList<bool>(7, false) + QList<bool>(7, true));
        QCOMPARE(window->focusWidget(), find("lstPosX"));
        QVERIFY(find<QAction>("mnuOnTop")->isChecked() &&
                (window->windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // Where the windowing system cannot keep a window on top (Wayland), Keep on Top is off and
    // says why, and the choice and the place read at start-up go back to the file unchanged.
    void keepsOnTopWhereThePlatformAllows() {
        const bool wayland = QGuiApplication::platformName().startsWith("wayland");
        open("[position]\ntop=600\nleft=900\n[options]\nontop=1\n");
        window->show();
        QAction* onTop = find<QAction>("mnuOnTop");
        QCOMPARE(onTop->isEnabled(), !wayland);
        QCOMPARE(onTop->toolTip().contains("Wayland"), wayland);
        onTop->trigger();
        window->close();
        QFile file(ini);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        QVERIFY(saved.contains(wayland ? "ontop=1" : "ontop=0"));
        QVERIFY(!wayland || saved.contains("top=600\nleft=900"));
    }

    // A stored position that leaves the window partly off the screens moves onto the nearest.
    void startsWhollyOnAScreen() {
        open("[position]\ntop=300\nleft=28000\n");
        QCOMPARE(window->pos(), QPoint(1449, 20));
    }
};

QTEST_MAIN(tst_window)
#include "tst_window.moc"
