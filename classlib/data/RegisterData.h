#pragma once

// Makes the data-access classes known by name to layouts.
void RegisterDataClasses();
