// Texture sizes from image files: the shared header reader for the formats
// textures come in, Qt's image readers for the others.
#pragma once

#include <QSize>
#include <QString>

#include <optional>

class QUrl;

namespace ui {

// The width and height of the image a local file holds, or nothing when the
// link is not a local file, the file is not an image Varnel can read here, or
// the image is empty. PNG, JPEG, BMP, GIF, TGA of every kind, PCX and DDS are
// read from their header alone; the formats Qt reads besides (TIFF, WebP and
// others) from the header where they keep the size there, so a huge texture
// costs no more than a small one. Qt's image format plugins load on the first
// file that needs them.
std::optional<QSize> ImageSize(const QUrl& link);

// The name of the file a link points at, to show to the user.
QString FileName(const QUrl& link);

// A file dialog's filter for every image format Qt can read here.
QString ImageFilter();

} // namespace ui
