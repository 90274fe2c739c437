#include "classlib/Timer.h"

#include "classlib/Controls.h"
#include "platform/MessageLoop.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

void TTimer::AfterConstruction() {
    TComponent::AfterConstruction();
    UpdateTimer();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::PublishProperties(TPublisher<TTimer>& p) {
    p.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
        .Event("OnTimer", &TTimer::OnTimer);
}

void TTimer::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (FInterval == value) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::Stop() {
    if (FId) KillTimer(nullptr, FId);
    FId = 0;
}

void TTimer::UpdateTimer() {
    Stop();
    if (!FEnabled || FInterval == 0) return;
    FId = SetTimer(nullptr, 0, FInterval, [this](HWND, UINT, uintptr_t, DWORD) { Timer(); });
}

void TTimer::Timer() {
    TNotifyEvent handler = OnTimer; // the handler may free the timer, and itself with it
    if (handler) GuardBoundary(this, [&] { handler(this); });
}
