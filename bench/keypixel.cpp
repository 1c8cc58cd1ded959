// Key to pixel in the Run of Walls window, against the main window: the time
// from a real key to the window's changed pixels being painted. With 256
// walls, a key in the run's walls recalculates every offset and sets the
// list's rows again, where a key in the main window's Wall X size recalculates
// one result. The run window should take at most 1.2 times as long. This only
// reports: the exit status is 1 when the program itself fails (a control not
// found, a key that painted nothing), never because of the ratio.
//
//   bench_keypixel [--keys N] [--warmup N]
//
// N keys are measured in each window (200 by default) after a warm-up (20),
// alternately a digit typed at the end of the field and Backspace, so the
// text comes back each time. They are taken in blocks of 20, the two windows
// in turn, so that the other work on a shared machine weighs on both alike.
//
// A key goes in through the window's QWindow, as the windowing system hands
// keys to Qt: the shortcut map, the window's event filter and the focused
// field all see it. The clock stops once the window has painted what the key
// changed: an update request is sent to the window, which is what the event
// loop would do next, so only the changed widgets paint, as in real use.
//
// The platform is offscreen unless QT_QPA_PLATFORM names another. For key to
// pixel, xcb under Xvfb (QT_QPA_PLATFORM=xcb xvfb-run -a bench_keypixel) is
// the more honest: there the painted area is also handed to an X server, as
// every key's pixels are on a Linux desktop, and that costs both windows
// alike. Offscreen leaves the pixels in the window's own image: its figures
// are the windows' own work alone, and its ratio is larger than the one a
// user would see. Neither has a real keyboard, a compositor or a display's
// refresh. Offscreen needs no X server and varies less, so it is the default
// and what CI runs; tools/dev.sh bench runs both.
#include "ui/frmMain.h"
#include "ui/look.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr int block = 20; // keys measured in one window before the other's turn

// Counts the paint events a widget receives, to prove that a key drew.
class PaintCount : public QObject {
  public:
    explicit PaintCount(QWidget* watched) : QObject(watched) { watched->installEventFilter(this); }
    int painted = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++painted;
        return false;
    }
};

// One window's case: its top-level window, the field typed in, the paints of
// the widget that draws the field's text, and the times measured, in microseconds.
struct Case {
    const char* name;
    QWidget* window;
    QWidget* field;
    PaintCount* paints;
    std::vector<double> micros;
};

// A case typing into field, a size's text or the run's walls.
Case Typed(const char* name, QWidget* window, QWidget* field) {
    auto* lines = qobject_cast<QPlainTextEdit*>(field);
    return {name, window, field, new PaintCount(lines ? lines->viewport() : field), {}};
}

// The caret to the end of c's text, where the next key goes.
void ToEnd(const Case& c) {
    if (auto* lines = qobject_cast<QPlainTextEdit*>(c.field))
        lines->moveCursor(QTextCursor::End);
    else
        static_cast<QLineEdit*>(c.field)->end(false);
}

template <class T> T* Find(const QObject* parent, const char* name) {
    if (T* found = parent->findChild<T*>(QString::fromLatin1(name)))
        return found;
    throw std::runtime_error(std::string("no control named ") + name);
}

// 256 wall lengths from 16 to 300, varied, one a line.
QString Walls() {
    QStringList lengths;
    for (int i = 0; i < 256; ++i)
        lengths << QString::number(16 + (i * 97) % 285);
    return lengths.join(QLatin1Char('\n'));
}

// Paints what changed in window, at once: what the event loop does on an update request.
void Paint(QWidget* window) {
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(window, &request);
}

// Nothing left to deliver or to paint, so the next key starts from rest.
void Settle(const std::vector<Case>& cases) {
    QCoreApplication::processEvents();
    for (const Case& c : cases)
        Paint(c.window);
}

// The time from pressing key in c's field to its window's pixels, in microseconds.
double Key(Case& c, Qt::Key key) {
    const int before = c.paints->painted;
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(c.window->windowHandle(), key);
    Paint(c.window);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    if (c.paints->painted == before)
        throw std::runtime_error(std::string(c.name) + ": a key painted nothing");
    return took.count();
}

// Makes c's window the active one, with the caret at the end of its field.
void Activate(Case& c, const std::vector<Case>& cases) {
    c.window->activateWindow();
    if (!QTest::qWaitForWindowActive(c.window))
        throw std::runtime_error(std::string(c.name) + ": the window did not become active");
    c.field->setFocus(Qt::OtherFocusReason);
    ToEnd(c); // taking the focus by key may have selected the text
    Settle(cases);
}

// keys in c's field, a digit and Backspace in turn; kept when counted.
void Type(Case& c, const std::vector<Case>& cases, int keys, bool counted) {
    Activate(c, cases);
    for (int i = 0; i < keys; ++i) {
        Settle(cases);
        const double micros = Key(c, i % 2 == 0 ? Qt::Key_5 : Qt::Key_Backspace);
        if (counted)
            c.micros.push_back(micros);
    }
    if (keys % 2 == 1) // the text as it was, for the next block
        Key(c, Qt::Key_Backspace);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The main window with X on Center, and the run window open on 256 walls,
// both on Center, so that every key in the walls changes every offset.
std::vector<Case> Open(ui::frmMain& window) {
    Find<QListWidget>(&window, "lstPosX")->setCurrentRow(2);
    Find<QComboBox>(&window, "cmbTextX")->lineEdit()->setText(QStringLiteral("64"));
    QLineEdit* wall = Find<QComboBox>(&window, "cmbWallX")->lineEdit();
    wall->setText(QStringLiteral("100"));
    window.show();
    Find<QAction>(&window, "mnuRunOfWalls")->trigger();
    auto* run = Find<QWidget>(&window, "frmRun");
    Find<QListWidget>(run, "lstRunAlign")->setCurrentRow(2);
    auto* walls = Find<QPlainTextEdit>(run, "txtRunWalls");
    walls->setPlainText(Walls());
    if (!QTest::qWaitForWindowExposed(&window) || !QTest::qWaitForWindowExposed(run))
        throw std::runtime_error("the windows were not shown");
    if (Find<QListWidget>(run, "lstRunOffsets")->count() != 256)
        throw std::runtime_error("the run does not show 256 offsets");
    return {Typed("main window, Wall X", &window, wall),
            Typed("run window, 256 walls", run, walls)};
}

struct Options {
    int keys = 200;
    int warmup = 20;
};

Options Read(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        bool number = false;
        const int value = arguments[i + 1].toInt(&number);
        if (!number || value < 0 || (arguments[i] != "--keys" && arguments[i] != "--warmup"))
            throw std::runtime_error("usage: bench_keypixel [--keys N] [--warmup N]");
        (arguments[i] == "--keys" ? options.keys : options.warmup) = value;
    }
    if (arguments.size() % 2 == 0 || options.keys == 0)
        throw std::runtime_error("usage: bench_keypixel [--keys N] [--warmup N], N of keys > 0");
    return options;
}

void Report(const std::vector<Case>& cases, const Options& options) {
    std::printf("Key to pixel on %s, %d keys each after %d of warm-up:\n",
                qPrintable(QGuiApplication::platformName()), options.keys, options.warmup);
    for (const Case& c : cases)
        std::printf("  %-22s median %7.1f us\n", c.name, Median(c.micros));
    const double ratio = Median(cases[1].micros) / Median(cases[0].micros);
    std::printf("  ratio run/main %.2f, target <= 1.2: %s\n", ratio,
                ratio <= 1.2 ? "met" : "NOT met");
}

int Measure(const Options& options) {
    QTemporaryDir folder; // Varnel.ini is read from and kept here only
    if (!folder.isValid())
        throw std::runtime_error("no temporary folder");
    ui::frmMain window(folder.filePath(QStringLiteral("Varnel.ini")).toStdString());
    std::vector<Case> cases = Open(window);
    for (Case& c : cases)
        Type(c, cases, options.warmup, false);
    for (int done = 0; done < options.keys; done += block)
        for (Case& c : cases)
            Type(c, cases, std::min(block, options.keys - done), true);
    Report(cases, options);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program itself starts; and no caret blinks, which would paint between keys.
    QApplication::setStyle(ui::CalculatorStyle());
    QApplication::setFont(ui::DefaultFont());
    QApplication::setCursorFlashTime(0);
    try {
        return Measure(Read(QCoreApplication::arguments()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_keypixel: %s\n", error.what());
        return 1;
    }
}
