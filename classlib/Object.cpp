#include "classlib/Object.h"

TClassInfo& TObject::StaticClassInfo() {
    static TClassInfo info("TObject", nullptr);
    return info;
}
