#pragma once
#include "classlib/Controls.h"
#include "platform/host/Host.h"

#include <vector>

class TCustomForm;

// The screen the program runs on: its forms, the active form and control, and the cursor that overrides
// every control's while it is not crDefault.
class TScreen : public TComponent {
    VMR_CLASS(TScreen, TComponent)

  public:
    ~TScreen() override;

    int FormCount() const { return int(FForms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The host cursor a cursor number shows.
    THostCursor Cursors(TCursor cursor) const { return HostCursor(cursor); }
    static THostCursor HostCursor(TCursor cursor);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }

  protected:
    explicit TScreen(TComponent* owner) : TComponent(owner) {}

  private:
    friend class TCustomForm;
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);

    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;
