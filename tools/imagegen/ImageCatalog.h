#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

// One image to draw: its path below the output folder, its pixel size and the painter
// routine that draws it on a transparent canvas of that size.
struct ImageEntry
{
    QString path;
    QSize size;
    std::function<void(QPainter &painter, const QSizeF &size)> draw;
};

using ImageList = QList<ImageEntry>;

// Each group of images lives in its own source file; a new group adds its function here
// and to imageCatalog().
ImageList parameterIcons();
ImageList documentIcons();
ImageList editorIcons();
ImageList canvasIcons();
ImageList dialerImages();
ImageList meterImages();

ImageList imageCatalog();
