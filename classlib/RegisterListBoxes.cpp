#include "classlib/RegisterListBoxes.h"

#include "classlib/ListBox.h"

void RegisterListBoxClasses() {
    RegisterClass<TCustomListBox>();
    RegisterClass<TListBox>();
}
