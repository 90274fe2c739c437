#include "classlib/RegisterClasslib.h"

#include "classlib/Component.h"
#include "classlib/RegisterGraphics.h"

void RegisterClasslibClasses() {
    RegisterClass<TComponent>();
    RegisterGraphicsClasses();
}
