#pragma once

// The list box classes, for layouts to create.
void RegisterListBoxClasses();
