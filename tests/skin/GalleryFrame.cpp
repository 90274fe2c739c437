#include "Gallery.h"
#include "MenuWindowPeek.h"

#include "classlib/Application.h"
#include "classlib/MenuItem.h"
#include "classlib/ShortCut.h"
#include "platform/Input.h"
#include "platform/ScreenLayer.h"
#include "platform/host/headless/HeadlessHost.h"
#include "skin/TAVForm.h"
#include "skin/TAVMainMenu.h"

#include <initializer_list>

namespace {

// The frame's own size; the window sits where its first menu can drop down on the screen.
constexpr int FrameWidth = 360, FrameHeight = 196;
constexpr TPoint WindowPlace{40, 120};

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const std::string& caption) {
    auto* item = NewComponent<TMenuItem>(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// File holds an item of each look: a shortcut, a checked one, a separator, a disabled one.
TtavForm* MakeFramedWindow(TtavUIStyle style, TtavFileTheme* theme) {
    auto* form = NewComponent<TForm>(Application);
    auto* frame = NewComponent<TtavForm>(form);
    frame->SetParent(form);
    frame->SetCaption("Il Velmarune");
    auto* menu = NewComponent<TtavMainMenu>(form); // it attaches itself to the frame
    TMenuItem* file = AddItem(form, menu->Items(), "&File");
    AddItem(form, file, "&Nuovo")->SetShortCut(ShortCut('N', {ssCtrl}));
    AddItem(form, file, "&Apri")->SetChecked(true);
    AddItem(form, file, "-");
    AddItem(form, file, "&Salva")->SetEnabled(false);
    AddItem(form, file, "E&sci");
    AddItem(form, AddItem(form, menu->Items(), "&Modifica"), "&Copia");
    AddItem(form, AddItem(form, menu->Items(), "&Aiuto"), "&Informazioni");
    menu->HookMenuItems();
    frame->RebuildMenuBar();
    frame->SetFileTheme(theme);
    frame->SetUIStyle(style);
    // After the style, whose border width resizes the window around the frame.
    frame->SetFrameWidth(FrameWidth);
    frame->SetFrameHeight(FrameHeight);
    form->SetLeft(WindowPlace.X);
    form->SetTop(WindowPlace.Y);
    return frame;
}

// The windows as the screen shows them over the area, with `background` where none is.
TSurface Compose(const TRect& area, std::initializer_list<HWND> windows, TColor background) {
    PresentWindows();
    TSurface block(area.Width(), area.Height(), ColorToPixel(background));
    for (HWND window : windows) {
        const auto* surface = static_cast<const THeadlessSurface*>(GetHostSurface(window));
        DrawScreenLayer(block, surface->Pixels(), surface->Bounds().TopLeft() - area.TopLeft(), surface->Shape());
    }
    return block;
}

TPoint ButtonMiddle(TToolBar* bar, int index) {
    const TRect r = bar->Buttons(index)->BoundsRect();
    return bar->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

} // namespace

TFramedWindowShots ShootFramedWindow(THeadlessHost& host, TtavUIStyle style, TtavFileTheme* theme,
                                     TColor background) {
    TtavForm* frame = MakeFramedWindow(style, theme);
    auto* form = static_cast<TForm*>(frame->Owner());
    form->Show();
    RunUntilIdle();
    const TRect area = Bounds(WindowPlace.X, WindowPlace.Y, FramedWindowSpace.cx, FramedWindowSpace.cy);
    TToolBar* bar = frame->MenuBar();
    TFramedWindowShots shots;
    host.MouseMove(area.TopLeft() - TPoint{10, 10});
    RunUntilIdle();
    shots.Normal = Compose(area, {form->Handle()}, background);
    host.MouseMove(ButtonMiddle(bar, 1));
    RunUntilIdle();
    shots.Hot = Compose(area, {form->Handle()}, background);

    PeekAtMenuWindow([&](HWND menu) { shots.Dropped = Compose(area, {form->Handle(), menu}, background); });
    host.Click(ButtonMiddle(bar, 0));
    host.KeyPress(VK_DOWN);
    host.Pause(60);
    host.KeyPress(VK_ESCAPE);
    host.KeyPress(VK_ESCAPE);
    RunUntilIdle();
    StopPeekingAtMenuWindow();
    delete form;
    RunUntilIdle();
    return shots;
}
