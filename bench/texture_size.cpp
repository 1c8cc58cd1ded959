// Texture sizes from files: reading the size of a huge texture must cost no
// more than reading a small one's, as only the header is read. The files are
// made once, in the system's temporary folder, and removed afterwards.
#include "ui/texture.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

namespace {

QTemporaryDir* folder = nullptr;

// A grey square of side pixels in format, saved once.
QUrl Texture(int side, const char* format) {
    const QString name = folder->filePath(QStringLiteral("%1.%2").arg(side).arg(format));
    if (!QFile::exists(name)) {
        QImage image(side, side, QImage::Format_Grayscale8);
        image.fill(128);
        image.save(name, format);
    }
    return QUrl::fromLocalFile(name);
}

void TextureSize(benchmark::State& state, const char* format) {
    const QUrl file = Texture(static_cast<int>(state.range(0)), format);
    for (auto _ : state) {
        const std::optional<QSize> size = ui::ImageSize(file);
        benchmark::DoNotOptimize(size);
    }
    state.counters["bytes"] = static_cast<double>(QFile(file.toLocalFile()).size());
}
BENCHMARK_CAPTURE(TextureSize, png, "png")->Arg(64)->Arg(8192);
BENCHMARK_CAPTURE(TextureSize, jpg, "jpg")->Arg(64)->Arg(8192);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // image format plugins need it
    QTemporaryDir temporary;
    folder = &temporary;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
