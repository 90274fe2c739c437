#include "WindowTestSupport.h"

#include "platform/MessageBox.h"

namespace {

// The box's window while it shows: the active window of the class the box registers.
HWND ShownBox() {
    HWND active = GetActiveWindow();
    return GetClassName(active) == "VmrMessageBox" ? active : nullptr;
}

} // namespace

TEST_F(TWindowTest, TheHookAnswersTheBoxBeforeItShows) {
    HWND owner = Top(Bounds(0, 0, 300, 200));
    std::vector<TMessageBoxRequest> asked;
    SetMessageBoxHook([&](const TMessageBoxRequest& r) -> std::optional<int> {
        asked.push_back(r);
        return IDYES;
    });
    size_t windowsBefore = GetTopLevelWindows().size();
    EXPECT_EQ(MessageBox(owner, "Eliminare il record?", "Conferma", MB_YESNO | MB_ICONQUESTION), IDYES);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Owner, owner);
    EXPECT_EQ(asked[0].Text, "Eliminare il record?");
    EXPECT_EQ(asked[0].Caption, "Conferma");
    EXPECT_EQ(asked[0].Type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(GetTopLevelWindows().size(), windowsBefore);
}

TEST_F(TWindowTest, EnterAndEscapeAnswerTheDefaultAndTheCancellingButton) {
    HWND owner = Top(Bounds(0, 0, 300, 200));
    FHost.KeyPress(VK_RETURN);
    EXPECT_EQ(MessageBox(owner, "Fatto.", "Info", MB_OK), IDOK);
    FHost.KeyPress(VK_RETURN);
    EXPECT_EQ(MessageBox(owner, "Sicuro?", "Domanda", MB_YESNO | MB_DEFBUTTON2), IDNO);
    FHost.KeyPress(VK_ESCAPE);
    EXPECT_EQ(MessageBox(owner, "Sicuro?", "Domanda", MB_OKCANCEL), IDCANCEL);
    FHost.KeyPress(VK_RIGHT);
    FHost.KeyPress(VK_RETURN);
    EXPECT_EQ(MessageBox(owner, "Sicuro?", "Domanda", MB_YESNO), IDNO);
    // Escape cannot answer a Yes-No box; with no more input it ends as No.
    FHost.KeyPress(VK_ESCAPE);
    EXPECT_EQ(MessageBox(owner, "Sicuro?", "Domanda", MB_YESNO), IDNO);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetTopLevelWindows(), std::vector<HWND>{owner});
}

TEST_F(TWindowTest, TheBoxIsModalOverItsOwnerAndAnswersAClickOnAButton) {
    HWND owner = Top(Bounds(100, 100, 400, 300), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    bool ownerWasDisabled = false;
    TPixel captionPixel = 0;
    bool clicked = false;
    TRect boxRect;
    SetMessageHook([&](MSG& msg) {
        HWND box = ShownBox();
        if (!box || clicked || msg.hwnd != box || msg.message != WM_PAINT) return false;
        clicked = true;
        ownerWasDisabled = !IsWindowEnabled(owner);
        UpdateWindow(box);
        PresentWindows();
        TRect r = GetWindowRect(box);
        boxRect = r;
        captionPixel = FHost.ScreenPixel({r.Left + 10, r.Top + 8});
        // A click on the owner changes nothing; then the right-hand button, 11 pixels above the bottom.
        FHost.Click({105, 290});
        TPoint cancel = ClientToScreen(
            box, {GetClientRect(box).Width() / 2 + 3 + 37, GetClientRect(box).Height() - 11 - 11});
        FHost.Click(cancel);
        return true;
    });
    EXPECT_EQ(MessageBox(owner, "Salvare le modifiche?", "Vmr", MB_OKCANCEL | MB_ICONWARNING), IDCANCEL);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_EQ(captionPixel, ColorToPixel(clActiveCaption));
    EXPECT_TRUE(Of(owner, WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    // The box sits in the middle of its owner.
    EXPECT_LE(std::abs((boxRect.Left + boxRect.Right) / 2 - 300), 1);
    EXPECT_LE(std::abs((boxRect.Top + boxRect.Bottom) / 2 - 250), 1);
}

TEST_F(TWindowTest, TheReleaseOfTheAnsweringKeyNeverReachesTheWindowBelow) {
    HWND owner = Top(Bounds(0, 0, 300, 200));
    SetActiveWindow(owner);
    SetFocus(owner);
    FHost.KeyPress(VK_RETURN);
    EXPECT_EQ(MessageBox(owner, "Errore.", "Vmr", MB_OK), IDOK);
    RunUntilIdle();
    EXPECT_TRUE(Of(owner, WM_KEYUP).empty());
    // The owner does get the keys pressed after the box.
    FHost.KeyPress(VK_RETURN);
    RunUntilIdle();
    EXPECT_EQ(Of(owner, WM_KEYUP).size(), 1u);
}
