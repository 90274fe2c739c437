#include "AppFixture.h"

#include "report/ReportPage.h"
#include "skin/TAVButton.h"

#include <algorithm>

using Statements = std::vector<std::string>;

namespace {

// The texts of a page in drawing order.
std::vector<std::string> TextsOf(const TReportPage& page) {
    std::vector<std::string> texts;
    for (const TReportText* text : page.Texts())
        texts.push_back(text->Text);
    return texts;
}

bool Holds(const TReportPage& page, const std::string& text) {
    const std::vector<std::string> texts = TextsOf(page);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

} // namespace

class PrintTest : public AppTest {
  protected:
    void Select(const std::string& level, const std::string& name, bool ri = false) {
        RawExec(DatabaseFile(), "INSERT INTO SELEZIONATI (LIVELLO, INCANTESIMO, RI) VALUES ('" + level + "', '" + name +
                                    "', " + (ri ? "1" : "0") + ")");
    }
};

TEST_F(PrintTest, TheBookHasASectionPerLevelAndNineCardsAPage) {
    Start();
    Select("5", "Ultimo", true);
    for (int i = 0; i < 10; ++i)
        Select("2", "Carta " + std::to_string(10 + i));
    Select("0", "Trucco");
    Select("", "Senza livello");
    TakeStatements();

    Click(FrmMain->tavButton1);
    EXPECT_EQ(TakeStatements(), Statements{"SELECT * FROM SELEZIONATI ORDER BY LIVELLO, INCANTESIMO"});
    EXPECT_EQ(FrmMain->GetOrdine(), "LIVELLO, INCANTESIMO");
    ASSERT_EQ(FPreviews.size(), 1u);
    const std::vector<TReportPage>& pages = FPreviews[0].Pages;
    // The empty level first, then "0", "2" over two pages (the tenth card without a header), then "5".
    ASSERT_EQ(pages.size(), 5u);
    EXPECT_TRUE(Holds(pages[0], "Senza livello"));
    EXPECT_TRUE(Holds(pages[1], "Trucco"));
    EXPECT_TRUE(Holds(pages[2], "Carta 18"));
    EXPECT_FALSE(Holds(pages[2], "Carta 19"));
    EXPECT_TRUE(Holds(pages[3], "Carta 19"));
    EXPECT_FALSE(Holds(pages[3], "Incantesimi di"));
    EXPECT_TRUE(Holds(pages[4], "Ultimo"));
    // The yes/no marks: "X" for the one spell whose RI is true, blanks elsewhere.
    EXPECT_TRUE(Holds(pages[4], "X"));
    EXPECT_FALSE(Holds(pages[1], "X"));
    EXPECT_FALSE(Holds(pages[1], "False"));

    // The order stays; the sort button then requeries.
    Click(FrmMain->BttOrdLivello);
    EXPECT_EQ(TakeStatements(), Statements{"SELECT * FROM SELEZIONATI ORDER BY LIVELLO"});
}

TEST_F(PrintTest, ALevelFilterPrintsThatLevelAndAnEmptySelectionOnePage) {
    Start();
    Click(FrmMain->tavButton1);
    ASSERT_EQ(FPreviews.size(), 1u);
    ASSERT_EQ(FPreviews[0].Pages.size(), 1u);
    EXPECT_TRUE(TextsOf(FPreviews[0].Pages[0]).empty());

    Select("2", "Secondo");
    Select("3", "Terzo");
    Click(FrmMain->Btt2);
    Click(FrmMain->tavButton1);
    ASSERT_EQ(FPreviews.size(), 2u);
    ASSERT_EQ(FPreviews[1].Pages.size(), 1u);
    EXPECT_TRUE(Holds(FPreviews[1].Pages[0], "Secondo"));
    EXPECT_FALSE(Holds(FPreviews[1].Pages[0], "Terzo"));
}

TEST_F(PrintTest, MakeXGivesXForTrueInAnyCaseAndABlankOtherwise) {
    Start();
    for (const auto& [value, printed] : std::vector<std::pair<std::string, std::string>>{
             {"True", "X"}, {"true", "X"}, {"TRUE", "X"}, {"False", " "}, {"Truer", " "}, {"1", " "}}) {
        std::string text = value;
        frmLibro->MakeX(text);
        EXPECT_EQ(text, printed) << value;
    }
}
