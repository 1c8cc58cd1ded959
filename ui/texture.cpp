#include "ui/texture.h"

#include "core/commands.h"
#include "core/texture_header.h"
#include "core/window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace ui {

std::optional<QSize> ImageSize(const QUrl& link) {
    if (!link.isLocalFile() || !QFileInfo(link.toLocalFile()).isFile())
        return std::nullopt;
    // The formats textures come in are read from their header by the reader
    // both windows share; Qt's readers serve the others.
    const auto texture = core::TextureFileSize(QFile::encodeName(link.toLocalFile()).toStdString());
    if (texture)
        return QSize(texture->width, texture->height);
    // A suffix Qt knows settles the format: TGA has no mark of its own, and a
    // TGA file Qt's reader refuses could pass for an icon file of the wrong
    // size. Only a file with another suffix is judged by its content.
    const QString file = link.toLocalFile();
    const QByteArray suffix = QFileInfo(file).suffix().toLower().toLatin1();
    QImageReader reader(file);
    if (QImageReader::supportedImageFormats().contains(suffix)) {
        reader.setFormat(suffix);
        reader.setAutoDetectImageFormat(false);
    }
    QSize size = reader.size();
    if (!size.isValid() && reader.canRead() && !reader.supportsOption(QImageIOHandler::Size))
        size = reader.read().size(); // the few formats that keep no size in a header
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

QString FileName(const QUrl& link) {
    if (!link.isLocalFile())
        return link.fileName().isEmpty() ? link.toDisplayString() : link.fileName();
    return QFileInfo(QDir::cleanPath(link.toLocalFile())).fileName();
}

QString ImageFilter() {
    // The header reader's formats, and those of whatever image plugins are installed.
    QStringList patterns;
    for (const std::string& pattern : core::ImagePatterns())
        patterns << QString::fromStdString(pattern);
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix);
    patterns.removeDuplicates();
    return QStringLiteral("%1 (%2);;%3 (*)")
        .arg(QString::fromUtf8(core::imagesFilter.data()), patterns.join(QLatin1Char(' ')),
             QString::fromUtf8(core::allFilesFilter.data()));
}

} // namespace ui
