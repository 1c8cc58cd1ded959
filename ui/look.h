// Shared pieces of the two windows' look: the twip geometry, the fonts, the
// icon, the style and the line control.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QStyle>
#include <QWidget>

namespace ui {

// Window geometry is laid out in twips, 15 to one logical pixel.
constexpr int twipsPerPixel = 15;
int TwipsToPixels(double twips);
QRect TwipRect(int left, int top, int width, int height);

// The font of every caption without a font of its own. Chosen so each caption
// fits its control, an edit field shows eight digits and a list shows all five
// rows without scrolling.
QFont DefaultFont();
// The larger font of the result labels and the axis letters.
QFont LargeFont();

// The program icon in the sizes a window needs, so it stays crisp on
// high-density screens: the 16-colour 32 px original with its 16, 48 and
// 64 px renderings. Larger sizes are for desktop menus only; every size given
// here travels to the window system with each window, at start-up.
QIcon ProgramIcon();

// The application's style wrapped so that the menu bar's overflow arrow, which
// never shows in this fixed window, is not looked up: reading its image would
// make Qt load every image format plugin at start-up. Left out, they load
// when a texture file is first read. Call once a QApplication exists.
QStyle* CalculatorStyle();

// A straight horizontal or vertical line between two points given in twips,
// drawn in its own colour and width.
class Line : public QWidget {
  public:
    Line(const char* name, int x1, int y1, int x2, int y2, QWidget* parent,
         QColor colour = QColor(Qt::black), int width = 1);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_;
    int width_;
};

} // namespace ui
