#pragma once
#include "classlib/Persistent.h"

#include <functional>

// The smallest and largest size of a control; 0 leaves a limit open. A change tells the control, which
// applies the limits to its bounds at once.
class TSizeConstraints : public TPersistent {
    VMR_CLASS(TSizeConstraints, TPersistent)

  public:
    TSizeConstraints() = default;
    static void PublishProperties(TPublisher<TSizeConstraints>& p);
    void Assign(const TPersistent* source) override;

    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(int value);
    void SetMinHeight(int value);
    void SetMaxWidth(int value);
    void SetMaxHeight(int value);

    // Clamps a size to the limits; a maximum below the minimum gives way to the minimum.
    int ConstrainWidth(int width) const { return Constrain(width, FMinWidth, FMaxWidth); }
    int ConstrainHeight(int height) const { return Constrain(height, FMinHeight, FMaxHeight); }

    // Clamps to limits given apart; 0 leaves a limit open, and the minimum wins over a lower maximum.
    static int Constrain(int value, int minimum, int maximum);

    TNotifyEvent OnChange;

  private:
    void Update(int& field, int value);

    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};
