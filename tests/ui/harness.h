// A calculator window on a settings file of its own, for one test.
#pragma once

#include "ui/frmMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

struct Harness {
    QTemporaryDir directory;
    std::unique_ptr<ui::frmMain> window;

    // Optionally writes the settings file first, then builds the window, which
    // reads it.
    explicit Harness(const QByteArray& settingsText = {}) {
        if (!settingsText.isNull()) {
            QFile file(iniPath());
            file.open(QIODevice::WriteOnly);
            file.write(settingsText);
        }
        window = std::make_unique<ui::frmMain>(std::filesystem::path(iniPath().toStdString()));
    }

    QString iniPath() const { return directory.filePath(QStringLiteral("Varnel.ini")); }

    QByteArray ini() const {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <class T> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    // Shows the window and gives it the keyboard, as a user's click would.
    bool activate() {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }
};

// A modal window that is never closed would hang the whole run: after the
// given time, abort with a message instead.
class Watchdog {
  public:
    explicit Watchdog(int milliseconds) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            std::fputs("watchdog: a modal window did not close in time\n", stderr);
            std::abort();
        });
        timer_.start(milliseconds);
    }

  private:
    QTimer timer_;
};
