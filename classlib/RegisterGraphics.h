#pragma once

// Makes the graphics components known by name to layouts; the program calls it once at start-up.
void RegisterGraphicsClasses();
