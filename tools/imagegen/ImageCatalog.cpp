#include "ImageCatalog.h"

ImageList imageCatalog()
{
    ImageList images;
    images += parameterIcons();
    return images;
}
