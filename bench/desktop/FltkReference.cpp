// The start-up benchmark's second yardstick: the window of the plain Xlib reference built the ordinary way
// with FLTK 1.3, the lightest toolkit the project measures itself against. Same database work, same size,
// place and layout as XlibReference.cpp; FLTK's own widgets, fonts and event loop do the rest, so the
// numbers show what a toolkit costs on top of the bare minimum.
#include "ReferenceCatalogue.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Output.H>
#include <FL/fl_draw.H>

#include <string>
#include <vector>

namespace {

constexpr int Width = 701, Height = 562;
// Where the Xlib reference and the main window have their spell list, so that the benchmark clicks all at one
// point. FLTK's 10 point Helvetica is 13 pixels high, the Xlib reference's row.
constexpr int ListLeft = 7, ListTop = 123, ListWidth = 160, ListHeight = 425, ListTextSize = 10;

// The empty selection grid: FLTK 1.3 has no light table widget, so its lines are drawn as the Xlib reference
// draws them.
class TGrid : public Fl_Box {
public:
    TGrid(int x, int y, int w, int h) : Fl_Box(FL_FLAT_BOX, x, y, w, h, nullptr) { color(FL_WHITE); }

protected:
    void draw() override {
        Fl_Box::draw();
        fl_color(fl_rgb_color(160, 160, 160));
        for (int top = y(); top < y() + h(); top += 26) fl_xyline(x(), top, x() + w() - 1);
        fl_yxline(x() + 56, y(), y() + h() - 1);
    }
};

} // namespace

int main() {
    // The database is read before the display is opened, as the Xlib reference does.
    const TCatalogue catalogue = ReadCatalogue();
    // No dotted focus frames: the list takes the focus on the click, and the benchmark should see only the
    // selection move.
    Fl::visible_focus(0);

    // Strings given to widgets as labels are not copied; these live as long as the window.
    auto* window = new Fl_Double_Window(207, 115, Width, Height, "Riferimento FLTK");
    window->color(fl_rgb_color(212, 212, 212));
    auto* title = new Fl_Box(FL_FLAT_BOX, 0, 0, Width, 24, "Il Velmarune");
    title->color(fl_rgb_color(40, 40, 40));
    title->labelcolor(FL_WHITE);
    title->labelsize(12);
    title->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);

    auto* list = new Fl_Hold_Browser(ListLeft, ListTop, ListWidth, ListHeight);
    list->textsize(ListTextSize);
    // Long names are cut at the edge, as in the Xlib reference, rather than given a horizontal scroll bar.
    list->has_scrollbar(Fl_Browser_::VERTICAL);
    for (const std::string& name : catalogue.Names) list->add(name.c_str());
    if (list->size() > 0) list->select(1);

    static std::vector<Fl_Output*> fields;
    int y = 76;
    if (!catalogue.Fields.empty())
        for (const auto& [name, value] : catalogue.Fields.front()) {
            auto* field = new Fl_Output(310, y - 11, 290, 14, name.c_str());
            field->labelsize(11);
            field->textsize(11);
            field->value(value.c_str());
            fields.push_back(field);
            y += 16;
        }
    // A click on a name shows that spell's fields, as the program does.
    list->callback(
        [](Fl_Widget* widget, void* data) {
            const auto& all = static_cast<const TCatalogue*>(data)->Fields;
            const int row = static_cast<Fl_Hold_Browser*>(widget)->value() - 1;
            if (row < 0 || size_t(row) >= all.size()) return;
            for (size_t i = 0; i < fields.size() && i < all[size_t(row)].size(); ++i)
                fields[i]->value(all[size_t(row)][i].second.c_str());
        },
        const_cast<TCatalogue*>(&catalogue));
    new TGrid(208, 290, 472, 230);
    window->end();

    // FLTK maps the window before it draws it: the first picture on screen is the bare window, the second the
    // complete one.
    window->show();
    return Fl::run();
}
