#include "classlib/Application.h"

#include "classlib/Actions.h"
#include "classlib/Screen.h"
#include "classlib/SysUtils.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"

#include <algorithm>

TApplication* Application = nullptr;

void HandleBoundaryException(TObject* sender) {
    if (Application) return Application->HandleException(sender);
    std::string text = "Unknown error";
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    MessageBox(nullptr, text, "Error", MB_OK | MB_ICONSTOP);
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FIcon(std::make_unique<TIcon>()) {
    Application = this;
    if (!Screen) Screen = NewComponent<TScreen>(this);
    std::string name = ExtractFileName(::ExeName());
    FTitle = name.substr(0, name.rfind('.'));
    if (HasResource("MAINICON")) FIcon->LoadFromResourceName("MAINICON");
    FPreviousHook = SetMessageHook([this](MSG& msg) { return HookMessage(msg); });
}

TApplication::~TApplication() {
    Destroying();
    SetMessageHook(std::move(FPreviousHook));
    DestroyComponents();
    if (Application == this) Application = nullptr;
}

std::string TApplication::ExeName() const {
    return ::ExeName();
}

namespace {
// A press or a key acts on the control: its hint goes, and shows again only over another control.
bool EndsHint(UINT message) {
    static constexpr UINT presses[] = {
        WM_KEYDOWN,       WM_SYSKEYDOWN,      WM_LBUTTONDOWN,   WM_LBUTTONDBLCLK,  WM_RBUTTONDOWN,
        WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,     WM_MBUTTONDBLCLK, WM_NCLBUTTONDOWN,  WM_NCLBUTTONDBLCLK,
        WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK};
    return std::find(std::begin(presses), std::end(presses), message) != std::end(presses);
}
} // namespace

bool TApplication::HookMessage(MSG& msg) {
    if (EndsHint(msg.message)) CancelHint();
    bool handled = false;
    if (OnMessage) GuardBoundary(this, [&] { OnMessage(msg, handled); });
    return handled;
}

void TApplication::FormConstructing(TCustomForm* form) {
    if (!FPendingReference) return;
    auto assign = std::move(FPendingReference);
    FPendingReference = nullptr;
    assign(form);
}

void TApplication::FormDestroying(TCustomForm* form) {
    if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::Run() {
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated && HandleOneMessage()) {}
}

void TApplication::Terminate() {
    FTerminated = true;
    PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    if (!ProcessPendingMessages()) FTerminated = true;
}

void TApplication::HandleMessage() {
    HandleOneMessage();
}

bool TApplication::HandleOneMessage() {
    MSG msg;
    if (!PeekMessage(msg, PM_NOREMOVE)) Idle();
    if (!GetMessage(msg)) {
        if (msg.message == WM_QUIT) FTerminated = true;
        return false;
    }
    ProcessMessage(msg);
    return true;
}

void TApplication::Idle() {
    FreeDeviceContexts();
    GuardBoundary(this, UpdateAllActionLists);
    if (OnIdle) GuardBoundary(this, [this] { OnIdle(this); });
}

void TApplication::HandleException(TObject* sender) {
    std::exception_ptr current = std::current_exception();
    try {
        std::rethrow_exception(current);
    } catch (const std::exception& e) {
        if (OnException) {
            try {
                OnException(sender, e);
                return;
            } catch (const std::exception& inner) {
                return ShowException(inner);
            }
        }
        ShowException(e);
    } catch (...) {
        ShowException(Exception("Unknown exception"));
    }
}

void TApplication::ShowException(const std::exception& e) {
    HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
    MessageBox(owner, e.what(), FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HookMainWindow(TWindowHook hook) {
    FWindowHooks.push_back(std::move(hook));
}

void TApplication::UnhookMainWindow() {
    if (!FWindowHooks.empty()) FWindowHooks.pop_back();
}

bool TApplication::CallMainWindowHooks(TMessage& m) {
    std::vector<TWindowHook> hooks = FWindowHooks;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it)
        if ((*it)(m)) return true;
    return false;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == FHintTimer) FHintTimer = nullptr;
    if (component == FHintWindow) FHintWindow = nullptr;
    if (component == FMainForm) FMainForm = nullptr;
}

void TApplication::SetShowHint(bool value) {
    FShowHint = value;
    if (!value) CancelHint();
}

void TApplication::HintMouseMoved() {
    CancelHint();
    TControl* control = GetMouseControl();
    if (!FShowHint || !control || !control->ShowHint() || control->Hint().empty()) return;
    if (!FHintTimer) {
        FHintTimer = NewComponent<TTimer>(this);
        FHintTimer->OnTimer = [this](TObject*) { ShowHintNow(); };
    }
    FHintTimer->SetInterval(FHintPause);
    FHintTimer->SetEnabled(true);
}

void TApplication::ShowHintNow() {
    FHintTimer->SetEnabled(false);
    TControl* control = GetMouseControl();
    if (!control || !control->ShowHint() || control->Hint().empty()) return;
    if (!FHintWindow) FHintWindow = NewComponent<THintWindow>(this);
    FHintWindow->ActivateHint(GetCursorPos() + TPoint{0, 20}, control->Hint());
}

void TApplication::CancelHint() {
    if (FHintTimer) FHintTimer->SetEnabled(false);
    if (FHintWindow) FHintWindow->ReleaseHint();
}

bool TApplication::Active() const {
    HWND active = GetActiveWindow();
    return active && TWinControl::FindControl(active);
}
