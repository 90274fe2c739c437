#include "classlib/RegisterClasslib.h"

#include "classlib/Component.h"

void RegisterClasslibClasses() {
    RegisterClass<TComponent>();
}
