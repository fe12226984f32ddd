#include "ImageCatalog.h"

ImageList imageCatalog()
{
    ImageList images;
    images += parameterIcons();
    images += documentIcons();
    images += editorIcons();
    images += canvasIcons();
    images += dialerImages();
    images += meterImages();
    return images;
}
