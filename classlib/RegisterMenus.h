#pragma once

// Makes the menu classes known by name to layouts; the program calls it once at start-up.
void RegisterMenuClasses();
