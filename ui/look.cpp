#include "ui/look.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ui {

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

QRect TwipRect(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

namespace {

class Style : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton ||
            icon == SP_ToolBarVerticalExtensionButton)
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }
};

} // namespace

QStyle* CalculatorStyle() {
    // The style chosen so far (the platform's, or -style) stays underneath.
    return new Style(QStyleFactory::create(QApplication::style()->name()));
}

QFont DefaultFont() {
    // Liberation Sans has Arial's metrics; 7.5 pt is 10 px at 96 dpi. Where it
    // is missing, fontconfig falls back to a metric-compatible face.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(7.5);
    return font;
}

QIcon ProgramIcon() {
    // Read as PNG and nothing else: a reader left to detect the format would
    // first load every image format plugin, at start-up.
    const auto png = [](const QString& file) {
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        return QPixmap::fromImage(reader.read());
    };
    QIcon icon(png(QStringLiteral(":/varnel.png")));
    for (int size : {16, 48, 64})
        icon.addPixmap(png(QStringLiteral(":/icons/varnel-%1.png").arg(size)));
    return icon;
}

QFont LargeFont() {
    QFont font = DefaultFont();
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    return font;
}

Line::Line(const char* name, int x1, int y1, int x2, int y2, QWidget* parent, QColor colour,
           int width)
    : QWidget(parent), colour_(colour), width_(width) {
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = TwipsToPixels(std::min(x1, x2));
    const int top = TwipsToPixels(std::min(y1, y2));
    const int length = TwipsToPixels(std::max(std::abs(x2 - x1), std::abs(y2 - y1)));
    if (y1 == y2)
        setGeometry(left, top, length, width);
    else
        setGeometry(left, top, width, length);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

} // namespace ui
