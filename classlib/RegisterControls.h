#pragma once

// Makes the controls, forms and timers known by name to layouts.
void RegisterControlsClasses();
