#include "platform/host/sdl/SdlEventTranslation.h"
#include "platform/host/sdl/SdlKeyMap.h"

#include <gtest/gtest.h>

namespace {

using TKind = THostEvent::TKind;

class TInertSurface : public THostSurface {
public:
    void SetBounds(const TRect&) override {}
    void Show(bool) override {}
    void Hide() override {}
    void Minimize() override {}
    void Raise() override {}
    void SetTitle(const std::string&) override {}
    void SetIcon(const TSurface&) override {}
    void SetShape(const std::optional<TRegion>&) override {}
    void Present(const TSurface&, const TRect&) override {}
};

constexpr Uint32 KnownWindow = 7, GoneWindow = 8, WakeType = SDL_USEREVENT + 3;

class SdlEventTranslation : public ::testing::Test {
protected:
    THostEvent Translate(const SDL_Event& e) {
        return TranslateSdlEvent(
            e,
            [this](Uint32 id) -> std::optional<TSdlWindowPlace> {
                if (id != KnownWindow) return std::nullopt;
                return TSdlWindowPlace{&FSurface, {100, 50}};
            },
            WakeType);
    }
    THostEvent Button(Uint32 type, Uint8 button, Uint32 window = KnownWindow) {
        SDL_Event e{};
        e.button = {type, 0, window, 0, button, SDL_PRESSED, 1, 0, 10, 20};
        return Translate(e);
    }
    THostEvent Wheel(Sint32 y, Uint32 direction) {
        SDL_Event e{};
        e.wheel = {SDL_MOUSEWHEEL, 0, KnownWindow, 0, 0, y, direction, 0.0f, float(y), 3, 4};
        return Translate(e);
    }
    THostEvent Key(Uint32 type, SDL_Keycode sym, SDL_Scancode code, Uint8 repeat = 0) {
        SDL_Event e{};
        e.key.type = type;
        e.key.windowID = KnownWindow;
        e.key.repeat = repeat;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = code;
        return Translate(e);
    }
    THostEvent Window(Uint8 event, Uint32 window = KnownWindow) {
        SDL_Event e{};
        e.window.type = SDL_WINDOWEVENT;
        e.window.windowID = window;
        e.window.event = event;
        return Translate(e);
    }
    TInertSurface FSurface;
};

TEST_F(SdlEventTranslation, MouseButtonsAndWheelFollowThePlatformInScreenCoordinates) {
    THostEvent e = Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    EXPECT_EQ(e.Kind, TKind::MouseDown);
    EXPECT_EQ(e.Button, 1);
    EXPECT_EQ(e.Surface, &FSurface);
    EXPECT_EQ(e.ScreenPos, (TPoint{110, 70}));
    e = Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    EXPECT_EQ(e.Kind, TKind::MouseUp);
    EXPECT_EQ(e.Button, 2);
    EXPECT_EQ(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE).Button, 3);
    EXPECT_EQ(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1).Kind, TKind::None);
    EXPECT_EQ(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, GoneWindow).Kind, TKind::None);

    e = Wheel(2, SDL_MOUSEWHEEL_NORMAL);
    EXPECT_EQ(e.Kind, TKind::Wheel);
    EXPECT_EQ(e.WheelDelta, 240);
    EXPECT_EQ(e.ScreenPos, (TPoint{103, 54}));
    EXPECT_EQ(Wheel(1, SDL_MOUSEWHEEL_FLIPPED).WheelDelta, -120);
    EXPECT_EQ(Wheel(0, SDL_MOUSEWHEEL_NORMAL).Kind, TKind::None); // sideways only
}

TEST_F(SdlEventTranslation, KeysGiveVirtualKeyCodesWhateverTheLayout) {
    THostEvent e = Key(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, 1);
    EXPECT_EQ(e.Kind, TKind::KeyDown);
    EXPECT_EQ(e.VirtualKey, 'A');
    EXPECT_TRUE(e.Repeat);
    EXPECT_EQ(e.Surface, &FSurface);
    e = Key(SDL_KEYUP, SDLK_RCTRL, SDL_SCANCODE_RCTRL);
    EXPECT_EQ(e.Kind, TKind::KeyUp);
    EXPECT_EQ(e.VirtualKey, 17);
    EXPECT_FALSE(e.Repeat);

    const struct {
        SDL_Keycode Sym;
        SDL_Scancode Code;
        int VirtualKey;
    } keys[] = {
        {SDLK_z, SDL_SCANCODE_Y, 'Z'},                  // German layout: the symbol decides
        {SDLK_0, SDL_SCANCODE_0, '0'},
        {SDLK_9, SDL_SCANCODE_9, '9'},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, '1'},          // French digit row
        {232 /* è */, SDL_SCANCODE_LEFTBRACKET, 219},   // Italian: by position
        {SDLK_UNKNOWN, SDL_SCANCODE_NONUSBACKSLASH, 226},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
        {SDLK_TAB, SDL_SCANCODE_TAB, 9},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
        {SDLK_RALT, SDL_SCANCODE_RALT, 18},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
        {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
        {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},
        {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
        {SDLK_END, SDL_SCANCODE_END, 35},
        {SDLK_HOME, SDL_SCANCODE_HOME, 36},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},
        {SDLK_KP_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY, 106},
        {SDLK_F1, SDL_SCANCODE_F1, 112},
        {SDLK_F12, SDL_SCANCODE_F12, 123},
        {SDLK_F13, SDL_SCANCODE_F13, 124},
        {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 186},
        {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, 222},
    };
    for (const auto& k : keys) EXPECT_EQ(Key(SDL_KEYDOWN, k.Sym, k.Code).VirtualKey, k.VirtualKey) << k.Sym;
    EXPECT_EQ(Key(SDL_KEYDOWN, SDLK_MUTE, SDL_SCANCODE_MUTE).Kind, TKind::None);
}

TEST_F(SdlEventTranslation, TextWindowChangesQuitAndWake) {
    SDL_Event text{};
    text.text.type = SDL_TEXTINPUT;
    text.text.windowID = KnownWindow;
    std::snprintf(text.text.text, sizeof text.text.text, "%s", "\xC3\xA8"); // è, composed
    THostEvent e = Translate(text);
    EXPECT_EQ(e.Kind, TKind::Text);
    EXPECT_EQ(e.Text, "\xC3\xA8");

    EXPECT_EQ(Window(SDL_WINDOWEVENT_CLOSE).Kind, TKind::CloseRequest);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_EXPOSED).Kind, TKind::Expose);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_FOCUS_GAINED).Kind, TKind::FocusIn);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_FOCUS_LOST).Surface, &FSurface);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_FOCUS_LOST).Kind, TKind::FocusOut);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_MOVED).Kind, TKind::None);
    EXPECT_EQ(Window(SDL_WINDOWEVENT_CLOSE, GoneWindow).Kind, TKind::None);

    SDL_Event other{};
    other.type = SDL_QUIT;
    EXPECT_EQ(Translate(other).Kind, TKind::Quit);
    other.type = WakeType;
    EXPECT_EQ(Translate(other).Kind, TKind::Wake);
    other.type = WakeType + 1;
    EXPECT_EQ(Translate(other).Kind, TKind::None);
}

} // namespace
