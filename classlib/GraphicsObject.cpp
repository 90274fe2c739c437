#include "classlib/GraphicsObject.h"

#include "classlib/Bitmap.h"

const TEnumInfo& EnumTypeInfo(TPenMode*) {
    static const TEnumInfo info(
        "TPenMode", std::vector<std::pair<std::string, int64_t>>{{"pmBlack", int64_t(pmBlack)},
                                                                 {"pmWhite", int64_t(pmWhite)},
                                                                 {"pmNop", int64_t(pmNop)},
                                                                 {"pmNot", int64_t(pmNot)},
                                                                 {"pmCopy", int64_t(pmCopy)},
                                                                 {"pmNotCopy", int64_t(pmNotCopy)},
                                                                 {"pmMergePenNot", int64_t(pmMergePenNot)},
                                                                 {"pmMaskPenNot", int64_t(pmMaskPenNot)},
                                                                 {"pmMergeNotPen", int64_t(pmMergeNotPen)},
                                                                 {"pmMaskNotPen", int64_t(pmMaskNotPen)},
                                                                 {"pmMerge", int64_t(pmMerge)},
                                                                 {"pmNotMerge", int64_t(pmNotMerge)},
                                                                 {"pmMask", int64_t(pmMask)},
                                                                 {"pmNotMask", int64_t(pmNotMask)},
                                                                 {"pmXor", int64_t(pmXor)},
                                                                 {"pmNotXor", int64_t(pmNotXor)}});
    return info;
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TPen ----

void TPen::PublishProperties(TPublisher<TPen>& p) {
    p.Color("Color", &TPen::FColor, &TPen::SetColor, clBlack);
    p.Enum("Mode", &TPen::FMode, &TPen::SetMode, pmCopy);
    p.Enum("Style", &TPen::FStyle, &TPen::SetStyle, psSolid);
    p.Integer("Width", &TPen::FWidth, &TPen::SetWidth, 1);
}

void TPen::Assign(const TPersistent* source) {
    auto* pen = dynamic_cast<const TPen*>(source);
    if (!pen) return inherited::Assign(source);
    if (FColor == pen->FColor && FWidth == pen->FWidth && FStyle == pen->FStyle && FMode == pen->FMode)
        return;
    FColor = pen->FColor;
    FWidth = pen->FWidth;
    FStyle = pen->FStyle;
    FMode = pen->FMode;
    Changed();
}

TPenDesc TPen::Desc() const {
    return {FStyle, FWidth, FColor};
}

// ---- TBrush ----

void TBrush::PublishProperties(TPublisher<TBrush>& p) {
    p.Color("Color", &TBrush::FColor, &TBrush::SetColor, clWhite);
    p.Enum("Style", &TBrush::FStyle, &TBrush::SetStyle, bsSolid);
}

void TBrush::Assign(const TPersistent* source) {
    auto* brush = dynamic_cast<const TBrush*>(source);
    if (!brush) return inherited::Assign(source);
    if (FColor == brush->FColor && FStyle == brush->FStyle && FPattern == brush->FPattern) return;
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    FPattern = brush->FPattern;
    Changed();
}

void TBrush::SetColor(TColor value) {
    if (FColor == value && FStyle != bsClear) return;
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetBitmap(const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) {
        if (!FPattern) return;
        FPattern.reset();
    } else {
        FPattern = std::make_shared<const TSurface>(bitmap->Surface());
    }
    Changed();
}

TBrushDesc TBrush::Desc() const {
    return {FPattern ? TBrushStyle::Pattern : FStyle, FColor, FPattern};
}
