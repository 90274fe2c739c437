#pragma once
#include <cstdint>

// The platform's virtual-key code of an X key, or 0 for a key the platform has no code for. `symbol` is the
// key's symbol on its first level in the current layout, `keycode` the X keycode (evdev numbering plus 8).
// Letters and digits follow the layout; punctuation, and letter or digit keys whose symbol is something
// else (accented letters, AZERTY digits), follow the key's position.
int XKeyToVirtualKey(uint32_t symbol, uint32_t keycode);
