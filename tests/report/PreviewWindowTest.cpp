#include "PreviewFixture.h"
#include "TempFile.h"

#include "report/PageRenderer.h"
#include "report/QRChoiceList.h"
#include "report/QRNumberField.h"
#include "report/QRFileNamePrompt.h"
#include "report/QRPageView.h"
#include "report/QRPrinterSetup.h"
#include "report/QRTextEntry.h"
#include "report/QRToolButton.h"
#include "report/ReportFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {
using B = TQRPreviewButton;

TSurface Rendered(const TReportDocument& document, size_t page, int zoom) {
    TSurface surface;
    TPageRenderer::RenderPage(document, page, TPageRenderer::ScreenDpi * zoom / 100.0, surface);
    return surface;
}
} // namespace

TEST_F(PreviewTest, PreviewShowsModallyAndReturnsWhenClosed) {
    SelectLevels(3);
    for (bool byKey : {false, true}) {
        int shown = 0;
        bool closed = false;
        Preview([&](TCustomForm& form) {
            auto& preview = dynamic_cast<TQRPreview&>(form);
            ++shown;
            EXPECT_TRUE(preview.Modal());
            EXPECT_EQ(preview.Caption(), TQRPreview::DefaultCaption);
            EXPECT_EQ(preview.Document(), FReport->Document());
            EXPECT_EQ(preview.PageNumberText(), "Pagina 1 di 3");
            preview.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
            if (byKey)
                FHost.KeyPress(VK_ESCAPE);
            else
                FHost.Click(ScreenPoint(preview.Button(B::Close), {12, 12}));
        });
        EXPECT_EQ(shown, 1);
        EXPECT_TRUE(closed) << (byKey ? "Escape" : "close button");
    }
    // The report's title names the window.
    FReport->ReportTitle = "Libro degli incantesimi";
    Preview([&](TCustomForm& form) { EXPECT_EQ(form.Caption(), "Libro degli incantesimi"); });
}

TEST_F(PreviewTest, NavigationShowsTheChosenPage) {
    SelectLevels(3);
    Preview([&](TCustomForm& form) {
        auto& preview = dynamic_cast<TQRPreview&>(form);
        TQRPageView* view = preview.PageView();
        ClickOn(preview.Button(B::FullSize));
        const TReportDocument& doc = preview.Document();
        EXPECT_FALSE(preview.Button(B::Prior)->Enabled());
        EXPECT_TRUE(ShowsPage(view, Rendered(doc, 0, 100)));

        // The page label between the arrows, as the screen shows it.
        auto label = [&] {
            TRect prior = preview.Button(B::Prior)->BoundsRect(), next = preview.Button(B::Next)->BoundsRect();
            std::vector<TPixel> pixels;
            for (int y = prior.Top; y < prior.Bottom; ++y)
                for (int x = prior.Right; x < next.Left; ++x)
                    pixels.push_back(FHost.ScreenPixel(ScreenPoint(preview.Button(B::Prior)->Parent(), {x, y})));
            return pixels;
        };
        ClickOn(preview.Button(B::Next));
        EXPECT_EQ(preview.PageNumberText(), "Pagina 2 di 3");
        const std::vector<TPixel> secondPage = label();
        EXPECT_TRUE(ShowsPage(view, Rendered(doc, 1, 100)));
        EXPECT_FALSE(ShowsPage(view, Rendered(doc, 0, 100)));

        ClickOn(preview.Button(B::Last));
        EXPECT_EQ(preview.PageNumberText(), "Pagina 3 di 3");
        EXPECT_TRUE(ShowsPage(view, Rendered(doc, 2, 100)));
        EXPECT_FALSE(preview.Button(B::Next)->Enabled());
        ClickOn(preview.Button(B::Next)); // disabled: stays on the last page
        EXPECT_EQ(view->PageIndex(), 2u);

        FHost.KeyPress(VK_HOME);
        Pump();
        EXPECT_EQ(preview.PageNumberText(), "Pagina 1 di 3");
        FHost.KeyPress(VK_END);
        Pump();
        EXPECT_EQ(view->PageIndex(), 2u);
        ClickOn(preview.Button(B::Prior));
        EXPECT_EQ(preview.PageNumberText(), "Pagina 2 di 3");
        EXPECT_EQ(label(), secondPage) << "each label paints over the one before, not on it";

        // PageDown scrolls down the page first, and turns it only at its bottom.
        FHost.KeyPress(VK_NEXT);
        Pump();
        EXPECT_EQ(view->PageIndex(), 1u);
        EXPECT_GT(view->ScrollY(), 0);
        for (int i = 0; i < 20 && view->PageIndex() == 1; ++i) {
            FHost.KeyPress(VK_NEXT);
            Pump();
        }
        EXPECT_EQ(view->PageIndex(), 2u);
        EXPECT_EQ(view->ScrollY(), 0);
        preview.Close();
    });
}

TEST_F(PreviewTest, ZoomChangesTheRenderedSize) {
    SelectLevels(1);
    Preview([&](TCustomForm& form) {
        auto& preview = dynamic_cast<TQRPreview&>(form);
        TQRPageView* view = preview.PageView();
        const TSize full = TPageRenderer::PagePixelSize(preview.Document(), TPageRenderer::ScreenDpi);
        // The whole page fits the view at first.
        TRect client = view->ClientRect();
        EXPECT_LE(view->PageRect().Height(), client.Height());
        EXPECT_LT(view->Zoom(), 100);

        ClickOn(preview.Button(B::FullSize));
        EXPECT_EQ(view->PageRect().Size(), full);
        ClickOn(preview.Button(B::ZoomIn));
        EXPECT_EQ(view->Zoom(), 125);
        EXPECT_GT(view->PageRect().Width(), full.cx);
        FHost.TypeText("-");
        Pump();
        EXPECT_EQ(view->Zoom(), 100);
        FHost.TypeText("-");
        Pump();
        EXPECT_EQ(view->Zoom(), 75);

        // Ctrl with the wheel zooms; the wheel alone scrolls.
        TPoint middle = ScreenPoint(view, {50, 50});
        FHost.KeyDown(VK_CONTROL);
        FHost.Wheel(middle, 120);
        FHost.KeyUp(VK_CONTROL);
        Pump();
        EXPECT_EQ(view->Zoom(), 100);
        FHost.Wheel(middle, -120);
        Pump();
        EXPECT_EQ(view->Zoom(), 100);
        EXPECT_GT(view->ScrollY(), 0);

        ClickOn(preview.Button(B::PageWidth));
        EXPECT_NEAR(view->PageRect().Width(), view->ClientRect().Width() - 2 * TQRPageView::Margin, 8);
        for (int i = 0; i < 20; ++i)
            ClickOn(preview.Button(B::ZoomOut));
        EXPECT_EQ(view->Zoom(), TQRPageView::MinZoom);
        preview.Close();
    });
}

TEST_F(PreviewTest, EachPageIsRenderedOncePerZoom) {
    SelectLevels(2);
    Preview([&](TCustomForm& form) {
        auto& preview = dynamic_cast<TQRPreview&>(form);
        TQRPageView* view = preview.PageView();
        ClickOn(preview.Button(B::FullSize));
        const int start = view->RenderCount();
        ClickOn(preview.Button(B::Next));  // page 2 at 100
        ClickOn(preview.Button(B::First)); // page 1 at 100 again
        ClickOn(preview.Button(B::ZoomIn)); // page 1 at 125
        ClickOn(preview.Button(B::ZoomOut)); // page 1 at 100 again
        ClickOn(preview.Button(B::Last));   // page 2 at 100 again
        view->Invalidate();
        Pump();
        EXPECT_EQ(view->RenderCount() - start, 2) << "page 2 at 100 % and page 1 at 125 % are new";
        preview.Close();
    });
}

TEST_F(PreviewTest, PrinterSetupPrintsTheChosenPagesToAPdfFile) {
    SelectLevels(3);
    TTempFile pdf(".pdf");
    bool setupShown = false;
    const std::string folder = std::filesystem::path(pdf.Path()).parent_path().string();
    Preview([&](TCustomForm& form) {
        // The dialogs' controls fit them: the forms show no scroll bars of their own.
        EXPECT_EQ(GetWindowStyle(form.Handle()) & (WS_HSCROLL | WS_VSCROLL), 0u) << form.ClassName();
        if (auto* preview = dynamic_cast<TQRPreview*>(&form)) {
            FHost.Click(ScreenPoint(preview->Button(B::Print), {12, 12}));
            return;
        }
        if (auto* prompt = dynamic_cast<TQRFileNamePrompt*>(&form)) {
            prompt->Entry()->SetValue(folder);
            FHost.KeyPress(VK_RETURN);
            return;
        }
        auto& setup = dynamic_cast<TQRPrinterSetup&>(form);
        setupShown = true;
        // The heading wraps inside the margins: its two lines and the label under it stay apart, above the list.
        Pump();
        const TPixel face = ColorToPixel(clBtnFace);
        auto ink = [&](int from, int to, int y) {
            for (int x = from; x < to; ++x)
                if (FHost.ScreenPixel(ScreenPoint(&setup, {x, y})) != face) return true;
            return false;
        };
        std::vector<std::pair<int, int>> lines; // first and past-last rows of each line of text
        for (int y = 0; y < setup.DestinationList()->Top(); ++y) {
            EXPECT_FALSE(ink(setup.ClientWidth() - TQRPrinterSetup::Margin, setup.ClientWidth(), y)) << "row " << y;
            if (!ink(0, setup.ClientWidth(), y)) continue;
            if (lines.empty() || lines.back().second != y)
                lines.emplace_back(y, y + 1);
            else
                lines.back().second = y + 1;
        }
        EXPECT_EQ(lines.size(), 3u);
        // No print server: it says so, and the file is what is left.
        EXPECT_TRUE(setup.SaysNoPrinter());
        EXPECT_EQ(setup.DestinationList()->Items(), std::vector<std::string>{TQRPrinterSetup::PdfChoice});
        EXPECT_EQ(setup.DestinationList()->ItemIndex(), 0);
        // The file line starts in the documents folder; emptied, OK asks for a name and the set-up stays.
        EXPECT_EQ(setup.PdfFileEntry()->Value(), TQRPrinterSetup::DefaultPdfFileName(TQRPreview::DefaultCaption));
        // Another folder keeps the file's name.
        ClickOn(setup.FolderButton());
        EXPECT_EQ(setup.PdfFileEntry()->Value(), folder + "/" + TQRPreview::DefaultCaption + ".pdf");
        setup.PdfFileEntry()->SetValue("");
        ClickOn(setup.OkButton());
        ASSERT_EQ(FBoxes.size(), 1u);
        EXPECT_TRUE(setup.Visible());
        // The line is edited as any: what is selected, the typing replaces.
        ClickOn(setup.PdfFileEntry());
        FHost.TypeText("bozza.pdf");
        FHost.KeyPress(VK_HOME);
        FHost.KeyDown(VK_SHIFT);
        FHost.KeyPress(VK_END);
        FHost.KeyUp(VK_SHIFT);
        FHost.TypeText(pdf.Path());
        Pump();
        EXPECT_EQ(setup.PdfFileEntry()->Value(), pdf.Path());
        FHost.Click(ScreenPoint(setup.RangeList(), setup.RangeList()->ItemRect(1).TopLeft() + TPoint{5, 5}));
        Pump();
        ClickOn(setup.FromField()->PlusButton());
        EXPECT_EQ(setup.ToField()->Value(), 3);
        ClickOn(setup.OkButton());
    });
    EXPECT_TRUE(setupShown);
    // The finished file says where it went.
    ASSERT_EQ(FBoxes.size(), 2u) << FBoxes.back().Text;
    EXPECT_NE(FBoxes[1].Text.find(pdf.Path()), std::string::npos) << FBoxes[1].Text;
    EXPECT_EQ(FBoxes[1].Type & MB_ICONINFORMATION, UINT(MB_ICONINFORMATION));
    const std::string info = CommandOutput("pdfinfo '" + pdf.Path() + "'");
    const size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2) << info;
}

TEST(PrinterSetup, TheDefaultPdfIsTheTitleInTheUsersDocumentsFolder) {
    TTempFile home("-home");
    std::filesystem::create_directories(home.Path() + "/.config");
    std::filesystem::create_directories(home.Path() + "/Carte");
    std::ofstream(home.Path() + "/.config/user-dirs.dirs") << "# desktop folders\nXDG_DOCUMENTS_DIR=\"$HOME/Carte\"\n";
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    setenv("HOME", home.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(TQRPrinterSetup::DefaultPdfFileName("Libro degli incantesimi"),
              home.Path() + "/Carte/Libro degli incantesimi.pdf");
    EXPECT_EQ(TQRPrinterSetup::DefaultPdfFileName(" Bardo/Mago: 1 "), home.Path() + "/Carte/Bardo-Mago- 1.pdf");
    // Without the desktop's list, the home folder's Documenti, and else the home folder itself.
    std::filesystem::remove(home.Path() + "/.config/user-dirs.dirs");
    EXPECT_EQ(TQRPrinterSetup::DefaultPdfFileName(""), home.Path() + "/Report.pdf");
    std::filesystem::create_directories(home.Path() + "/Documenti");
    EXPECT_EQ(TQRPrinterSetup::DefaultPdfFileName("Libro"), home.Path() + "/Documenti/Libro.pdf");
    setenv("HOME", savedHome.c_str(), 1);
    std::filesystem::remove_all(home.Path());
}

TEST_F(PreviewTest, SavedReportLoadsAgainAndADamagedOneIsRefused) {
    SelectLevels(2);
    TTempFile saved(".vmrrep");
    TTempFile damaged("-damaged.vmrrep");
    std::ofstream(damaged.Path(), std::ios::binary) << "VMRREPT\x1A garbage that is no report";
    std::string nameToType;
    int prompts = 0;
    Preview([&](TCustomForm& form) {
        if (auto* prompt = dynamic_cast<TQRFileNamePrompt*>(&form)) {
            prompt->Entry()->SetValue("");
            ++prompts;
            FHost.TypeText(nameToType);
            FHost.KeyPress(VK_RETURN);
            return;
        }
        auto& preview = dynamic_cast<TQRPreview&>(form);
        const TReportDocument original = preview.Document();
        nameToType = saved.Path();
        ClickOn(preview.Button(B::Save));
        EXPECT_EQ(TReportFile::Load(saved.Path()), original);
        // The saved file says where it went.
        ASSERT_EQ(FBoxes.size(), 1u);
        EXPECT_NE(FBoxes[0].Text.find(saved.Path()), std::string::npos) << FBoxes[0].Text;
        FBoxes.clear();

        nameToType = damaged.Path();
        ClickOn(preview.Button(B::Last));
        ClickOn(preview.Button(B::Load));
        ASSERT_EQ(FBoxes.size(), 1u);
        EXPECT_NE(FBoxes[0].Text.find(damaged.Path()), std::string::npos) << FBoxes[0].Text;
        EXPECT_NE(FBoxes[0].Text.find("non è un report"), std::string::npos) << FBoxes[0].Text;
        EXPECT_EQ(FBoxes[0].Type & MB_ICONERROR, UINT(MB_ICONERROR));
        EXPECT_EQ(preview.Document(), original);
        EXPECT_EQ(preview.PageNumberText(), "Pagina 2 di 2");

        // A good file replaces the pages and starts at the first.
        TReportDocument other = original;
        other.Pages.resize(1);
        TReportFile::Save(other, saved.Path());
        nameToType = saved.Path();
        ClickOn(preview.Button(B::Load));
        EXPECT_EQ(prompts, 3);
        EXPECT_EQ(preview.Document(), other);
        EXPECT_EQ(preview.PageNumberText(), "Pagina 1 di 1");
        EXPECT_EQ(FBoxes.size(), 1u);
        preview.Close();
    });
}
