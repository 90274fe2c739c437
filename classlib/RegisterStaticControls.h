#pragma once

// Labels, panels and images, for layouts to create.
void RegisterStaticControlsClasses();
