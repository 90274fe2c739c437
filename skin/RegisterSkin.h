#pragma once

// Registers the skin's embedded bitmaps and its classes, and sets the version flag; the program calls it
// once at start-up, after RegisterClasslibClasses.
void RegisterSkinClasses();
