#include "classlib/RegisterGraphics.h"

#include "classlib/ImageList.h"

void RegisterGraphicsClasses() {
    RegisterClass<TImageList>();
}
