#pragma once

// Labels, panels, images, list boxes and tool bars, for layouts to create.
void RegisterStdControlsA();
