#pragma once

// Makes the data-aware controls known to layouts by class name.
void RegisterDataControls();
