// bare_window: the yardstick for Varnel's start-up time and memory, that is
// what Qt itself costs to start. A plain QMainWindow titled "BareWindow", the
// size of Varnel's main window (a menu bar over a 471 x 444 pixel client
// area), with two menus of one item each and an empty central widget.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Quit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    auto* client = new QWidget;
    client->setFixedSize(471, 444);
    window.setCentralWidget(client);
    window.show();
    return QApplication::exec();
}
