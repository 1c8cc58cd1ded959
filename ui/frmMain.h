// The calculator window: wall alignment on the left, floor/ceiling alignment on
// the right. It creates its controls and menus from the core's tables,
// forwards every event to the core's model of the window, and draws what the
// model says changed.
#pragma once

#include "core/commands.h"
#include "core/layout.h"
#include "core/window.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>

class QAction;
class QLineEdit;
class QUrl;

namespace ui {

class frmAbout;

class frmMain : public QMainWindow {
  public:
    // Reads what it keeps from readFrom while it is built, before it is first
    // shown, and writes it to writeTo (readFrom when empty) when it is closed,
    // making writeTo's folder first if it is missing.
    explicit frmMain(std::filesystem::path readFrom, std::filesystem::path writeTo = {},
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // Saves what the window keeps, as Quit does, unless that has been done:
    // for a run that ends without the window being closed (a signal, the end
    // of the session). The window saves once, whichever comes first.
    void SaveOnce();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateMenus();
    void DescribeControls(); // in help.cpp, with the window's other words
    void Connect();
    void ConnectInput(const core::layout::Part& part);
    void ConnectChoices(const core::layout::Part& part);

    // The Run of Walls window, in run.cpp.
    void CreateRunWindow();
    void OpenRun();
    void PlaceRun();
    std::optional<std::pair<float, float>> RunPlace() const;
    void RenderItems(const core::layout::Control& list);

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();

    // Draws what the model says changed.
    void Render(const core::Update& update);
    void RenderField(const core::FieldText& field);
    void RenderLines(const core::FieldText& field);
    void RenderEnabled();
    void RenderNote(const core::Note& note);
    void Act(core::Action action);

    void Run(core::Command command, bool fromKey);
    void Paste(const core::layout::Control& field, bool selection);
    bool OffCopyKey(const QKeyEvent* key);
    bool ShortcutFirst(const QKeyEvent* key) const;
    void Entered(QObject* watched, const QFocusEvent* event);
    void OpenTextureFile();
    void TextureSizesFrom(const QUrl& file);
    void KeepOnTop(bool on);
    void About_Click();

    // Puts the window at the stored position, or, where that would leave part
    // of it off every screen, the least distance from there onto the nearest.
    void PlaceWindow(float topTwips, float leftTwips);
    static bool PositionKnown();
    // Whether the windowing system lets a program keep its window on top.
    static bool CanKeepOnTop();

    QWidget* Widget(const core::layout::Control& control) const;
    QLineEdit* Edit(const core::layout::Control& control) const; // a field's text part
    const core::layout::Control* ControlOf(const QObject* widget) const;
    QAction* Action(core::Command command) const {
        return actions_[static_cast<std::size_t>(command)];
    }

    std::filesystem::path readFrom_;
    std::filesystem::path writeTo_;
    core::Model model_;
    bool placed_ = false;   // checked against the screens with the window manager's frame
    bool readable_ = false; // the palette is being made readable
    QString textureFolder_; // where the file dialog opens: the last texture's folder

    std::unique_ptr<frmAbout> about_;

    // Every control, in the order of core::layout::parts, and every command,
    // in the order of core::commands.
    std::array<QWidget*, core::layout::parts.size()> widgets_{};
    std::array<QAction*, core::commands.size()> actions_{};
    // The Run of Walls window and its controls, in the order of core::layout::runParts.
    QWidget* run_ = nullptr;
    std::array<QWidget*, core::layout::runParts.size()> runWidgets_{};
};

} // namespace ui
