#pragma once
#include "classlib/CustomControl.h"

#include <string>

// A whole number shown after its label, changed with its - and + buttons within Min and Max.
class TQRNumberField : public TCustomControl {
    VMR_CLASS(TQRNumberField, TCustomControl)

  public:
    void SetLabel(const std::string& label);
    void SetLimits(int min, int max);
    int Value() const { return FValue; }
    void SetValue(int value);
    class TQRToolButton* MinusButton() const { return FMinus; }
    class TQRToolButton* PlusButton() const { return FPlus; }

  protected:
    explicit TQRNumberField(TComponent* owner);
    void Paint() override;
    void Resize() override;

  private:
    std::string FLabel;
    int FMin = 1;
    int FMax = 999;
    int FValue = 1;
    TQRToolButton* FMinus = nullptr;
    TQRToolButton* FPlus = nullptr;
};
