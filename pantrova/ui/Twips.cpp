#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ui {

double Twips::s_override = 0;

namespace {
double screenDpi(bool horizontal)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
        if (dpi > 0)
            return dpi;
    }
    return 96.0;
}
} // namespace

double Twips::dpiX()
{
    return s_override > 0 ? s_override : screenDpi(true);
}

double Twips::dpiY()
{
    return s_override > 0 ? s_override : screenDpi(false);
}

int Twips::toPixelsX(int twips)
{
    return int(std::lround(twips * dpiX() / PerInch));
}

int Twips::toPixelsY(int twips)
{
    return int(std::lround(twips * dpiY() / PerInch));
}

int Twips::fromPixelsX(int pixels)
{
    return int(std::lround(pixels * PerInch / dpiX()));
}

int Twips::fromPixelsY(int pixels)
{
    return int(std::lround(pixels * PerInch / dpiY()));
}

void Twips::setDpiOverride(double dpi)
{
    s_override = dpi;
}

} // namespace ui
