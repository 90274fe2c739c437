#pragma once

// Tool bars and their buttons, for layouts to create.
void RegisterToolBarClasses();
