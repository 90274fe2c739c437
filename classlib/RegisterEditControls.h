#pragma once

// The edit, memo and combo box classes, for layouts to name.
void RegisterEditControlsClasses();
