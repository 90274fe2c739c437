#pragma once
// A spell book laid out like the application's report (a header of 9.26 mm, cards of 30.69 mm, A4 between
// margins of 5 mm and 3 mm), over rows held in memory. Shared by the report tests and benchmarks.
#include "report/PageRenderer.h"
#include "report/ReportLayoutEngine.h"

#include <string>
#include <vector>

namespace spellbook {

struct TSpell {
    std::string Level;
    std::string Name;
    std::string Description = "Una breve descrizione dell'effetto";
};

class TSpellRows : public TReportRowSource {
  public:
    explicit TSpellRows(std::vector<TSpell> spells) : FSpells(std::move(spells)) {}
    bool First() override { return !FSpells.empty() && (FIndex = 0, true); }
    bool Next() override { return ++FIndex < FSpells.size(); }
    std::string GroupKey(const std::string& expression) override {
        ++GroupKeyCalls;
        return expression == "LIVELLO" ? Current().Level : "?";
    }
    const TSpell& Current() const { return FSpells[FIndex]; }
    int GroupKeyCalls = 0;

  private:
    std::vector<TSpell> FSpells;
    size_t FIndex = 0;
};

inline const TMm HeaderHeight = 9.26;
inline const TMm CardHeight = 30.69;
inline const TMm TopMargin = 5.0, LeftMargin = 3.0;

inline TReportShape Box(double left, double top, double width, double height, int penPixels = 1) {
    TReportShape shape;
    shape.Bounds = {left, top, width, height};
    shape.PenWidth = TMm::FromPixels96(penPixels);
    return shape;
}

inline TReportShape Rule(double left, double top, double length) {
    TReportShape shape = Box(left, top, length, 0);
    shape.Kind = TReportShapeKind::HorLine;
    return shape;
}

// An auto-sized text, as the report's labels and data texts are.
inline TReportText Text(double left, double top, const std::string& value, const TReportFont& font,
                        bool transparent) {
    const TPageRenderer::TTextExtent extent = TPageRenderer::MeasureText(font, value);
    TReportText text;
    text.Bounds = {left, top, extent.Width, extent.Height};
    text.Text = value;
    text.Font = font;
    text.WordWrap = true;
    text.Transparent = transparent;
    return text;
}

inline std::vector<TPageItem> HeaderItems(const TSpell& spell) {
    const TReportFont title{"Verdana", 14, false, false, false, false, clWhite};
    const TReportFont small{"Verdana", 8, false, false, false, false, clWhite};
    TReportShape bar = Box(4.5, 1.6, 195.3, 7.7, 2);
    bar.PenMode = TPenMode::Black;
    return {bar,
            Text(26.7, 2.1, "Incantesimi di", title, true),
            Text(64.3, 2.1, spell.Level, title, true),
            Text(71.2, 2.1, "livello da", title, true),
            Text(158.5, 5.0, "Totale L\\P", small, true),
            Text(186.5, 5.0, "CD", small, true),
            Box(95.8, 2.1, 48.4, 6.6),
            Box(174.1, 4.5, 10.3, 4.2),
            Box(191.8, 4.5, 7.4, 4.2)};
}

inline std::vector<TPageItem> CardItems(const TSpell& spell) {
    const TReportFont value{"Monotype Corsiva", 9, false, true, false, false, clBlack};
    TReportFont name = value;
    name.Bold = true;
    const TReportFont caption{"Arial", 6, false, false, false, false, clBlack};
    std::vector<TPageItem> items{Box(4.5, -0.5, 195.3, 31.2, 3),
                                 Text(7.7, 1.9, spell.Name, name, false),
                                 Text(81.8, 1.9, "Una creatura", value, false),
                                 Text(7.7, 8.7, "1 azione", value, false),
                                 Text(44.7, 8.7, "Istantanea", value, false),
                                 Text(81.8, 8.7, "Contatto", value, false),
                                 Text(118.8, 8.7, "Nessuna", value, false),
                                 Text(155.6, 8.7, "Nessuno", value, false),
                                 Text(7.7, 15.6, spell.Description, value, false),
                                 Text(173.0, 22.5, "12", value, false)};
    const char* captions[] = {"Incantesimo", "Bersaglio",     "Tempo di lancio", "Durata", "Raggio",
                              "Area",        "Tiro salvezza", "Effetto",         "Pag."};
    const double captionAt[][2] = {{7.7, 5.0},    {81.8, 5.0},   {7.7, 11.9}, {44.7, 11.9}, {81.8, 11.9},
                                   {118.8, 11.9}, {155.6, 11.9}, {7.7, 18.8}, {173.0, 25.7}};
    for (int i = 0; i < 9; ++i)
        items.push_back(Text(captionAt[i][0], captionAt[i][1], captions[i], caption, false));
    for (double left : {155.8, 161.1, 166.4, 171.7, 177.0, 182.3, 187.6, 192.9})
        items.push_back(Box(left, 1.3, 3.7, 3.7));
    for (double top : {4.8, 8.2, 11.6, 15.1, 18.5, 21.7, 25.1})
        items.push_back(Box(192.9, top, 3.7, 3.7));
    const char* letters[] = {"V", "S", "M", "F", "FD", "PE", "RI"};
    const double markAt[] = {157.2, 162.5, 167.7, 173.0, 178.3, 183.6, 188.9};
    const double letterAt[] = {156.9, 162.2, 167.2, 172.8, 177.5, 182.8, 188.4};
    for (int i = 0; i < 7; ++i)
        items.push_back(Text(markAt[i], 1.9, i % 2 ? "X" : " ", caption, false));
    for (int i = 0; i < 7; ++i)
        items.push_back(Text(letterAt[i], 5.0, letters[i], caption, false));
    items.push_back(Text(7.7, 22.5, "Seconda riga della descrizione", value, false));
    for (double left : {7.7, 81.8})
        items.push_back(Rule(left, 4.8, 72.5));
    for (double left : {7.7, 44.7, 81.8, 118.8, 155.8})
        items.push_back(Rule(left, 11.6, 35.5));
    items.push_back(Rule(7.7, 18.5, 183.6));
    items.push_back(Rule(7.7, 25.4, 162.5));
    items.push_back(Rule(173.0, 25.4, 18.3));
    return items;
}

inline TReportLayout Layout(TSpellRows& rows) {
    TReportLayout layout;
    layout.TopMargin = layout.BottomMargin = TopMargin;
    layout.LeftMargin = layout.RightMargin = LeftMargin;
    TLayoutBand header;
    header.Kind = TLayoutBandKind::GroupHeader;
    header.Height = HeaderHeight;
    header.Expression = "LIVELLO";
    header.ForceNewPage = true;
    header.LinkBand = 1;
    header.Content = [&rows] { return HeaderItems(rows.Current()); };
    TLayoutBand card;
    card.Height = CardHeight;
    card.Content = [&rows] { return CardItems(rows.Current()); };
    layout.Bands = {header, card};
    return layout;
}

// `count` spells of the level, named so that they sort in order.
inline std::vector<TSpell> Spells(const std::string& level, int count) {
    std::vector<TSpell> spells;
    for (int i = 0; i < count; ++i)
        spells.push_back({level, "Incantesimo " + level + "-" + std::to_string(100 + i)});
    return spells;
}

inline std::vector<TSpell> Concat(std::initializer_list<std::vector<TSpell>> parts) {
    std::vector<TSpell> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace spellbook
