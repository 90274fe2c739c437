#pragma once
#include "classlib/CustomControl.h"

#include <string>
#include <vector>

// A framed list of choices, one selected: a click or the arrow keys choose.
class TQRChoiceList : public TCustomControl {
    VMR_CLASS(TQRChoiceList, TCustomControl)

  public:
    static constexpr int RowHeight = 18;
    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index);
    TRect ItemRect(int index) const;
    TNotifyEvent OnChange;

  protected:
    explicit TQRChoiceList(TComponent* owner);
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

  private:
    std::vector<std::string> FItems;
    int FItemIndex = -1;
};
