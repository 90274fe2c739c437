#include "classlib/SizeConstraints.h"

#include <algorithm>

void TSizeConstraints::PublishProperties(TPublisher<TSizeConstraints>& p) {
    p.Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
        .Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
        .Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
        .Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
}

void TSizeConstraints::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TSizeConstraints*>(source);
    if (!other) return TPersistent::Assign(source);
    FMinWidth = other->FMinWidth;
    FMinHeight = other->FMinHeight;
    FMaxWidth = other->FMaxWidth;
    FMaxHeight = other->FMaxHeight;
    if (OnChange) OnChange(this);
}

void TSizeConstraints::SetMinWidth(int value) { Update(FMinWidth, value); }
void TSizeConstraints::SetMinHeight(int value) { Update(FMinHeight, value); }
void TSizeConstraints::SetMaxWidth(int value) { Update(FMaxWidth, value); }
void TSizeConstraints::SetMaxHeight(int value) { Update(FMaxHeight, value); }

int TSizeConstraints::Constrain(int value, int minimum, int maximum) {
    if (maximum > 0) value = std::min(value, maximum);
    return std::max(value, minimum);
}

void TSizeConstraints::Update(int& field, int value) {
    value = std::max(value, 0);
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
}
