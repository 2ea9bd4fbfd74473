#include "Picture.h"

#include <QCache>
#include <QImageReader>

#include <cmath>

namespace print {

namespace {

// Decoded file pictures, by file and size, within a budget of bytes: enough for the pictures of the
// pages a person pages back and forth through, small beside a whole report's photos.
QCache<QString, QImage>& decodedPictures()
{
    static QCache<QString, QImage> cache(64 * 1024 * 1024);
    return cache;
}

constexpr double kDesignDpi = 96.0;

} // namespace

struct Picture::Data
{
    QImage image; // null for a file picture
    QString path;
    QSize pixels;
    QString description;
};

Picture Picture::fromImage(const QImage& image, const QString& description)
{
    Picture p;
    if (image.isNull())
        return p;
    // An image drawn for high resolution (device pixel ratio above 1) keeps its design size.
    const QSize designSize = image.deviceIndependentSize().toSize();
    p.d = std::make_shared<const Data>(Data{image, {}, designSize, description});
    return p;
}

Picture Picture::fromFile(const QString& path, const QString& description)
{
    Picture p;
    if (path.isEmpty())
        return p;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return p;
    QSize size = reader.size();
    if (!size.isValid()) {
        // Some formats tell their size only by decoding.
        const QImage probe = reader.read();
        if (probe.isNull())
            return p;
        size = probe.size();
    } else if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
        size.transpose();
    }
    if (size.isEmpty())
        return p;
    p.d = std::make_shared<const Data>(Data{{}, path, size, description});
    return p;
}

QSize Picture::pixelSize() const
{
    return d ? d->pixels : QSize();
}

QSize Picture::naturalSizeHiMetric() const
{
    if (!d)
        return {};
    const auto hiMetric = [](int pixels) { return int(std::lround(pixels * 2540.0 / kDesignDpi)); };
    return {hiMetric(d->pixels.width()), hiMetric(d->pixels.height())};
}

QString Picture::description() const
{
    return d ? d->description : QString();
}

QString Picture::filePath() const
{
    return d ? d->path : QString();
}

QImage Picture::image(const QSize& size) const
{
    if (!d)
        return {};
    const bool smaller =
        size.isValid() && size.width() < d->pixels.width() && size.height() < d->pixels.height();
    const QSize wanted = smaller ? d->pixels.scaled(size, Qt::KeepAspectRatio) : d->pixels;
    if (d->path.isEmpty()) {
        const QSize full = d->image.size();
        if (size.isValid() && size.width() < full.width() && size.height() < full.height())
            return d->image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return d->image;
    }

    const QString key =
        d->path + u'@' + QString::number(wanted.width()) + u'x' + QString::number(wanted.height());
    if (const QImage* cached = decodedPictures().object(key))
        return *cached;
    QImageReader reader(d->path);
    reader.setAutoTransform(true);
    if (smaller) {
        // Decoders that can scale while decoding (JPEG) do so; the rest decode and scale after.
        const bool rotated = reader.transformation() & QImageIOHandler::TransformationRotate90;
        reader.setScaledSize(rotated ? wanted.transposed() : wanted);
    }
    QImage decoded = reader.read();
    if (decoded.isNull())
        return {};
    if (decoded.size() != wanted)
        decoded = decoded.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const qsizetype bytes = decoded.sizeInBytes();
    decodedPictures().insert(key, new QImage(decoded), bytes > INT_MAX ? INT_MAX : qsizetype(bytes));
    return decoded;
}

} // namespace print
