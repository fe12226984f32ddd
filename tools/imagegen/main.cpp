// Writes every image of the catalog below the folder given as the first argument
// (src/images of the source tree). Further arguments restrict the run to those paths.

#include "ImageCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

bool writeImage(const ImageEntry &entry, const QDir &folder)
{
    QImage image(entry.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        entry.draw(painter, QSizeF(entry.size));
    }
    const QString path = folder.filePath(entry.path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts for images that draw text
    QTextStream err(stderr);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.isEmpty()) {
        err << "usage: vvb-imagegen <output folder> [image path...]\n";
        return 2;
    }
    const QDir folder(arguments.first());
    const QStringList only = arguments.mid(1);
    int written = 0;
    for (const ImageEntry &entry : imageCatalog()) {
        if (!only.isEmpty() && !only.contains(entry.path))
            continue;
        if (!writeImage(entry, folder)) {
            err << "failed to write " << entry.path << "\n";
            return 1;
        }
        ++written;
    }
    QTextStream(stdout) << written << " images written to " << folder.absolutePath() << "\n";
    return 0;
}
