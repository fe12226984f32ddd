#include "ImageCatalog.h"

ImageList imageCatalog()
{
    ImageList images;
    images += parameterIcons();
    images += editorIcons();
    return images;
}
