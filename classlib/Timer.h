#pragma once
#include "classlib/Component.h"

#include <cstdint>

// Calls OnTimer every Interval milliseconds while Enabled; an interval of 0 never fires. The timer may be
// freed from inside its own OnTimer.
class TTimer : public TComponent {
    VMR_CLASS(TTimer, TComponent)

  public:
    ~TTimer() override;
    static void PublishProperties(TPublisher<TTimer>& p);
    void AfterConstruction() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);

    TNotifyEvent OnTimer;

  protected:
    explicit TTimer(TComponent* owner);
    virtual void Timer();

  private:
    void UpdateTimer();
    void Stop();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    uintptr_t FId = 0;
};
