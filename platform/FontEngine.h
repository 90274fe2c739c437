#pragma once
#include "platform/Font.h"
#include "platform/Region.h"
#include "platform/Surface.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Faces found through fontconfig, glyphs rasterised by FreeType and cached. The layouts name the platform's
// fonts; one table maps each of them to an installed free face of similar metrics.
// A face's text cell in ems, where the platform takes it from the face's own tables otherwise.
struct TFaceCell {
    double Ascent = 0;
    double Descent = 0;
};

// A font as the layouts name it, with the style that picks its face.
struct TFaceRequest {
    std::string Name;
    bool Bold = false;
    bool Italic = false;
};

class TFontEngine {
public:
    // Made at the first use; the program makes it first thing, so that the font configuration loads while
    // it starts, and the faces for `ahead` (heard at that first call only) are matched on the same thread.
    static TFontEngine& Instance(const std::vector<TFaceRequest>& ahead = {});
    // Lets the font configuration go, if the engine was made; faces already matched stay known, and a face
    // asked for later loads the configuration again.
    static void ReleaseConfiguration();
    // Renders up to `glyphs` more of the common characters in the fonts used so far, if the engine was made, so
    // that a text showing them for the first time does not wait for them; true while some remain.
    static bool WarmUp(int glyphs);

    // The file of the installed face that stands in for `name`; raises EResNotFound when none can be found.
    std::string ResolveFace(const std::string& name, bool bold, bool italic);
    // The cell the stand-in for `name` is given in place of its own, if any.
    std::optional<TFaceCell> CellOf(const std::string& name, bool bold, bool italic);
    TTextMetric Metrics(const TFontDesc& font);
    int TextWidth(const TFontDesc& font, std::string_view utf8);
    // Draws one line with the top of its cell at y, anti-aliased, clipped to `clip` (surface coordinates),
    // underline and strike-out included.
    void DrawLine(TSurface& surface, const TRegion& clip, int x, int y, std::string_view utf8,
                  const TFontDesc& font, TPixel color);

private:
    explicit TFontEngine(const std::vector<TFaceRequest>& ahead);
    ~TFontEngine();
    struct TImpl;
    TImpl* FImpl;
};
