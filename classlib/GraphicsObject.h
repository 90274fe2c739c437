#pragma once
#include "classlib/Persistent.h"
#include "platform/DC.h"

#include <memory>

class TBitmap;

// The class library's names for the platform's pen and brush kinds, for code and layouts alike.
constexpr TPenStyle psSolid = TPenStyle::Solid, psDash = TPenStyle::Dash, psDot = TPenStyle::Dot,
                    psDashDot = TPenStyle::DashDot, psDashDotDot = TPenStyle::DashDotDot,
                    psClear = TPenStyle::Clear, psInsideFrame = TPenStyle::InsideFrame;
constexpr TPenMode pmBlack = TPenMode::Black, pmWhite = TPenMode::White, pmNop = TPenMode::Nop,
                   pmNot = TPenMode::Not, pmCopy = TPenMode::Copy, pmNotCopy = TPenMode::NotCopy,
                   pmMergePenNot = TPenMode::MergePenNot, pmMaskPenNot = TPenMode::MaskPenNot,
                   pmMergeNotPen = TPenMode::MergeNotPen, pmMaskNotPen = TPenMode::MaskNotPen,
                   pmMerge = TPenMode::Merge, pmNotMerge = TPenMode::NotMerge, pmMask = TPenMode::Mask,
                   pmNotMask = TPenMode::NotMask, pmXor = TPenMode::Xor, pmNotXor = TPenMode::NotXor;
constexpr TBrushStyle bsSolid = TBrushStyle::Solid, bsClear = TBrushStyle::Clear,
                      bsHorizontal = TBrushStyle::Horizontal, bsVertical = TBrushStyle::Vertical,
                      bsFDiagonal = TBrushStyle::FDiagonal, bsBDiagonal = TBrushStyle::BDiagonal,
                      bsCross = TBrushStyle::Cross, bsDiagCross = TBrushStyle::DiagCross;

VMR_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
               "psInsideFrame")
VMR_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
               "bsCross", "bsDiagCross")
// Pen modes keep the platform's raster-operation numbers.
const TEnumInfo& EnumTypeInfo(TPenMode*);

// A pen, brush or font of a canvas or a control: every setter that changes something fires OnChange once.
class TGraphicsObject : public TPersistent {
    VMR_CLASS(TGraphicsObject, TPersistent)

  public:
    TNotifyEvent OnChange;

  protected:
    TGraphicsObject() = default;
    virtual void Changed();
    // Stores the value and notifies, only when it differs.
    template <class T, class V> void Update(T& field, V&& value) {
        if (field == value) return;
        field = std::forward<V>(value);
        Changed();
    }
};

class TPen : public TGraphicsObject {
    VMR_CLASS(TPen, TGraphicsObject)

  public:
    TPen() = default;
    static void PublishProperties(TPublisher<TPen>& p);
    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor value) { Update(FColor, value); }
    int Width() const { return FWidth; }
    void SetWidth(int value) { Update(FWidth, value); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value) { Update(FStyle, value); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value) { Update(FMode, value); }

    // What the device context draws with.
    TPenDesc Desc() const;

  private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

class TBrush : public TGraphicsObject {
    VMR_CLASS(TBrush, TGraphicsObject)

  public:
    TBrush() = default;
    static void PublishProperties(TPublisher<TBrush>& p);
    void Assign(const TPersistent* source) override;

    TColor Color() const { return FColor; }
    // A clear brush given a colour becomes solid, as the platform's brushes do.
    void SetColor(TColor value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle value) { Update(FStyle, value); }
    // A pattern tiled from the brush origin, taken as the bitmap is now (as the platform's pattern brushes
    // copy their bitmap); nullptr or an empty bitmap removes it. The pattern replaces the style.
    void SetBitmap(const TBitmap* bitmap);
    const std::shared_ptr<const TSurface>& Pattern() const { return FPattern; }

    TBrushDesc Desc() const;

  private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::shared_ptr<const TSurface> FPattern;
};
