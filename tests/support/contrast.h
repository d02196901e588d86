#ifndef TESTS_SUPPORT_CONTRAST_H
#define TESTS_SUPPORT_CONTRAST_H

// Contrast as WCAG 2 measures it, from rendered pixels: 4.5:1 is the usual minimum for text.

#include <QRgb>
#include <cmath>

namespace Contrast {

inline double luminance(QRgb c)
{
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

inline double ratio(double lighter, double darker)
{
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace Contrast

#endif
