#pragma once
#include "classlib/CustomControl.h"

#include <string>

// A one-line text field of the preview's dialogs: typing appends, Backspace removes the last character.
class TQRTextEntry : public TCustomControl {
    VMR_CLASS(TQRTextEntry, TCustomControl)

  public:
    const std::string& Value() const { return FValue; }
    void SetValue(const std::string& value);

  protected:
    explicit TQRTextEntry(TComponent* owner);
    void Paint() override;
    void KeyPress(char32_t& key) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

  private:
    std::string FValue;
};
