// Texture sizes from image files, as far as Qt's image readers can tell them
// from a file's header.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QUrl;

namespace ui {

// The width and height of the image a local file holds, or nothing when the
// link is not a local file, the file is not an image Qt can read here, or the
// image is empty. Only the header is read for formats that keep the size
// there (PNG, JPEG, TGA, BMP, TIFF, WebP and most others), so a huge texture
// costs no more than a small one. Image format plugins load on the first call.
std::optional<QSize> ImageSize(const QUrl& link);

// The name of the file a link points at, to show to the user.
QString FileName(const QUrl& link);

// A file dialog's filter for every image format Qt can read here.
QString ImageFilter();

} // namespace ui
