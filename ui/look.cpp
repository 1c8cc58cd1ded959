#include "ui/look.h"

#include "core/placement.h"

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
    return core::TwipsToPixels(twips);
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

double Contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

// text moved towards background as far as it still contrasts 4.5 to 1 with it,
// so a disabled text looks weaker than an enabled one yet stays readable.
QColor Softened(const QColor& text, const QColor& background) {
    constexpr double wanted = 4.5;
    if (Contrast(text, background) <= wanted)
        return text;
    QColor best = text;
    for (int step = 1; step < 100; ++step) {
        const double t = step / 100.0;
        const QColor mixed = QColor::fromRgbF(
            static_cast<float>(text.redF() + (background.redF() - text.redF()) * t),
            static_cast<float>(text.greenF() + (background.greenF() - text.greenF()) * t),
            static_cast<float>(text.blueF() + (background.blueF() - text.blueF()) * t));
        if (Contrast(mixed, background) < wanted + 0.05)
            break;
        best = mixed;
    }
    return best;
}

} // namespace

QPalette ReadablePalette(QPalette p) {
    // Only what is changed here is the window's own; every other colour
    // follows the desktop's as it changes.
    p.setResolveMask(0);
    for (auto [text, background] : {std::pair{QPalette::WindowText, QPalette::Window},
                                    std::pair{QPalette::Text, QPalette::Base}})
        p.setColor(
            QPalette::Disabled, text,
            Softened(p.color(QPalette::Active, text), p.color(QPalette::Disabled, background)));
    if (Contrast(p.color(QPalette::ToolTipText), p.color(QPalette::ToolTipBase)) < 4.5) {
        p.setColor(QPalette::ToolTipBase, p.color(QPalette::Active, QPalette::Base));
        p.setColor(QPalette::ToolTipText, p.color(QPalette::Active, QPalette::Text));
    }
    return p;
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

Line::Line(const core::layout::Line& line, QWidget* parent, QPalette::ColorRole colour, int offset,
           QPalette::ColorGroup group)
    : QWidget(parent), colour_(colour), group_(group) {
    setObjectName(QString::fromUtf8(line.name.data(), static_cast<qsizetype>(line.name.size())));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = TwipsToPixels(std::min(line.x1, line.x2));
    const int top = TwipsToPixels(std::min(line.y1, line.y2));
    const int length =
        TwipsToPixels(std::max(std::abs(line.x2 - line.x1), std::abs(line.y2 - line.y1)));
    if (line.y1 == line.y2)
        setGeometry(left, top + offset, length, line.width);
    else
        setGeometry(left + offset, top, line.width, length);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(group_, colour_));
}

} // namespace ui
