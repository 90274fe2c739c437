#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

// Whether a face is bold or italic by design, so that neither is synthesised a second time.
bool FaceIsBold(FT_Face face);
bool FaceIsItalic(FT_Face face);
// The OS/2 table when the face has a valid one.
const TT_OS2* Os2Table(FT_Face face);
