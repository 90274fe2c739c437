#pragma once
#include "classlib/CustomControl.h"

#include <vector>

class TPageControl;

// One page of a page control: a container shown while its tab is the active one. It takes the page
// control's colour unless given its own.
class TTabSheet : public TCustomControl {
    VMR_CLASS(TTabSheet, TCustomControl)

  public:
    ~TTabSheet() override;
    static void PublishProperties(TPublisher<TTabSheet>& p);

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    // The place among the page control's pages; -1 without one.
    int PageIndex() const;
    void SetPageIndex(int value);
    // A sheet without a tab stays a page but cannot be chosen by its tab.
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool value);
    void SetParent(TWinControl* parent) override;

  protected:
    explicit TTabSheet(TComponent* owner);
    void WndProc(TMessage& message) override;
    void Paint() override;

  private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
};

// Pages behind a row of tabs, in the platform's classic look: raised tabs along the top, the active one
// drawn taller and joined to the raised body that holds the active page. A click on a tab shows its page.
class TPageControl : public TCustomControl {
    VMR_CLASS(TPageControl, TCustomControl)

  public:
    ~TPageControl() override;
    static void PublishProperties(TPublisher<TPageControl>& p);

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(size_t(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The tab of a page, in client coordinates; empty for a page without a visible tab.
    TRect TabRect(int index);
    // The page whose tab is at a client point, or nullptr.
    TTabSheet* PageAtTab(TPoint client);
    int TabHeight();

    // A new page was chosen by its tab.
    TNotifyEvent OnChange;

  protected:
    explicit TPageControl(TComponent* owner);
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

  private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PaintTab(int index);
    int TabWidth(const TTabSheet* page);
    // The first page with a visible tab after removing or hiding `gone`.
    TTabSheet* NextVisiblePage(const TTabSheet* gone) const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
