#include "classlib/PageControl.h"

#include "classlib/Frame3D.h"
#include "classlib/TextAlignment.h"

#include <algorithm>

namespace {
constexpr int TabPadding = 12;    // beside a tab's caption, both sides together
constexpr int TabsLeft = 2;       // where the first tab starts
constexpr int ActiveRise = 2;     // how much taller and wider the active tab is drawn
constexpr int PageMargin = 4;     // from the body's outer edge to its page
} // namespace

// ---- TTabSheet --------------------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
    SetVisible(false);
    SetAlign(alClient);
    SetParentColor(true);
}

TTabSheet::~TTabSheet() {
    Destroying();
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::PublishProperties(TPublisher<TTabSheet>& p) {
    p.String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
        .Component("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)
        .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true);
}

void TTabSheet::SetPageControl(TPageControl* value) {
    SetParent(value);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FPageControl) FPageControl->RemovePage(this);
    TCustomControl::SetParent(parent);
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) pages->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl) FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (FTabVisible == value) return;
    FTabVisible = value;
    if (!FPageControl) return;
    if (!value && FPageControl->FActivePage == this) FPageControl->SetActivePage(FPageControl->NextVisiblePage(this));
    FPageControl->Invalidate();
}

void TTabSheet::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->Invalidate();
}

void TTabSheet::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

// ---- TPageControl -----------------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque} - TControlStyle{csDoubleClicks});
    SetColor(clBtnFace);
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
}

void TPageControl::PublishProperties(TPublisher<TPageControl>& p) {
    p.Component("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Event("OnChange", &TPageControl::OnChange);
}

void TPageControl::InsertPage(TTabSheet* page) {
    page->FPageControl = this;
    FPages.push_back(page);
    if (!FActivePage && page->FTabVisible) SetActivePage(page);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = FActivePage == page ? NextVisiblePage(page) : FActivePage;
    page->FPageControl = nullptr;
    std::erase(FPages, page);
    if (FActivePage == page) {
        FActivePage = nullptr;
        SetActivePage(next);
    }
    Invalidate();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto at = std::find(FPages.begin(), FPages.end(), page);
    if (at == FPages.end()) return;
    FPages.erase(at);
    index = std::clamp(index, 0, int(FPages.size()));
    FPages.insert(FPages.begin() + index, page);
    Invalidate();
}

TTabSheet* TPageControl::NextVisiblePage(const TTabSheet* gone) const {
    for (TTabSheet* page : FPages)
        if (page != gone && page->FTabVisible) return page;
    return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this) return;
    if (FActivePage == page) return;
    TTabSheet* old = FActivePage;
    FActivePage = page;
    if (page) {
        page->SetVisible(true);
        page->BringToFront();
    }
    if (old) old->SetVisible(false);
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

int TPageControl::TabHeight() {
    return MeasureText(Font(), "Wg", TRect{}, DT_SINGLELINE).Height() + 6;
}

int TPageControl::TabWidth(const TTabSheet* page) {
    return MeasureText(Font(), page->Caption(), TRect{}, DT_SINGLELINE).Width() + TabPadding;
}

TRect TPageControl::TabRect(int index) {
    if (index < 0 || index >= PageCount() || !FPages[size_t(index)]->FTabVisible) return {};
    int x = TabsLeft;
    for (int i = 0; i < index; ++i)
        if (FPages[size_t(i)]->FTabVisible) x += TabWidth(FPages[size_t(i)]);
    return {x, ActiveRise, x + TabWidth(FPages[size_t(index)]), TabHeight()};
}

TTabSheet* TPageControl::PageAtTab(TPoint client) {
    for (int i = 0; i < PageCount(); ++i) {
        TRect tab = TabRect(i);
        if (FPages[size_t(i)] == FActivePage) tab = {tab.Left - ActiveRise, 0, tab.Right + ActiveRise, tab.Bottom};
        if (tab.Contains(client)) return FPages[size_t(i)];
    }
    return nullptr;
}

void TPageControl::AdjustClientRect(TRect& rect) {
    TCustomControl::AdjustClientRect(rect);
    rect = {rect.Left + PageMargin, rect.Top + TabHeight() + PageMargin, rect.Right - PageMargin,
            rect.Bottom - PageMargin};
}

void TPageControl::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    TRect body{0, TabHeight(), Width(), Height()};
    Frame3D(canvas, body, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, body, cl3DLight, clBtnShadow, 1);
    for (int i = 0; i < PageCount(); ++i)
        if (FPages[size_t(i)] != FActivePage) PaintTab(i);
    if (FActivePage) PaintTab(FActivePage->PageIndex());
}

// A raised tab with cut top corners; the active one is taller, wider and open into the body.
void TPageControl::PaintTab(int index) {
    TRect r = TabRect(index);
    if (r.Width() <= 0) return;
    const bool active = FPages[size_t(index)] == FActivePage;
    if (active) r = {r.Left - ActiveRise, 0, r.Right + ActiveRise, r.Bottom + 1};
    TCanvas* canvas = Canvas();
    auto fill = [&](TRect area, TColor color) {
        canvas->Brush()->SetColor(color);
        canvas->FillRect(area);
    };
    fill({r.Left, r.Top, r.Right, r.Bottom}, Color());
    fill({r.Left, r.Top + 2, r.Left + 1, r.Bottom}, clBtnHighlight);         // left edge
    fill({r.Left + 1, r.Top + 1, r.Left + 2, r.Top + 2}, clBtnHighlight);     // corner
    fill({r.Left + 2, r.Top, r.Right - 2, r.Top + 1}, clBtnHighlight);        // top edge
    fill({r.Right - 2, r.Top + 1, r.Right - 1, r.Top + 2}, cl3DDkShadow);     // corner
    fill({r.Right - 1, r.Top + 2, r.Right, r.Bottom}, cl3DDkShadow);          // right edge
    fill({r.Right - 2, r.Top + 2, r.Right - 1, r.Bottom}, clBtnShadow);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    TRect text{r.Left, r.Top + (active ? 1 : 0), r.Right, r.Bottom - (active ? 1 : 0)};
    canvas->Handle()->SetTextColor(Font()->Color());
    canvas->Handle()->DrawText(FPages[size_t(index)]->Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas->Brush()->SetStyle(bsSolid);
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    if (button == mbLeft) {
        TTabSheet* page = PageAtTab({x, y});
        if (page && page != FActivePage) {
            SetActivePage(page);
            if (OnChange) OnChange(this);
            if (alive.expired()) return;
        }
        if (page && CanFocus()) SetFocus();
        if (alive.expired()) return;
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: // Paint covers every pixel
        m.Result = 1;
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        Realign();
        return;
    }
    TCustomControl::WndProc(m);
}
