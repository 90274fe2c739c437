#include "platform/FaceStyle.h"


const TT_OS2* Os2Table(FT_Face face) {
    auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    return os2 && os2->version != 0xFFFF ? os2 : nullptr;
}

bool FaceIsBold(FT_Face face) {
    const TT_OS2* os2 = Os2Table(face);
    return (face->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->usWeightClass >= 600);
}

// A chancery is italic by design even when its style name says "Regular": its slant is in the post table.
bool FaceIsItalic(FT_Face face) {
    auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    return (face->style_flags & FT_STYLE_FLAG_ITALIC) || (post && post->italicAngle != 0);
}
