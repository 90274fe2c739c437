#pragma once

// Makes the class library's classes known by name to layouts; the program calls it once at start-up.
void RegisterClasslibClasses();
