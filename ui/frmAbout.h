// The About window: the program's title, version and terms, closed by OK,
// Enter or Esc.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ui {

class frmAbout : public QDialog {
  public:
    explicit frmAbout(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    void Form_Load();
    void cmdOK_Click();

    QPushButton* cmdOK = nullptr;
    QLabel* lblVersion = nullptr;
};

} // namespace ui
