#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace print {

// A picture a document draws: either an image held in memory (artwork the program draws itself) or
// a picture file, which is only measured when it is placed and decoded again each time a page that
// shows it is painted. A report of ten thousand recipes with a photo each therefore holds ten
// thousand file names and sizes, not ten thousand decoded photos.
//
// A cheap handle: copies share one picture. A default-constructed picture is null.
class Picture
{
public:
    Picture() = default;

    // An image in memory. Its natural size is its size in pixels at 96 pixels per inch, the
    // resolution the window designs are drawn at, whatever the image says about itself; an image
    // drawn at a device pixel ratio above 1 keeps the size of its design and prints finer.
    static Picture fromImage(const QImage& image, const QString& description = {});
    // A picture file, checked by its content (not its name): null when the file is missing,
    // unreadable or not a picture. Only the file's header is read.
    static Picture fromFile(const QString& path, const QString& description = {});

    bool isNull() const { return !d; }
    QSize pixelSize() const;
    // The natural size in hundredths of a millimetre, as picture sizes have always been given.
    QSize naturalSizeHiMetric() const;
    // What the picture shows, in words (the text alternative of the HTML export).
    QString description() const;
    // The file the picture was read from; empty for an image in memory.
    QString filePath() const;

    // The picture decoded for drawing, at most `size` pixels (kept in proportion); the full image
    // for an invalid size. Decoded file pictures are cached for a while, within a memory budget.
    // A null image when the file can no longer be read.
    QImage image(const QSize& size = {}) const;

    // Identity: two handles on the same picture compare equal.
    friend bool operator==(const Picture& a, const Picture& b) { return a.d == b.d; }
    const void* identity() const { return d.get(); }

private:
    struct Data;
    std::shared_ptr<const Data> d;
};

} // namespace print
