#include "AppFixture.h"

#include "classlib/data/ADOQuery.h"
#include "classlib/dbctrls/DBCtrlGrid.h"
#include "platform/Services.h"
#include "skin/TAVDBCtrls.h"
#include "platform/Window.h"
#include "skin/TAVButton.h"
#include "skin/TAVForm.h"

namespace {

class MainWindowSize : public AppTest {
  protected:
    HWND Main() const { return FrmMain->Handle(); }
    THeadlessSurface* MainSurface() const { return static_cast<THeadlessSurface*>(GetHostSurface(Main())); }
    // Where the bottom-right button sits from the window's bottom-right corner.
    TPoint ButtonFromCorner() const {
        const TRect window = GetWindowRect(Main());
        const TPoint corner = FrmMain->tavButton2->ClientToScreen(
            {FrmMain->tavButton2->Width(), FrmMain->tavButton2->Height()});
        return window.BottomRight() - corner;
    }
};

TEST_F(MainWindowSize, ASizeFromTheDesktopLaysTheWindowOutAgainAndKeepsItsSizingEdges) {
    Start();
    const TRect before = GetWindowRect(Main());
    const TPoint fromCorner = ButtonFromCorner();
    const int gridMargin = FrmMain->Width() - FrmMain->DBCGSelezionati->Width();

    const TRect wanted = Bounds(before.Left + 10, before.Top + 5, 900, 700);
    const int frames = MainSurface()->PresentCount();
    FHost.ConfigureSurface(MainSurface(), wanted);
    Pump();
    EXPECT_EQ(MainSurface()->PresentCount(), frames + 1) << "the new layout reaches the screen in one frame";
    EXPECT_EQ(GetWindowRect(Main()), wanted);
    EXPECT_EQ(FrmMain->Width(), 900);
    EXPECT_EQ(FrmMain->Height(), 700);
    // The frame fits the new size and the anchored controls follow the corner.
    EXPECT_EQ(FrmMain->tavForm1->Width() + 2 * FrmMain->tavForm1->BorderWidth(), 900);
    EXPECT_EQ(ButtonFromCorner(), fromCorner);
    EXPECT_EQ(FrmMain->Width() - FrmMain->DBCGSelezionati->Width(), gridMargin);

    // Painted for the new size: the frame's dark border runs along the new bottom and right edges.
    const TSurface& shown = MainSurface()->Pixels();
    ASSERT_EQ(shown.Width(), 900);
    ASSERT_EQ(shown.Height(), 700);
    const TSurface screen = FHost.ComposeScreen();
    const TPoint bottomRight = wanted.BottomRight() - TPoint{1, 1};
    EXPECT_EQ(screen.Pixel(bottomRight.X, wanted.Top + 350), screen.Pixel(wanted.Left, wanted.Top + 350));
    EXPECT_EQ(screen.Pixel(wanted.Left + 450, bottomRight.Y), screen.Pixel(wanted.Left, wanted.Top + 350));

    // The sizing edges answer at the new corner, and a drag there sizes the window again.
    const TPoint grip = bottomRight;
    EXPECT_EQ(SendMessage(Main(), WM_NCHITTEST, 0, PointToLParam(grip)), LRESULT(HTBOTTOMRIGHT));
    FHost.MouseMove(grip, 0);
    FHost.MouseDown(grip);
    FHost.MouseMove(grip - TPoint{60, 40}, 1);
    FHost.MouseUp(grip - TPoint{60, 40});
    Pump();
    EXPECT_EQ(GetWindowRect(Main()), Bounds(wanted.Left, wanted.Top, 840, 660));
    EXPECT_EQ(MainSurface()->Bounds(), GetWindowRect(Main()));
    EXPECT_EQ(ButtonFromCorner(), fromCorner);
}

TEST_F(MainWindowSize, AfterMaximiseAndRestoreTheGridShowsItsScrollBarAndTheWheelOverItScrollsIt) {
    Start();
    DoubleClick(FrmMain->DBLLBInc);
    for (int i = 0; i < 2; ++i) {
        FHost.KeyPress(VK_DOWN);
        FHost.KeyPress(VK_RETURN);
    }
    Pump();
    TDBCtrlGrid* grid = FrmMain->DBCGSelezionati;
    ASSERT_EQ(FrmMain->ADOQrySel->RecordCount(), 3);
    auto strip = [&] {
        const TRect r = GetWindowRect(grid->Handle());
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const TSurface screen = FHost.ComposeScreen();
        TSurface part(width, r.Height(), 0);
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < width; ++x) part.SetPixel(x, y, screen.Pixel(r.Right - width + x, r.Top + y));
        return part;
    };
    const TSurface before = strip();

    ShowWindow(Main(), SW_MAXIMIZE);
    Pump();
    ShowWindow(Main(), SW_RESTORE);
    Pump();
    const TSurface after = strip();
    ASSERT_EQ(after.Height(), before.Height());
    int differing = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x) differing += after.Pixel(x, y) != before.Pixel(x, y);
    EXPECT_EQ(differing, 0) << "the scroll bar is not painted as it was before the maximise";

    // The wheel scrolls the grid under the pointer while the spell list keeps the focus.
    FrmMain->DBLLBInc->SetFocus();
    FrmMain->ADOQrySel->First();
    const int spellRow = FrmMain->ADOQryInc->RecNo();
    FHost.Wheel(CentreOf(grid), -WHEEL_DELTA);
    Pump();
    EXPECT_EQ(FrmMain->ADOQrySel->RecNo(), 2);
    EXPECT_EQ(FrmMain->ADOQryInc->RecNo(), spellRow);
    EXPECT_TRUE(FrmMain->DBLLBInc->Focused());
}

} // namespace
