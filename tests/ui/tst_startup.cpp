// Start-up from the settings file and what a run leaves in it.
#include "harness.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

class tst_startup : public QObject {
    Q_OBJECT

  private slots:
    void defaultsWithoutAFile() {
        Harness h;
        QVERIFY(!QFile::exists(h.iniPath())); // reading creates nothing
        QCOMPARE(h.window->pos(), QPoint(34, 23)); // 510 and 345 twips
        const char* sizes[][2] = {{"cmbTextX", "8"}, {"cmbTextZ", "8"}, {"cmbWallX", "16"},
                                  {"cmbWallZ", "16"}};
        for (auto [name, text] : sizes)
            QCOMPARE(h.find<QComboBox>(name)->currentText(), QString::fromLatin1(text));
        for (const char* name : {"lblX", "lblZ", "lblFCX", "lblFCZ"})
            QCOMPARE(h.find<QLabel>(name)->text(), QStringLiteral("0"));
        for (const char* name : {"lstPosX", "lstPosZ"})
            QCOMPARE(h.find<QListWidget>(name)->currentRow(), 1);
        for (const char* name : {"cmdCopyX", "cmbTextX", "cmbWallX", "lblTextX", "lblWallX",
                                 "lblX", "cmdCopyZ", "cmbTextZ", "cmbWallZ", "lblTextZ",
                                 "lblWallZ", "lblZ"})
            QVERIFY2(!h.find<QWidget>(name)->isEnabled(), name);
    }

    void storedValuesAreRestored_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QStringList>("sizes");
        QTest::newRow("plain") << QByteArray("[position]\r\ntop=1500\r\nleft=3000\r\n"
                                             "[lastsize]\r\ntextx=64\r\ntextz=32\r\nwallx=128\r\nwallz=4\r\n")
                               << QPoint(200, 100) << QStringList{"64", "32", "128", "4"};
        QTest::newRow("fraction read as whole") << QByteArray("[lastsize]\ntextx=12.5\nwallz=abc\n")
                                                << QPoint(34, 23)
                                                << QStringList{"12", "8", "16", "0"};
        QTest::newRow("negative on a real screen") << QByteArray("[position]\ntop=150\nleft=-150\n")
                                                   << QPoint(-10, 10)
                                                   << QStringList{"8", "8", "16", "16"};
        QTest::newRow("far off every screen") << QByteArray("[position]\ntop=-300000\nleft=-300000\n")
                                              << QPoint(34, 23)
                                              << QStringList{"8", "8", "16", "16"};
        QTest::newRow("beyond the right edge") << QByteArray("[position]\ntop=300\nleft=2000000\n")
                                               << QPoint(34, 23)
                                               << QStringList{"8", "8", "16", "16"};
    }

    void storedValuesAreRestored() {
        QFETCH(QByteArray, ini);
        QFETCH(QPoint, position);
        QFETCH(QStringList, sizes);
        Harness h(ini);
        QCOMPARE(h.window->pos(), position);
        QStringList actual;
        for (const char* name : {"cmbTextX", "cmbTextZ", "cmbWallX", "cmbWallZ"})
            actual << h.find<QComboBox>(name)->currentText();
        QCOMPARE(actual, sizes);
        for (const char* name : {"lblX", "lblZ"}) // still on the default rows
            QCOMPARE(h.find<QLabel>(name)->text(), QStringLiteral("0"));
    }

    void aRunKeepsForeignContentAndComesBack() {
        const QByteArray original("; written by hand\r\n[tools]\r\neditor=ed\r\n\r\n"
                                  "[LastSize]\r\nTextX = 32\r\n[position]\r\ntop=600\r\nleft=900\r\n");
        QByteArray saved;
        QString path;
        {
            Harness h(original);
            QCOMPARE(h.find<QComboBox>("cmbTextX")->currentText(), QStringLiteral("32"));
            h.find<QComboBox>("cmbWallZ")->setEditText("24");
            h.window->close();
            saved = h.ini();
            path = h.iniPath();
            QVERIFY(saved.startsWith("; written by hand\r\n[tools]\r\neditor=ed\r\n\r\n"));
            QVERIFY(saved.contains("TextX = 32\r\n") || saved.contains("TextX=32\r\n"));
            QVERIFY(saved.contains("wallz=24\r\n"));
            QVERIFY(saved.contains("top=600\r\nleft=900\r\n"));

            // The next start finds what this one left.
            ui::frmMain again(path.toStdString());
            QCOMPARE(again.findChild<QComboBox*>("cmbWallZ")->currentText(), QStringLiteral("24"));
            QCOMPARE(again.pos(), QPoint(60, 40));
        }
    }

    void unwritableFolderStillStartsAndQuits() {
        Harness h;
        const QString blocked = h.directory.filePath(QStringLiteral("not-a-folder"));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        // The settings path runs through a regular file, so nothing can be
        // written there, even as root.
        ui::frmMain window((blocked + QStringLiteral("/Varnel.ini")).toStdString());
        QCOMPARE(window.findChild<QComboBox*>("cmbTextX")->currentText(), QStringLiteral("8"));
        QVERIFY(window.close());
        QCOMPARE(QFileInfo(blocked).size(), 0);
    }
};

QTEST_MAIN(tst_startup)
#include "tst_startup.moc"
