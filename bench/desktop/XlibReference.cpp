// The start-up benchmark's yardstick: the least a program can do to show a window like the main one with
// plain Xlib. It runs the same start-up statements on Incantesimi.mdb in the current folder, draws the list
// of spells, the current spell's fields and an empty selection grid into a pixmap, and maps the window only
// once that picture is its background. A click on the list selects the row under it.
#include "ReferenceCatalogue.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Width = 701, Height = 562;
// Where the main window has its spell list, so that the benchmark clicks both at one point.
constexpr int ListLeft = 7, ListTop = 123, ListWidth = 160, ListHeight = 425, RowHeight = 13;

class TReference {
public:
    explicit TReference(Display* display) : FDisplay(display), FScreen(DefaultScreen(display)) {
        FCatalogue = ReadCatalogue();
        const Window root = RootWindow(display, FScreen);
        FPixmap = XCreatePixmap(display, root, Width, Height, unsigned(DefaultDepth(display, FScreen)));
        FGC = XCreateGC(display, FPixmap, 0, nullptr);
        DrawAll();
        XSetWindowAttributes attributes{};
        attributes.background_pixmap = FPixmap;
        attributes.event_mask = ButtonPressMask | ExposureMask | StructureNotifyMask;
        FWindow = XCreateWindow(display, root, 207, 115, Width, Height, 0, CopyFromParent, InputOutput,
                                CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
        XStoreName(display, FWindow, "Riferimento");
        XMapWindow(display, FWindow);
        XFlush(display);
    }

    void Run() {
        for (;;) {
            XEvent event;
            XNextEvent(FDisplay, &event);
            if (event.type == ButtonPress) Click(event.xbutton.x, event.xbutton.y);
        }
    }

private:
    unsigned long Gray(int level) const {
        XColor color{};
        color.red = color.green = color.blue = static_cast<unsigned short>(level * 257);
        XAllocColor(FDisplay, DefaultColormap(FDisplay, FScreen), &color);
        return color.pixel;
    }
    void Fill(unsigned long pixel, int x, int y, int w, int h) {
        XSetForeground(FDisplay, FGC, pixel);
        XFillRectangle(FDisplay, FPixmap, FGC, x, y, unsigned(w), unsigned(h));
    }
    void Text(unsigned long pixel, int x, int y, const std::string& text) {
        XSetForeground(FDisplay, FGC, pixel);
        XDrawString(FDisplay, FPixmap, FGC, x, y, text.c_str(), int(text.size()));
    }

    void DrawAll() {
        Fill(Gray(212), 0, 0, Width, Height);
        Fill(Gray(40), 0, 0, Width, 24);
        Text(Gray(255), 8, 16, "Il Velmarune");
        DrawList();
        DrawFields();
        Fill(Gray(255), 208, 290, 472, 230);
        for (int y = 290; y < 520; y += 26) Fill(Gray(160), 208, y, 472, 1);
        Fill(Gray(160), 264, 290, 1, 230);
    }

    void DrawFields() {
        if (FSelected < 0 || size_t(FSelected) >= FCatalogue.Fields.size()) return;
        int y = 76;
        for (const auto& [name, value] : FCatalogue.Fields[size_t(FSelected)]) {
            Fill(Gray(212), 212, y - 11, 98, 14);
            Text(Gray(0), 212, y, name);
            Fill(Gray(255), 310, y - 11, 290, 14);
            Text(Gray(0), 314, y, value);
            y += 16;
        }
    }

    void DrawList() {
        Fill(Gray(255), ListLeft, ListTop, ListWidth, ListHeight);
        for (size_t i = 0; i < FCatalogue.Names.size(); ++i) {
            const int top = ListTop + int(i) * RowHeight;
            if (top + RowHeight > ListTop + ListHeight) break;
            const bool selected = int(i) == FSelected;
            if (selected) Fill(Gray(60), ListLeft, top, ListWidth, RowHeight);
            Text(selected ? Gray(255) : Gray(0), ListLeft + 4, top + 11, FCatalogue.Names[i]);
        }
    }

    void Click(int x, int y) {
        if (x < ListLeft || x >= ListLeft + ListWidth || y < ListTop || y >= ListTop + ListHeight) return;
        FSelected = (y - ListTop) / RowHeight;
        DrawList();
        DrawFields(); // the spell clicked shows its fields, as in the program
        XCopyArea(FDisplay, FPixmap, FWindow, FGC, ListLeft, ListTop, ListWidth, ListHeight, ListLeft, ListTop);
        XCopyArea(FDisplay, FPixmap, FWindow, FGC, 212, 65, 388, 22 * 16, 212, 65);
        XFlush(FDisplay);
    }

    Display* FDisplay;
    int FScreen;
    TCatalogue FCatalogue;
    Pixmap FPixmap = 0;
    GC FGC = nullptr;
    Window FWindow = 0;
    int FSelected = 0;
};

} // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "xlib_reference: cannot open the display\n");
        return 1;
    }
    TReference reference(display);
    reference.Run();
}
