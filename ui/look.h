// Shared pieces of the two windows' look: the twip geometry, the fonts, the
// icon, the style and the line control.
#pragma once

#include "core/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QStyle>
#include <QWidget>

namespace ui {

// Window geometry is laid out in twips, 15 to one logical pixel.
int TwipsToPixels(double twips);
QRect TwipRect(int left, int top, int width, int height);

// The desktop's palette, kept readable: disabled captions and results are
// softened only as far as they still contrast 4.5 to 1 with what is behind
// them, and a note whose tooltip colours would not is shown in the colours of
// an input field instead. Only those colours are set: set on a window, every
// other colour follows the desktop's.
QPalette ReadablePalette(QPalette desktop);

// The contrast of two colours, from 1 to 21, as accessibility guidelines
// measure it.
double Contrast(const QColor& a, const QColor& b);

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

// A straight horizontal or vertical line, in a colour of the palette: the
// text colour for the lines between sections, the shadow and light colours
// for an engraved rule. Offset moves it down (or right) by whole pixels.
class Line : public QWidget {
  public:
    Line(const core::layout::Line& line, QWidget* parent,
         QPalette::ColorRole colour = QPalette::WindowText, int offset = 0,
         QPalette::ColorGroup group = QPalette::Active);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPalette::ColorRole colour_;
    QPalette::ColorGroup group_;
};

} // namespace ui
