#pragma once

class QWidget;

namespace ui {

// Converts between twips (1440 per inch, the unit the window designs are written in) and the
// toolkit's logical pixels, using the screen's logical resolution. Under high-DPI scaling logical
// pixels are already scaled, so a design looks the same size on every screen.
//
// Tests may pin the resolution with setDpiOverride so sizes are exact whatever the platform says.
class Twips
{
public:
    static constexpr int PerInch = 1440;

    static double dpiX();
    static double dpiY();
    static int toPixelsX(int twips);
    static int toPixelsY(int twips);
    static int fromPixelsX(int pixels);
    static int fromPixelsY(int pixels);

    // 0 restores the screen's own resolution.
    static void setDpiOverride(double dpi);

private:
    static double s_override;
};

} // namespace ui
