#include "AppFixture.h"

#include "classlib/data/ADOQuery.h"
#include "skin/TAVDBCtrls.h"

#include <map>

namespace {

// How many frames each visible top-level window has presented so far.
std::map<const THeadlessSurface*, int> Frames(const THeadlessHost& host) {
    std::map<const THeadlessSurface*, int> frames;
    for (const THeadlessSurface* s : host.Surfaces())
        if (s->Visible()) frames[s] = s->PresentCount();
    return frames;
}

TEST_F(AppTest, StartUpAndAClickOnASpellEachReachTheScreenInOneWholeFrame) {
    Start();
    std::map<const THeadlessSurface*, int> frames = Frames(FHost);
    ASSERT_EQ(frames.size(), 1u); // the main window alone shows
    EXPECT_EQ(frames.begin()->second, 1);

    TtavDBLookupListBox* list = FrmMain->DBLLBInc;
    FHost.Click(list->ClientToScreen({40, 3 * 13 + 6}));
    Pump();
    EXPECT_NE(FrmMain->ADOQryInc->RecNo(), 1); // the click chose another spell
    for (auto& [surface, count] : frames) ++count;
    EXPECT_EQ(Frames(FHost), frames);
}

} // namespace
