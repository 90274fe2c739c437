#pragma once
#include <SDL_keyboard.h>

// The platform's virtual-key code of an SDL key, or 0 for a key the platform has no code for.
// Letters and digits follow the layout (the key's symbol); punctuation follows the key's position.
int SdlKeyToVirtualKey(const SDL_Keysym& key);
