#include "platform/MessageBox.h"

#include "platform/Input.h"
#include "platform/MessageLoop.h"
#include "platform/Painting.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* BoxClass = "VmrMessageBox";
constexpr int Margin = 11;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;
constexpr int MaxTextWidth = 400;

TMessageBoxHook& BoxHook() {
    static TMessageBoxHook hook;
    return hook;
}

struct TBoxButton {
    int Id;
    const char* Caption;
};

std::vector<TBoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Annulla"}};
    case MB_YESNO:
        return {{IDYES, "Sì"}, {IDNO, "No"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "Sì"}, {IDNO, "No"}, {IDCANCEL, "Annulla"}};
    default:
        return {{IDOK, "OK"}};
    }
}

// What Escape and the close button answer; none for a Yes-No box.
std::optional<int> CancelAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return std::nullopt;
    default:
        return IDCANCEL;
    }
}

TFontDesc BoxFont() {
    return TFontDesc{};
}

class TMessageBoxWindow {
  public:
    explicit TMessageBoxWindow(const TMessageBoxRequest& request)
        : FRequest(request), FButtons(ButtonsOf(request.Type)) {
        int defIndex = int((request.Type & MB_DEFMASK) >> 8);
        FDefault = std::clamp(defIndex, 0, int(FButtons.size()) - 1);
        Layout();
    }

    HWND Create() {
        RegisterClass(WNDCLASS{BoxClass, 0, {}, clBtnFace, THostCursor::Arrow});
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        TNonClientLayout frame = NonClientLayout(style, 0, {1000, 1000});
        TSize size{FClientSize.cx + 1000 - frame.Client.Width(),
                   FClientSize.cy + 1000 - frame.Client.Height()};
        TRect place = CentredPlace(size);
        HWND owner = FRequest.Owner ? GetAncestorRoot(FRequest.Owner) : nullptr;
        FHwnd = CreateWindowEx(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, BoxClass, FRequest.Caption, style,
                               place.Left, place.Top, size.cx, size.cy, owner);
        SetWindowProc(FHwnd, [this](HWND h, UINT m, WPARAM w, LPARAM l) { return WndProc(h, m, w, l); });
        return FHwnd;
    }

    std::optional<int> Result() const { return FResult; }

  private:
    void Layout() {
        TSurface scratch(1, 1);
        TDC dc(scratch);
        dc.SetFont(BoxFont());
        FTextRect = Rect(0, 0, MaxTextWidth, 0);
        dc.DrawText(FRequest.Text, FTextRect, TextFormat() | DT_CALCRECT);
        int textLeft = Margin + (HasIcon() ? IconSize + Margin : 0);
        int contentHeight = std::max(HasIcon() ? IconSize : 0, FTextRect.Height());
        int textTop = Margin + (contentHeight - FTextRect.Height()) / 2;
        FTextRect = FTextRect.Offsetted(textLeft, textTop);
        int buttonsWidth = int(FButtons.size()) * ButtonWidth + (int(FButtons.size()) - 1) * ButtonGap;
        FClientSize.cx = std::max({FTextRect.Right + Margin, buttonsWidth + 2 * Margin, 120});
        FClientSize.cy = Margin + contentHeight + Margin + ButtonHeight + Margin;
        int left = (FClientSize.cx - buttonsWidth) / 2;
        int top = FClientSize.cy - Margin - ButtonHeight;
        for (size_t i = 0; i < FButtons.size(); ++i)
            FButtonRects.push_back(
                Bounds(left + int(i) * (ButtonWidth + ButtonGap), top, ButtonWidth, ButtonHeight));
    }

    static unsigned TextFormat() { return DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS; }
    bool HasIcon() const { return (FRequest.Type & MB_ICONMASK) != 0; }

    TRect CentredPlace(TSize size) const {
        TRect work = Host().WorkArea();
        TRect over = FRequest.Owner && IsWindowVisible(FRequest.Owner)
                         ? GetWindowRect(GetAncestorRoot(FRequest.Owner))
                         : work;
        int x = over.Left + (over.Width() - size.cx) / 2, y = over.Top + (over.Height() - size.cy) / 2;
        x = std::clamp(x, work.Left, std::max(work.Left, work.Right - size.cx));
        y = std::clamp(y, work.Top, std::max(work.Top, work.Bottom - size.cy));
        return Bounds(x, y, size.cx, size.cy);
    }

    int ButtonAt(TPoint client) const {
        for (size_t i = 0; i < FButtonRects.size(); ++i)
            if (FButtonRects[i].Contains(client)) return int(i);
        return -1;
    }

    void Answer(int id) { FResult = id; }

    void Paint(TDC& dc) {
        dc.SetFont(BoxFont());
        dc.SetBkMode(TBkMode::Transparent);
        if (HasIcon()) PaintIcon(dc, Bounds(Margin, Margin, IconSize, IconSize));
        dc.SetTextColor(clWindowText);
        TRect text = FTextRect;
        dc.DrawText(FRequest.Text, text, TextFormat());
        for (size_t i = 0; i < FButtons.size(); ++i)
            PaintButton(dc, int(i));
    }

    void PaintIcon(TDC& dc, const TRect& r) {
        UINT icon = FRequest.Type & MB_ICONMASK;
        TColor fill = icon == MB_ICONERROR ? clRed : icon == MB_ICONWARNING ? clYellow : clBlue;
        const char* glyph = icon == MB_ICONERROR      ? "X"
                            : icon == MB_ICONQUESTION ? "?"
                            : icon == MB_ICONWARNING  ? "!"
                                                      : "i";
        dc.SetPen(TPenDesc{TPenStyle::Solid, 1, clBlack});
        dc.SetBrush(TBrushDesc::SolidColor(fill));
        if (icon == MB_ICONWARNING) {
            TPoint triangle[3] = {
                {r.Left + r.Width() / 2, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left, r.Bottom - 1}};
            dc.Polygon(triangle, 3);
        } else {
            dc.Ellipse(r);
        }
        TFontDesc font = BoxFont();
        font.Height = -20;
        font.Weight = 700;
        TDCStateSaver saver(dc);
        dc.SetFont(font);
        dc.SetTextColor(icon == MB_ICONWARNING ? clBlack : clWhite);
        TRect glyphRect = icon == MB_ICONWARNING ? TRect{r.Left, r.Top + 6, r.Right, r.Bottom} : r;
        dc.DrawText(glyph, glyphRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    void PaintButton(TDC& dc, int i) {
        TRect r = FButtonRects[size_t(i)];
        bool pressed = i == FPressed && FPressedInside;
        if (i == FDefault) {
            dc.FrameRect(r, TBrushDesc::SolidColor(clWindowFrame));
            r = r.Inflated(-1, -1);
        }
        DrawButtonFace(dc, r, pressed);
        TRect text = pressed ? r.Offsetted(1, 1) : r;
        dc.SetTextColor(clBtnText);
        dc.DrawText(FButtons[size_t(i)].Caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (i == FDefault) dc.DrawFocusRect(r.Inflated(-3, -3));
    }

    void Repaint() { InvalidateRect(FHwnd, nullptr, false); }

    static bool AnswersOnRelease(int vk) { return vk == VK_RETURN || vk == VK_SPACE || vk == VK_ESCAPE; }

    void KeyAction(int vk) {
        switch (vk) {
        case VK_RETURN:
        case VK_SPACE:
            Answer(FButtons[size_t(FDefault)].Id);
            break;
        case VK_ESCAPE:
            if (std::optional<int> cancel = CancelAnswer(FRequest.Type)) Answer(*cancel);
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_TAB: {
            int n = int(FButtons.size());
            bool back = vk == VK_LEFT || (vk == VK_TAB && GetKeyState(VK_SHIFT) < 0);
            FDefault = (FDefault + (back ? n - 1 : 1)) % n;
            Repaint();
            break;
        }
        default:
            break;
        }
    }

    LRESULT WndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(h, ps);
            Paint(*dc);
            if (!wParam) EndPaint(h, ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            FPressed = ButtonAt(LParamToPoint(lParam));
            FPressedInside = FPressed >= 0;
            if (FPressed >= 0) {
                FDefault = FPressed;
                SetCapture(h);
                Repaint();
            }
            return 0;
        case WM_MOUSEMOVE:
            if (FPressed >= 0 && (ButtonAt(LParamToPoint(lParam)) == FPressed) != FPressedInside) {
                FPressedInside = !FPressedInside;
                Repaint();
            }
            return 0;
        case WM_LBUTTONUP: {
            int pressed = FPressed;
            FPressed = -1;
            ReleaseCapture();
            if (pressed >= 0 && ButtonAt(LParamToPoint(lParam)) == pressed)
                Answer(FButtons[size_t(pressed)].Id);
            Repaint();
            return 0;
        }
        // An answering key acts on its release, so that the release cannot reach the window below the box.
        case WM_KEYDOWN:
            if (AnswersOnRelease(int(wParam)))
                FHeldKey = int(wParam);
            else
                KeyAction(int(wParam));
            return 0;
        case WM_KEYUP:
            if (int(wParam) == FHeldKey) {
                FHeldKey = 0;
                KeyAction(int(wParam));
            }
            return 0;
        case WM_CLOSE:
            if (std::optional<int> cancel = CancelAnswer(FRequest.Type)) Answer(*cancel);
            return 0;
        default:
            return DefWindowProc(h, msg, wParam, lParam);
        }
    }

    TMessageBoxRequest FRequest;
    std::vector<TBoxButton> FButtons;
    std::vector<TRect> FButtonRects;
    TRect FTextRect;
    TSize FClientSize;
    HWND FHwnd = nullptr;
    int FDefault = 0;
    int FPressed = -1;
    int FHeldKey = 0;
    bool FPressedInside = false;
    std::optional<int> FResult;
};

} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    TMessageBoxHook previous = std::move(BoxHook());
    BoxHook() = std::move(hook);
    return previous;
}

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    TMessageBoxRequest request{owner, text, caption, type};
    if (TMessageBoxHook hook = BoxHook())
        if (std::optional<int> answer = hook(request)) return *answer;
    HWND ownerTop = owner ? GetAncestorRoot(owner) : nullptr;
    bool disabledOwner = ownerTop && IsWindowEnabled(ownerTop);
    if (disabledOwner) EnableWindow(ownerTop, false);
    TMessageBoxWindow box(request);
    HWND hwnd = box.Create();
    ShowWindow(hwnd, SW_SHOW);
    RunModalLoop([&] { return box.Result().has_value() || !IsWindow(hwnd); });
    // The owner comes back before the box goes, so that activation returns to it.
    if (disabledOwner) EnableWindow(ownerTop, true);
    DestroyWindow(hwnd);
    return box.Result().value_or(CancelAnswer(type).value_or(IDNO));
}
