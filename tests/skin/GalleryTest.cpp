#include "Gallery.h"
#include "SkinHostTest.h"
#include "ThemeFileBuilder.h"

#include "classlib/Bitmap.h"
#include "classlib/Label.h"
#include "classlib/TypInfo.h"
#include "platform/ImageCodecs.h"
#include "skin/TAVMgr.h"
#include "skin/TAVThemes.h"

#include <algorithm>
#include <filesystem>
#include <set>

// ---- the families --------------------------------------------------------------------------------------

namespace {
struct TFamilyEntry {
    std::string Name;
    TGalleryFamily Family;
};
std::vector<TFamilyEntry>& Families() {
    static std::vector<TFamilyEntry> families;
    return families;
}
} // namespace

int RegisterGalleryFamily(const char* name, TGalleryFamily family) {
    Families().push_back({name, family});
    return int(Families().size());
}

std::vector<TGallerySample> GallerySamples() {
    std::vector<TFamilyEntry> families = Families();
    std::sort(families.begin(), families.end(), [](auto& a, auto& b) { return a.Name < b.Name; });
    std::vector<TGallerySample> samples;
    for (const TFamilyEntry& family : families)
        family.Family(samples);
    return samples;
}

namespace {

using enum TGalleryState;
constexpr TGalleryState AllStates[] = {Normal, Hovered, Pressed, Focused, Disabled, Checked};
constexpr const char* StateNames[] = {"normale", "sotto il puntatore", "premuto", "con il fuoco", "disabilitato",
                                      "spuntato"};
const char* StateName(TGalleryState state) { return StateNames[int(state)]; }

// A colour no style uses, so that a control left in its parent's colour shows.
constexpr TColor PageColor = 0x6A9A8A;
constexpr int LabelWidth = 150;
constexpr int HeaderHeight = 22;
constexpr int Margin = 8;
constexpr int MaxPageHeight = 960;

// The theme-file style: Protein's values with red and blue swapped, in images and colours alike (magenta, the
// key colour, stays magenta).
constexpr TtavUIStyle ThemeBase = TtavUIStyle::Protein;
constexpr uint32_t SwapRedBlue(uint32_t v) { return (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16); }

std::string SaveGalleryTheme(const TTempFolder& folder) {
    using B = TThemeFileBuilder;
    std::vector<B::TItem> items;
    for (int key = 1; key <= ThemeKeyCount; ++key) {
        TtavThemeKind kind;
        const TtavThemeValue value = LookupBuiltinThemeValue(ThemeBase, key, kind);
        switch (kind) {
        case TtavThemeKind::Image: {
            TBitmap image;
            LoadBuiltinThemeImage(ThemeBase, key, &image);
            if (image.Empty()) break;
            TSurface& pixels = image.Surface();
            for (int y = 0; y < pixels.Height(); ++y)
                for (TPixel* p = pixels.Row(y); p != pixels.Row(y) + pixels.Width(); ++p)
                    *p = SwapRedBlue(*p);
            items.push_back({ThemeKeyName(key), B::Image, EncodeBMP(pixels)});
            break;
        }
        case TtavThemeKind::Color:
            items.push_back({ThemeKeyName(key), B::Integer, B::Int32(int32_t(SwapRedBlue(uint32_t(value.Number))))});
            break;
        case TtavThemeKind::Int: items.push_back({ThemeKeyName(key), B::Integer, B::Int32(value.Number)}); break;
        case TtavThemeKind::Bool: items.push_back({ThemeKeyName(key), B::Boolean, {uint8_t(value.Number)}}); break;
        }
    }
    const std::string path = folder.File("gallery.tav");
    B::Chain(items).Save(path);
    return path;
}

TSurface Crop(const TSurface& source, const TRect& rect) {
    TSurface block(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            block.SetPixel(x, y, source.Pixel(rect.Left + x, rect.Top + y));
    return block;
}

void Paste(TSurface& target, const TSurface& block, TPoint at) {
    for (int y = 0; y < block.Height(); ++y)
        for (int x = 0; x < block.Width(); ++x)
            target.SetPixel(at.X + x, at.Y + y, block.Pixel(x, y));
}

// What a control that drew itself shows: more than one colour, and more than a few pixels unlike its parent.
bool DrewItself(const TSurface& pixels) {
    std::set<TColor> colors;
    int own = 0;
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x) {
            const TColor color = PixelToColor(pixels.Pixel(x, y));
            colors.insert(color);
            if (color != PageColor) ++own;
        }
    const int area = pixels.Width() * pixels.Height();
    return colors.size() > 1 && own >= std::max(10, area / 100);
}

// A value of the style's table, or of the theme file: a number or an image's pixels.
struct TKeyValue {
    int64_t Number = 0;
    TSurface Image;
    friend bool operator==(const TKeyValue&, const TKeyValue&) = default;
};

struct TCell {
    size_t Sample = 0;
    TGalleryState State = Normal;
    TControl* Control = nullptr;
    TRect Area;      // the cell on the page
    TSurface Pixels; // the control's own rectangle in its state
};

struct TPage {
    std::string Name;
    TtavUIStyle Style = TtavUIStyle::DeepBlue;
    TtavFileTheme* Theme = nullptr;
    TForm* Form = nullptr;
    std::vector<TGallerySample> Samples;
    std::vector<TCell> Cells;
    TFramedWindowShots Framed;

    const TCell* Find(size_t sample, TGalleryState state) const {
        for (const TCell& cell : Cells)
            if (cell.Sample == sample && cell.State == state) return &cell;
        return nullptr;
    }
    TKeyValue Value(int key) const {
        TtavThemeKind kind;
        const TtavThemeValue builtin = LookupBuiltinThemeValue(Theme ? ThemeBase : Style, key, kind);
        TKeyValue value;
        if (kind == TtavThemeKind::Image) {
            TBitmap image;
            if (Theme)
                Theme->GetThemeImage(key, &image);
            else
                GetBuiltinThemeImage(Style, key, &image, 0, 0);
            value.Image = image.Surface();
        } else if (!Theme) {
            value.Number = builtin.Number;
        } else if (kind == TtavThemeKind::Color) {
            value.Number = Theme->GetThemeColor(key);
        } else if (kind == TtavThemeKind::Int) {
            value.Number = Theme->GetThemeInt(key);
        } else {
            value.Number = Theme->GetThemeBool(key);
        }
        return value;
    }
    bool ValuesDiffer(const TPage& other, const std::vector<int>& keys) const {
        return std::any_of(keys.begin(), keys.end(), [&](int key) { return !(Value(key) == other.Value(key)); });
    }
};

// A focusable control in a corner of the page that holds the focus while no cell should.
class TGalleryParking : public TCustomControl {
    VMR_CLASS(TGalleryParking, TCustomControl)

protected:
    explicit TGalleryParking(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    void Paint() override {
        Canvas()->Brush()->SetColor(PageColor);
        Canvas()->FillRect(ClientRect());
    }
};

class GalleryTest : public TSkinHostTest {
protected:
    void SetUp() override {
        TSkinHostTest::SetUp();
        FThemeFile = SaveGalleryTheme(FFolder);
    }

    TPage Render(const std::string& name, TtavUIStyle style, bool fromFile) {
        TPage page;
        page.Name = name;
        page.Style = style;
        page.Form = NewComponent<TForm>(Application);
        page.Form->SetBorderStyle(bsNone);
        page.Form->SetColor(PageColor);
        if (fromFile) {
            page.Theme = NewComponent<TtavFileTheme>(page.Form);
            page.Theme->SetThemeFile(FThemeFile);
        }
        page.Samples = GallerySamples();
        MakeCells(page);
        const TSize grid = LayOut(page);
        const std::vector<TRect> framed = LayOutFramedWindow(page, grid.cy);
        const TSize size{std::max(grid.cx, framed.back().Right + Margin), framed.back().Bottom + Margin};
        page.Form->SetBounds(0, 24, size.cx, size.cy);
        FParking = GalleryControl<TGalleryParking>(page.Form, 2, 2);
        FParking->SetBounds(size.cx - 2, size.cy - 2, 2, 2);
        page.Form->Show();
        RunUntilIdle();
        TSurface sheet = Shoot(page);
        page.Framed = ShootFramedWindow(FHost, style, page.Theme, PageColor);
        Paste(sheet, page.Framed.Normal, framed[0].TopLeft());
        Paste(sheet, page.Framed.Hot, framed[1].TopLeft());
        Paste(sheet, page.Framed.Dropped, framed[2].TopLeft());
        std::filesystem::create_directories("gallery");
        SavePNGFile(sheet, "gallery/" + page.Name + ".png");
        page.Form->Hide();
        RunUntilIdle();
        return page;
    }

    void MakeCells(TPage& page) {
        for (size_t i = 0; i < page.Samples.size(); ++i)
            for (TGalleryState state : page.Samples[i].States) {
                TControl* control = page.Samples[i].Make(page.Form);
                if (HasPublishedProperty(control, "FileTheme") && HasPublishedProperty(control, "UIStyle")) {
                    SetObjectProp(control, "FileTheme", page.Theme);
                    SetOrdProp(control, "UIStyle", int64_t(page.Style));
                }
                page.Cells.push_back({i, state, control, {}, {}});
            }
    }

    // Rows of samples under a header of the states, in as many columns of rows as the height needs.
    TSize LayOut(TPage& page) {
        int cellWidth = 0;
        for (const TCell& cell : page.Cells)
            cellWidth = std::max(cellWidth, cell.Control->Width() + 2 * Margin);
        const int groupWidth = LabelWidth + cellWidth * int(std::size(AllStates));
        int group = -1, y = MaxPageHeight, height = 0;
        for (size_t i = 0; i < page.Samples.size(); ++i) {
            int rowHeight = 0;
            for (const TCell& cell : page.Cells)
                if (cell.Sample == i) rowHeight = std::max(rowHeight, cell.Control->Height() + 2 * Margin);
            if (y + rowHeight > MaxPageHeight) {
                ++group;
                y = HeaderHeight;
                for (size_t s = 0; s < std::size(AllStates); ++s)
                    AddLabel(page, StateName(AllStates[s]), group * groupWidth + LabelWidth + int(s) * cellWidth + Margin, 4);
            }
            const int left = group * groupWidth;
            AddLabel(page, page.Samples[i].Name, left + 4, y + Margin);
            for (TCell& cell : page.Cells) {
                if (cell.Sample != i) continue;
                const int column = int(std::find(std::begin(AllStates), std::end(AllStates), cell.State) - std::begin(AllStates));
                cell.Area = Bounds(left + LabelWidth + column * cellWidth, y, cellWidth, rowHeight);
                cell.Control->SetBounds(cell.Area.Left + Margin, y + Margin, cell.Control->Width(), cell.Control->Height());
            }
            y += rowHeight;
            height = std::max(height, y);
        }
        return {(group + 1) * groupWidth, height + Margin};
    }

    // A row below the cells for the framed window, in the states it is shot in: where each shot goes.
    static std::vector<TRect> LayOutFramedWindow(TPage& page, int top) {
        AddLabel(page, "TtavForm, TtavMainMenu", 4, top + HeaderHeight + Margin);
        std::vector<TRect> areas;
        for (TGalleryState state : {Normal, Hovered, Pressed}) {
            const int left = LabelWidth + int(areas.size()) * (FramedWindowSpace.cx + 2 * Margin) + Margin;
            AddLabel(page, StateName(state), left, top + 4);
            areas.push_back(Bounds(left, top + HeaderHeight, FramedWindowSpace.cx, FramedWindowSpace.cy));
        }
        return areas;
    }

    static void AddLabel(TPage& page, const std::string& text, int x, int y) {
        auto* label = NewComponent<TLabel>(page.Form);
        label->SetParent(page.Form);
        label->SetCaption(text);
        label->SetTransparent(true);
        label->SetLeft(x);
        label->SetTop(y);
    }

    const TSurface& Presented(TForm* form) {
        RunUntilIdle();
        PresentWindows();
        return static_cast<THeadlessSurface*>(GetHostSurface(form->Handle()))->Pixels();
    }

    // The static states stay as they are set; the pointer and the focus visit the others one at a time, and
    // each is shot while it lasts. Gives the page with every cell in its state.
    TSurface Shoot(TPage& page) {
        const TPoint park = page.Form->ClientToScreen({2, 2});
        for (TCell& cell : page.Cells) {
            if (cell.State == Disabled) cell.Control->SetEnabled(false);
            if (cell.State == Checked) page.Samples[cell.Sample].Check(cell.Control);
        }
        FHost.MouseMove(park);
        FParking->SetFocus();
        std::vector<std::pair<const TCell*, TSurface>> shots;
        for (TCell& cell : page.Cells) {
            if (cell.State != Hovered && cell.State != Pressed && cell.State != Focused) continue;
            const TGallerySample& sample = page.Samples[cell.Sample];
            const TPoint hot = cell.Control->ClientToScreen(
                sample.HotSpot.value_or(TPoint{cell.Control->Width() / 2, cell.Control->Height() / 2}));
            if (cell.State == Focused) {
                auto* control = static_cast<TWinControl*>(cell.Control);
                control->SetFocus();
                // A control with an inner edit hands the focus on to it.
                TWinControl* active = page.Form->ActiveControl();
                EXPECT_TRUE(active == control || control->ContainsControl(active)) << page.Name << ' ' << sample.Name;
            } else {
                FHost.MouseMove(hot);
                if (cell.State == Pressed) FHost.MouseDown(hot);
            }
            const TSurface& pixels = Presented(page.Form);
            cell.Pixels = Crop(pixels, cell.Control->BoundsRect());
            shots.emplace_back(&cell, Crop(pixels, cell.Area));
            FHost.MouseMove(park);
            if (cell.State == Pressed) FHost.MouseUp(park);
            FParking->SetFocus();
        }
        TSurface sheet = Presented(page.Form);
        for (TCell& cell : page.Cells)
            if (cell.Pixels.IsEmpty()) cell.Pixels = Crop(sheet, cell.Control->BoundsRect());
        for (const auto& [cell, shot] : shots)
            Paste(sheet, shot, cell->Area.TopLeft());
        return sheet;
    }

    TTempFolder FFolder;
    std::string FThemeFile;
    TGalleryParking* FParking = nullptr;
};

TEST_F(GalleryTest, EveryControlDrawsItselfInEveryStyleAndState) {
    const std::pair<const char*, TtavUIStyle> styles[] = {
        {"MacOS", TtavUIStyle::MacOS},         {"WinXP", TtavUIStyle::WinXP},
        {"DeepBlue", TtavUIStyle::DeepBlue},   {"Protein", TtavUIStyle::Protein},
        {"BlueGlass", TtavUIStyle::BlueGlass}, {"ThemeFile", TtavUIStyle::FromThemeFile}};
    std::vector<TPage> pages;
    for (const auto& [name, style] : styles)
        pages.push_back(Render(name, style, style == TtavUIStyle::FromThemeFile));
    ASSERT_FALSE(pages[0].Samples.empty());
    for (const TGallerySample& sample : pages[0].Samples)
        ASSERT_NE(pages[0].Find(size_t(&sample - pages[0].Samples.data()), Normal), nullptr) << sample.Name;

    for (const TPage& page : pages) {
        for (const TCell& cell : page.Cells)
            EXPECT_TRUE(DrewItself(cell.Pixels))
                << page.Name << ": " << page.Samples[cell.Sample].Name << ' ' << StateName(cell.State);
        for (size_t i = 0; i < page.Samples.size(); ++i)
            for (TGalleryState state : page.Samples[i].Distinct)
                EXPECT_NE(page.Find(i, state)->Pixels, page.Find(i, Normal)->Pixels)
                    << page.Name << ": " << page.Samples[i].Name << ' ' << StateName(state) << " looks normal";
    }

    // Two styles whose tables differ for what a control is drawn from draw it differently.
    int compared = 0;
    for (size_t i = 0; i < pages[0].Samples.size(); ++i)
        for (size_t a = 0; a < pages.size(); ++a)
            for (size_t b = a + 1; b < pages.size(); ++b) {
                if (!pages[a].ValuesDiffer(pages[b], pages[a].Samples[i].ThemeKeys)) continue;
                ++compared;
                EXPECT_NE(pages[a].Find(i, Normal)->Pixels, pages[b].Find(i, Normal)->Pixels)
                    << pages[a].Samples[i].Name << " looks alike in " << pages[a].Name << " and " << pages[b].Name;
            }
    EXPECT_GT(compared, 50);

    // The framed window: its menu bar's button shows hot, its first menu drops down, each style its own way.
    for (size_t a = 0; a < pages.size(); ++a) {
        const TFramedWindowShots& shots = pages[a].Framed;
        EXPECT_TRUE(DrewItself(shots.Normal)) << pages[a].Name;
        EXPECT_NE(shots.Hot, shots.Normal) << pages[a].Name << ": no hot menu-bar button";
        EXPECT_NE(shots.Dropped, shots.Hot) << pages[a].Name << ": no dropped menu";
        for (size_t b = a + 1; b < pages.size(); ++b) {
            EXPECT_NE(shots.Normal, pages[b].Framed.Normal) << pages[a].Name << " and " << pages[b].Name;
            EXPECT_NE(shots.Dropped, pages[b].Framed.Dropped) << pages[a].Name << " and " << pages[b].Name;
        }
    }
}

} // namespace
