#include "SkinHostTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/Bitmap.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"
#include "skin/TAVForm.h"
#include "skin/TAVMgr.h"
#include "skin/TAVPublic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

using B = TThemeFileBuilder;
constexpr int kFormBorderColor = 16;

// A skinned button as every skinned control follows the style pattern: a style from its form, values read
// from the theme or the built-in table on every style change, DeepBlue when its theme goes.
class TtavProbe : public TCustomControl {
    VMR_CLASS(TtavProbe, TCustomControl)

public:
    static void PublishProperties(TPublisher<TtavProbe>& p) {
        p.Component("FileTheme", &TtavProbe::FileTheme, &TtavProbe::SetFileTheme);
        p.Enum("UIStyle", &TtavProbe::UIStyle, &TtavProbe::SetUIStyle, TtavUIStyle::DeepBlue);
    }
    void AfterConstruction() override {
        TCustomControl::AfterConstruction();
        SetUIStyle(GetOwnerFormStyle(Owner()));
    }

    TtavFileTheme* FileTheme() const { return FFileTheme; }
    void SetFileTheme(TtavFileTheme* value) {
        FFileTheme = LinkFileTheme(this, FFileTheme, value);
        if (OnFileThemeSet) OnFileThemeSet();
        SetUIStyle(FUIStyle);
    }
    TtavUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TtavUIStyle value) {
        FUIStyle = value;
        TtavUIStyle effective;
        BorderColor = ResolveFileThemeStyle(FFileTheme, value, effective)
                          ? FFileTheme->GetThemeColor(kFormBorderColor)
                          : GetBuiltinThemeColor(effective, kFormBorderColor);
        ++Reads;
    }

    TColor BorderColor = 0;
    int Reads = 0;
    std::function<void()> OnFileThemeSet;

protected:
    explicit TtavProbe(TComponent* owner) : TCustomControl(owner) {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    void Notification(TComponent* component, TOperation operation) override {
        TCustomControl::Notification(component, operation);
        if (operation == opRemove && component == FFileTheme) {
            FFileTheme = nullptr;
            SetUIStyle(TtavUIStyle::DeepBlue);
        }
    }

private:
    TtavFileTheme* FFileTheme = nullptr;
    TtavUIStyle FUIStyle = TtavUIStyle::DeepBlue;
};

// The same properties under a class name that is not the skin's.
class TOtherProbe : public TCustomControl {
    VMR_CLASS(TOtherProbe, TCustomControl)

public:
    static void PublishProperties(TPublisher<TOtherProbe>& p) {
        p.Component("FileTheme", &TOtherProbe::FFileTheme, &TOtherProbe::SetFileTheme);
    }
    void SetFileTheme(TtavFileTheme* value) {
        FFileTheme = value;
        ++Sets;
    }
    int Sets = 0;

protected:
    explicit TOtherProbe(TComponent* owner) : TCustomControl(owner) {}

private:
    TtavFileTheme* FFileTheme = nullptr;
};

// A form class of a program's own.
class TSkinnedForm : public TForm {
    VMR_CLASS(TSkinnedForm, TForm)

protected:
    explicit TSkinnedForm(TComponent* owner) : TForm(owner) {}
    std::string LayoutName() const override { return {}; } // built in code
};

class ThemeComponentTest : public TSkinHostTest {
protected:
    void TearDown() override {
        Root.reset();
        TSkinHostTest::TearDown();
    }
    std::string SaveTheme(TColor border, const std::string& name = "theme.tav") {
        const std::string path = Folder.File(name);
        B::Chain({{"FormBorderColor", B::Integer, B::Int32(border)}}).Save(path);
        return path;
    }
    TTempFolder Folder;
    std::unique_ptr<TComponent> Root{NewComponent<TComponent>(nullptr)};
};

TEST_F(ThemeComponentTest, ThemeFileLoadsOnceByItsName) {
    auto* theme = NewComponent<TtavFileTheme>(Root.get());
    EXPECT_EQ(theme->ThemeFile(), "");
    EXPECT_FALSE(theme->IsThemeLoaded());
    EXPECT_FALSE(theme->GetThemeBool(2));
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0);
    EXPECT_EQ(theme->GetThemeInt(17), 0);

    const std::string path = SaveTheme(0x0A0B0C);
    theme->SetThemeFile(path);
    EXPECT_TRUE(theme->IsThemeLoaded());
    EXPECT_EQ(theme->ThemeFile(), path);
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0x0A0B0C);
    EXPECT_EQ(theme->GetThemeInt(17), -1);

    // The same text again does not reload, though the file changed.
    SaveTheme(0x111111);
    theme->SetThemeFile(path);
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0x0A0B0C);

    // A name found nowhere is ignored.
    theme->SetThemeFile(Folder.File("missing.tav"));
    EXPECT_EQ(theme->ThemeFile(), path);
    EXPECT_TRUE(theme->IsThemeLoaded());

    // Through type information, as layouts set it.
    SetStrProp(theme, "ThemeFile", SaveTheme(0x222222, "second.tav"));
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0x222222);
    EXPECT_NE(GetClass("TtavFileTheme"), nullptr);
}

TEST_F(ThemeComponentTest, BareNamesAreFoundBesideTheProgram) {
    const std::string name = "skintest-" + std::to_string(getpid()) + ".tav";
    const std::string besideProgram = ExeFolder() + name;
    B::Chain({{"FormBorderColor", B::Integer, B::Int32(0x313131)}}).Save(besideProgram);
    auto* theme = NewComponent<TtavFileTheme>(Root.get());
    theme->SetThemeFile(Folder.File("elsewhere/" + name));
    std::remove(besideProgram.c_str());
    EXPECT_EQ(theme->ThemeFile(), besideProgram);
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0x313131);
}

TEST_F(ThemeComponentTest, AFailedLoadTakesTheNameAndDropsThePreviousTheme) {
    auto* theme = NewComponent<TtavFileTheme>(Root.get());
    theme->SetThemeFile(SaveTheme(0x445566));

    B damaged = B::Chain({{"ButtonImage", B::Image, {1, 2, 3}}});
    damaged.PutU32(24 + 69, 100000);
    const std::string damagedPath = Folder.File("damaged.tav");
    damaged.Save(damagedPath);
    EXPECT_THROW(theme->SetThemeFile(damagedPath), EReadError);
    EXPECT_EQ(theme->ThemeFile(), damagedPath);
    EXPECT_TRUE(theme->IsThemeLoaded()); // the flag keeps its value
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0); // as without a file
    EXPECT_FALSE(theme->GetThemeBool(2));

    // The same name again is not reloaded; another good file is.
    theme->SetThemeFile(damagedPath);
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0);
    theme->SetThemeFile(SaveTheme(0x778899, "again.tav"));
    EXPECT_EQ(theme->GetThemeColor(kFormBorderColor), 0x778899);

    // Before any file loaded, a failure leaves the flag False.
    auto* fresh = NewComponent<TtavFileTheme>(Root.get());
    EXPECT_THROW(fresh->SetThemeFile(damagedPath), EReadError);
    EXPECT_EQ(fresh->ThemeFile(), damagedPath);
    EXPECT_FALSE(fresh->IsThemeLoaded());
}

TEST_F(ThemeComponentTest, ImagesAndFramesFromTheFile) {
    TSurface strip(6, 2, 0xFFFFFF);
    strip.SetPixel(4, 1, 0x00FF00);
    B::Chain({{"CheckBoxImage", B::Image, EncodeBMP(strip)}}).Save(Folder.File("images.tav"));
    auto* theme = NewComponent<TtavFileTheme>(Root.get());
    theme->SetThemeFile(Folder.File("images.tav"));

    TBitmap whole, frame;
    theme->GetThemeImage(3, &whole);
    EXPECT_EQ(whole.Width(), 6);
    theme->GetThemeImageFrame(3, &frame, 3, 3);
    ASSERT_EQ(frame.Width(), 2);
    EXPECT_EQ(frame.Surface().Pixel(0, 1), 0x00FF00u);

    // A key the file lacks: the whole image stays, a frame is empty.
    TBitmap kept, cut;
    kept.SetSize(4, 4);
    cut.SetSize(4, 4);
    theme->GetThemeImage(1, &kept);
    theme->GetThemeImageFrame(1, &cut, 3, 1);
    EXPECT_EQ(kept.Width(), 4);
    EXPECT_TRUE(cut.Empty());
}

TEST_F(ThemeComponentTest, StyleResolution) {
    TtavUIStyle effective;
    EXPECT_FALSE(ResolveFileThemeStyle(nullptr, TtavUIStyle::Protein, effective));
    EXPECT_EQ(effective, TtavUIStyle::Protein);
    EXPECT_FALSE(ResolveFileThemeStyle(nullptr, TtavUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TtavUIStyle::DeepBlue);

    auto* theme = NewComponent<TtavFileTheme>(Root.get());
    EXPECT_FALSE(ResolveFileThemeStyle(theme, TtavUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TtavUIStyle::DeepBlue);
    theme->SetThemeFile(SaveTheme(0x010203));
    EXPECT_TRUE(ResolveFileThemeStyle(theme, TtavUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TtavUIStyle::FromThemeFile);
    EXPECT_FALSE(ResolveFileThemeStyle(theme, TtavUIStyle::MacOS, effective));
    EXPECT_EQ(effective, TtavUIStyle::MacOS);

    // Without a theme the control shows DeepBlue but keeps its style.
    auto* probe = NewComponent<TtavProbe>(Root.get());
    probe->SetUIStyle(TtavUIStyle::FromThemeFile);
    EXPECT_EQ(probe->UIStyle(), TtavUIStyle::FromThemeFile);
    EXPECT_EQ(probe->BorderColor, GetBuiltinThemeColor(TtavUIStyle::DeepBlue, kFormBorderColor));
}

TEST_F(ThemeComponentTest, NewControlsTakeTheirFormsStyle) {
    auto* form = NewComponent<TForm>(Root.get());
    auto* first = NewComponent<TtavForm>(form);
    auto* second = NewComponent<TtavForm>(form);
    first->SetUIStyle(TtavUIStyle::Protein);
    second->SetUIStyle(TtavUIStyle::MacOS);
    EXPECT_EQ(NewComponent<TtavProbe>(form)->UIStyle(), TtavUIStyle::DeepBlue); // not child controls yet
    NewComponent<TOtherProbe>(form)->SetParent(form);
    first->SetParent(form);
    second->SetParent(form);
    EXPECT_EQ(NewComponent<TtavProbe>(form)->UIStyle(), TtavUIStyle::Protein);
    EXPECT_EQ(GetOwnerFormStyle(nullptr), TtavUIStyle::DeepBlue);
    EXPECT_EQ(NewComponent<TtavProbe>(Root.get())->UIStyle(), TtavUIStyle::DeepBlue); // owner is no form

    // Only the form's direct children count, and a panel is no form.
    auto* panel = NewComponent<TSkinTestPanel>(form);
    panel->SetParent(form);
    first->SetParent(panel);
    EXPECT_EQ(NewComponent<TtavProbe>(form)->UIStyle(), TtavUIStyle::MacOS);
    EXPECT_EQ(NewComponent<TtavProbe>(panel)->UIStyle(), TtavUIStyle::DeepBlue);
    second->SetParent(panel);
    EXPECT_EQ(NewComponent<TtavProbe>(form)->UIStyle(), TtavUIStyle::DeepBlue);

    // The frame is created by name, as layouts do.
    EXPECT_NE(GetClass("TtavForm"), nullptr);
    EXPECT_TRUE(HasPublishedProperty(first, "UIStyle"));
}

TEST_F(ThemeComponentTest, LoadingRefreshesTheFormsControlsThatUseTheTheme) {
    auto* form = NewComponent<TForm>(Root.get());
    auto* theme = NewComponent<TtavFileTheme>(form);
    auto* otherTheme = NewComponent<TtavFileTheme>(form);
    auto* user = NewComponent<TtavProbe>(form);
    auto* otherUser = NewComponent<TtavProbe>(form);
    auto* foreign = NewComponent<TOtherProbe>(form);
    auto* doomed = NewComponent<TtavProbe>(form);
    user->SetUIStyle(TtavUIStyle::FromThemeFile);
    user->SetFileTheme(theme);
    otherUser->SetFileTheme(otherTheme);
    foreign->SetFileTheme(theme);
    doomed->SetFileTheme(theme);
    // The first control's setter frees a later one: the walk must not reach it.
    user->OnFileThemeSet = [&] {
        delete doomed;
        doomed = nullptr;
    };
    const int userReads = user->Reads, otherReads = otherUser->Reads, foreignSets = foreign->Sets;

    theme->SetThemeFile(SaveTheme(0x0F0E0D));
    EXPECT_EQ(user->Reads, userReads + 1);
    EXPECT_EQ(user->BorderColor, 0x0F0E0D);
    EXPECT_EQ(otherUser->Reads, otherReads);
    EXPECT_EQ(foreign->Sets, foreignSets);
    EXPECT_EQ(doomed, nullptr);

    // Under a form of a class of its own, as the program's forms are.
    auto* ownForm = NewComponent<TSkinnedForm>(Root.get());
    auto* ownTheme = NewComponent<TtavFileTheme>(ownForm);
    auto* ownUser = NewComponent<TtavProbe>(ownForm);
    ownUser->SetFileTheme(ownTheme);
    const int ownReads = ownUser->Reads;
    ownTheme->SetThemeFile(SaveTheme(0x0B0B0B, "own.tav"));
    EXPECT_EQ(ownUser->Reads, ownReads + 1);

    // A theme owned by no form refreshes nobody.
    auto* loose = NewComponent<TtavFileTheme>(Root.get());
    auto* looseUser = NewComponent<TtavProbe>(Root.get());
    looseUser->SetFileTheme(loose);
    const int looseReads = looseUser->Reads;
    loose->SetThemeFile(SaveTheme(0x0C0C0C, "loose.tav"));
    EXPECT_EQ(looseUser->Reads, looseReads);
}

TEST_F(ThemeComponentTest, FreeingEitherSideLeavesNoReference) {
    auto* formA = NewComponent<TForm>(Root.get());
    auto* formB = NewComponent<TForm>(Root.get());
    auto* theme = NewComponent<TtavFileTheme>(formA);
    theme->SetThemeFile(SaveTheme(0x777777));
    auto* sameForm = NewComponent<TtavProbe>(formA);
    auto* otherForm = NewComponent<TtavProbe>(formB);
    for (TtavProbe* probe : {sameForm, otherForm}) {
        probe->SetFileTheme(theme);
        probe->SetUIStyle(TtavUIStyle::Protein);
    }
    delete theme;
    for (TtavProbe* probe : {sameForm, otherForm}) {
        EXPECT_EQ(probe->FileTheme(), nullptr);
        EXPECT_EQ(probe->UIStyle(), TtavUIStyle::DeepBlue);
    }

    // The control goes first: the theme forgets it, then goes itself.
    auto* theme2 = NewComponent<TtavFileTheme>(formA);
    auto* user = NewComponent<TtavProbe>(formB);
    user->SetFileTheme(theme2);
    delete user;
    delete theme2;

    // Switching themes stops the notices of the first.
    auto* first = NewComponent<TtavFileTheme>(formA);
    auto* second = NewComponent<TtavFileTheme>(formA);
    auto* switcher = NewComponent<TtavProbe>(formB);
    switcher->SetFileTheme(first);
    switcher->SetFileTheme(second);
    switcher->SetUIStyle(TtavUIStyle::WinXP);
    delete first;
    EXPECT_EQ(switcher->FileTheme(), second);
    EXPECT_EQ(switcher->UIStyle(), TtavUIStyle::WinXP);
    delete formA; // second goes with its form
    EXPECT_EQ(switcher->FileTheme(), nullptr);
}

TEST_F(ThemeComponentTest, ApplyThemeToChildrenChangesSkinnedChildrenOnly) {
    auto* form = NewComponent<TForm>(Root.get());
    auto* theme = NewComponent<TtavFileTheme>(form);
    theme->SetThemeFile(SaveTheme(0x123123));
    auto child = [](auto* control, TWinControl* parent) {
        control->SetParent(parent);
        return control;
    };
    auto* panel = child(NewComponent<TSkinTestPanel>(form), form);
    auto* label = child(NewComponent<TSkinTestShape>(form), panel);
    auto* button = child(NewComponent<TtavProbe>(form), panel);
    auto* inner = child(NewComponent<TSkinTestPanel>(form), panel);
    auto* grandchild = child(NewComponent<TtavProbe>(form), inner);
    auto* halfSkinned = child(NewComponent<TOtherProbe>(form), panel); // FileTheme without UIStyle
    const int halfSets = halfSkinned->Sets;

    ApplyThemeToChildren(panel, TtavUIStyle::FromThemeFile, theme);
    EXPECT_EQ(button->FileTheme(), theme);
    EXPECT_EQ(button->UIStyle(), TtavUIStyle::FromThemeFile);
    EXPECT_EQ(button->BorderColor, 0x123123);
    EXPECT_EQ(halfSkinned->Sets, halfSets);
    EXPECT_EQ(grandchild->FileTheme(), nullptr);
    EXPECT_EQ(grandchild->UIStyle(), TtavUIStyle::DeepBlue);
    EXPECT_TRUE(HasPublishedProperty(button, "UIStyle"));
    EXPECT_FALSE(HasPublishedProperty(label, "UIStyle"));
    ApplyThemeToChildren(nullptr, TtavUIStyle::Protein, theme);
}

} // namespace
