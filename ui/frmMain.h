// The calculator window: wall alignment on the left, floor/ceiling alignment on
// the right. Every input change recalculates exactly its own result.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
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

    // Start-up and shut-down.
    void Form_Load();
    void Form_Unload();

    // Recalculation.
    void lstPosX_Click();
    void lstPosZ_Click();
    void cmbTextX_Change();
    void cmbWallX_Change();
    void cmbTextZ_Change();
    void cmbWallZ_Change();
    void cmbTextX_Click();
    void cmbWallX_Click();
    void cmbTextZ_Click();
    void cmbWallZ_Click();
    void txtFCTextX_Change();
    void txtFCX_Change();
    void txtFCTextZ_Change();
    void txtFCZ_Change();
    void txtFCTextX_GotFocus();
    void txtFCX_GotFocus();
    void txtFCTextZ_GotFocus();
    void txtFCZ_GotFocus();

    // Commands.
    void cmdCopyX_Click();
    void cmdCopyZ_Click();
    void cmdFCCopyX_Click();
    void cmdFCCopyZ_Click();
    void mnuCopyX_Click();
    void mnuCopyZ_Click();
    void mnuFCCopyX_Click();
    void mnuFCCopyZ_Click();
    void mnuTextureFile_Click();
    void mnuOnTop_Click();
    void mnuQuit_Click();
    void About_Click();
    void Form_DragDrop(const QUrl& file);

    // The texts the results show for what their fields hold.
    static QString WallResult(const QListWidget* alignment, const QComboBox* texture,
                              const QComboBox* wall);
    static QString FloorResult(const QLineEdit* position, const QLineEdit* coordinate);

    // The shared bodies of the handlers above.
    void WallChange(QComboBox* own, QListWidget* alignment, QComboBox* texture, QComboBox* wall,
                    QLabel* result);
    void FloorChange(QLineEdit* own, QLineEdit* position, QLineEdit* coordinate, QLabel* result);
    void AlignmentClick(QListWidget* alignment, QComboBox* texture, QComboBox* wall, QLabel* result,
                        QWidget* copy, QWidget* textCaption, QWidget* wallCaption, QAction* menu);
    static void Copy(const QLabel* result, QWidget* button);
    // Whether key is a wall copy's shortcut while that copy is off; then the
    // key does nothing but say so beside the axis's Copy button.
    bool NothingToCopy(const QKeyEvent* key);
    void TextureSizesFrom(const QUrl& file);
    void KeepOnTop(bool on);
    void ShowDropHint(bool on);

    // Puts the window at the stored position, or, where that would leave part
    // of it off every screen, the least distance from there onto the nearest.
    void PlaceWindow(float topTwips, float leftTwips);
    static bool PositionKnown();
    // Whether the windowing system lets a program keep its window on top.
    static bool CanKeepOnTop();

    std::filesystem::path readFrom_;
    std::filesystem::path writeTo_;
    bool unloaded_ = false;
    bool placed_ = false;   // checked against the screens with the window manager's frame
    bool readable_ = false; // the palette is being made readable
    // Where the windowing system cannot report the window's position, the
    // position read at start-up is what gets written back.
    float loadedTopTwips_ = 0;
    float loadedLeftTwips_ = 0;
    QString textureFolder_; // where the file dialog opens: the last texture's folder

    std::unique_ptr<frmAbout> about_;

    // Wall half.
    QListWidget* lstPosX = nullptr;
    QListWidget* lstPosZ = nullptr;
    QComboBox* cmbTextX = nullptr;
    QComboBox* cmbTextZ = nullptr;
    QComboBox* cmbWallX = nullptr;
    QComboBox* cmbWallZ = nullptr;
    QLabel* lblTextX = nullptr;
    QLabel* lblTextZ = nullptr;
    QLabel* lblWallX = nullptr;
    QLabel* lblWallZ = nullptr;
    QLabel* lblX = nullptr;
    QLabel* lblZ = nullptr;
    QPushButton* cmdCopyX = nullptr;
    QPushButton* cmdCopyZ = nullptr;

    // Floor/ceiling half.
    QLineEdit* txtFCTextX = nullptr;
    QLineEdit* txtFCTextZ = nullptr;
    QLineEdit* txtFCX = nullptr;
    QLineEdit* txtFCZ = nullptr;
    QLabel* lblFCX = nullptr;
    QLabel* lblFCZ = nullptr;
    QPushButton* cmdFCCopyX = nullptr;
    QPushButton* cmdFCCopyZ = nullptr;
    // The captions of the floor/ceiling fields, which name them.
    QLabel* Label16 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label12 = nullptr;

    // Menus.
    QMenu* mnuCalc = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuCopyX = nullptr;
    QAction* mnuCopyZ = nullptr;
    QAction* mnuFCCopyX = nullptr;
    QAction* mnuFCCopyZ = nullptr;
    QAction* mnuTextureFile = nullptr;
    QAction* mnuOnTop = nullptr;
    QAction* mnuQuit = nullptr;
    QAction* About = nullptr;
};

} // namespace ui
