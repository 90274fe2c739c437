#include "SpellBookLayout.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

using namespace spellbook;

namespace {

TReportDocument Generate(std::vector<TSpell> spells) {
    TSpellRows rows(std::move(spells));
    return LayoutReport(Layout(rows), rows);
}

// The level each header on the page prints (the text after "Incantesimi di").
std::vector<std::string> HeaderLevels(const TReportPage& page) {
    std::vector<std::string> levels;
    const auto texts = page.Texts();
    for (size_t i = 0; i + 1 < texts.size(); ++i)
        if (texts[i]->Text == "Incantesimi di") levels.push_back(texts[i + 1]->Text);
    return levels;
}

// The spell names of the cards on the page, in order.
std::vector<std::string> CardNames(const TReportPage& page) {
    std::vector<std::string> names;
    for (const TReportText* text : page.Texts())
        if (text->Font.Bold) names.push_back(text->Text);
    return names;
}

const TReportText& FindText(const TReportPage& page, const std::string& value) {
    for (const TReportText* text : page.Texts())
        if (text->Text == value) return *text;
    throw std::runtime_error("no text \"" + value + "\" on the page");
}

} // namespace

TEST(ReportLayout, EachLevelIsASectionOnItsOwnPageInRowOrderWithTheEmptyLevelFirst) {
    const TReportDocument doc =
        Generate(Concat({Spells("", 2), Spells("0", 1), Spells("1", 3), Spells("9", 1)}));
    ASSERT_EQ(doc.Pages.size(), 4u);
    const std::vector<std::vector<std::string>> levels{{""}, {"0"}, {"1"}, {"9"}};
    for (size_t i = 0; i < doc.Pages.size(); ++i)
        EXPECT_EQ(HeaderLevels(doc.Pages[i]), levels[i]) << "page " << i + 1;
    EXPECT_EQ(CardNames(doc.Pages[0]), (std::vector<std::string>{"Incantesimo -100", "Incantesimo -101"}));
    EXPECT_EQ(CardNames(doc.Pages[2]).size(), 3u);
    // Each section starts at the top margin with its header's black bar.
    for (const TReportPage& page : doc.Pages) {
        const TReportShape* bar = page.Shapes().front();
        EXPECT_EQ(bar->PenMode, TPenMode::Black);
        EXPECT_EQ(bar->Bounds.Top, TMm(5.0 + 1.6));
    }
}

TEST(ReportLayout, OneLevelMakesOneSectionAndARepeatedKeyNoNewHeader) {
    const TReportDocument doc = Generate(Spells("2", 5));
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_EQ(HeaderLevels(doc.Pages[0]), std::vector<std::string>{"2"});
    EXPECT_EQ(CardNames(doc.Pages[0]).size(), 5u);
}

TEST(ReportLayout, NineCardsFillAPageAndTheTenthGoesOnWithoutAHeader) {
    EXPECT_EQ(HeaderHeight + CardHeight * 9, TMm(285.47));
    const TReportDocument doc = Generate(Concat({Spells("3", 10), Spells("4", 1)}));
    ASSERT_EQ(doc.Pages.size(), 3u);
    EXPECT_EQ(CardNames(doc.Pages[0]).size(), 9u);
    EXPECT_EQ(HeaderLevels(doc.Pages[1]), std::vector<std::string>{});
    EXPECT_EQ(CardNames(doc.Pages[1]), std::vector<std::string>{"Incantesimo 3-109"});
    EXPECT_EQ(HeaderLevels(doc.Pages[2]), std::vector<std::string>{"4"});
    // The tenth card's frame starts half a millimetre above its band, at the top margin.
    EXPECT_EQ(doc.Pages[1].Shapes().front()->Bounds.Top, TMm(4.5));
    // The ninth card's frame ends inside the bottom margin's limit.
    const TReportShape* ninthFrame = nullptr;
    for (const TReportShape* shape : doc.Pages[0].Shapes())
        if (shape->Bounds.Height == TMm(31.2)) ninthFrame = shape;
    ASSERT_NE(ninthFrame, nullptr);
    EXPECT_EQ(ninthFrame->Bounds.Top, TMm(5.0 + 9.26 + 8 * 30.69 - 0.5));
}

TEST(ReportLayout, ElementsArePlacedFromTheMarginsAndTheirBandsTop) {
    const TReportDocument doc = Generate(Spells("5", 2));
    const TReportPage& page = doc.Pages.at(0);
    EXPECT_EQ(FindText(page, "Incantesimi di").Bounds.Left, TMm(3.0 + 26.7));
    EXPECT_EQ(FindText(page, "Incantesimi di").Bounds.Top, TMm(5.0 + 2.1));
    const TReportText& second = FindText(page, "Incantesimo 5-101");
    EXPECT_EQ(second.Bounds.Left, TMm(3.0 + 7.7));
    EXPECT_EQ(second.Bounds.Top, TMm(5.0 + 9.26 + 30.69 + 1.9));
    EXPECT_GT(second.Bounds.Width, TMm(10.0));
    EXPECT_TRUE(second.Font.Bold && second.Font.Italic);
    // Drawing order is layout order: the card's frame before its texts, its rules last.
    const auto& items = page.Items;
    const size_t cardStart = HeaderItems({}).size();
    EXPECT_TRUE(std::holds_alternative<TReportShape>(items[cardStart]));
    EXPECT_EQ(std::get<TReportShape>(items[cardStart + CardItems({}).size() - 1]).Kind,
              TReportShapeKind::HorLine);
}

TEST(ReportLayout, ALinkedHeaderMovesWithItsFirstCard) {
    // Eight cards leave 32.22 mm: room for the next header (9.26) but not for it and a card (39.95).
    auto layoutWithLink = [](int link) {
        TSpellRows rows(Concat({Spells("1", 8), Spells("2", 1)}));
        TReportLayout layout = Layout(rows);
        layout.Bands[0].ForceNewPage = false;
        layout.Bands[0].LinkBand = link;
        return LayoutReport(layout, rows);
    };
    const TReportDocument linked = layoutWithLink(1);
    ASSERT_EQ(linked.Pages.size(), 2u);
    EXPECT_EQ(HeaderLevels(linked.Pages[0]), std::vector<std::string>{"1"});
    EXPECT_EQ(HeaderLevels(linked.Pages[1]), std::vector<std::string>{"2"});
    EXPECT_EQ(CardNames(linked.Pages[1]).size(), 1u);

    const TReportDocument unlinked = layoutWithLink(TLayoutBand::NoLink);
    ASSERT_EQ(unlinked.Pages.size(), 2u);
    EXPECT_EQ(HeaderLevels(unlinked.Pages[0]), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(HeaderLevels(unlinked.Pages[1]).empty());
}

TEST(ReportLayout, AnEmptySelectionGivesOneEmptyPageOnlyWhenPrintIfEmpty) {
    TSpellRows rows({});
    TReportLayout layout = Layout(rows);
    const TReportDocument doc = LayoutReport(layout, rows);
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_TRUE(doc.Pages[0].Items.empty());
    EXPECT_EQ(rows.GroupKeyCalls, 0);
    layout.PrintIfEmpty = false;
    EXPECT_TRUE(LayoutReport(layout, rows).Pages.empty());
}

TEST(ReportLayout, ReprintedHeadersInnerGroupsAndOversizedBands) {
    // A header that reprints comes back on the continuation page, before the card that did not fit.
    TSpellRows rows(Spells("7", 10));
    TReportLayout layout = Layout(rows);
    layout.Bands[0].ReprintOnNewPage = true;
    TReportDocument doc = LayoutReport(layout, rows);
    ASSERT_EQ(doc.Pages.size(), 2u);
    EXPECT_EQ(HeaderLevels(doc.Pages[1]), std::vector<std::string>{"7"});
    EXPECT_EQ(CardNames(doc.Pages[1]), std::vector<std::string>{"Incantesimo 7-109"});

    // A new outer value opens the inner group too, even when the inner value repeats.
    TSpellRows nested({{"1", "a"}, {"2", "a"}, {"2", "b"}});
    TReportLayout twoLevels;
    TLayoutBand outer{TLayoutBandKind::GroupHeader, 10.0, "LIVELLO", false, false, TLayoutBand::NoLink, [&] {
                          return std::vector<TPageItem>{Text(0, 0, "L" + nested.Current().Level, {}, true)};
                      }};
    TLayoutBand inner{TLayoutBandKind::GroupHeader, 10.0, "INITIAL", false, false, TLayoutBand::NoLink, [] {
                          return std::vector<TPageItem>{Text(0, 0, "I", {}, true)};
                      }};
    TLayoutBand detail{TLayoutBandKind::Detail, 10.0, "", false, false, TLayoutBand::NoLink, {}};
    twoLevels.Bands = {outer, inner, detail};
    doc = LayoutReport(twoLevels, nested);
    ASSERT_EQ(doc.Pages.size(), 1u);
    std::string printed;
    for (const TReportText* text : doc.Pages[0].Texts())
        printed += text->Text + ",";
    EXPECT_EQ(printed, "L1,I,L2,I,");

    // A band taller than the page prints on a page of its own instead of pushing pages forever.
    TSpellRows three(Spells("8", 3));
    TReportLayout tall;
    tall.Bands = {TLayoutBand{TLayoutBandKind::Detail, 400.0, "", false, false, TLayoutBand::NoLink, {}}};
    EXPECT_EQ(LayoutReport(tall, three).Pages.size(), 3u);

    tall.Bands[0].LinkBand = 3;
    EXPECT_THROW(LayoutReport(tall, three), EInvalidOperation);
    // A band linked to itself counts its height once.
    tall.Bands[0].LinkBand = 0;
    tall.Bands[0].Height = 100.0;
    EXPECT_EQ(LayoutReport(tall, three).Pages.size(), 2u);
}
