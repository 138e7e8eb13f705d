#pragma once
// Text measuring and drawing for picture boxes and owner-drawn widgets. The
// form layer only talks to the FontEngine interface; the desktop front end
// installs one with real fonts, tests use the headless engine.
#include <string>
#include <string_view>

#include "forms/Color.h"
#include "forms/Image.h"

namespace forms {

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool operator==(const Font&) const = default;
};

class FontEngine {
 public:
  virtual ~FontEngine() = default;

  // Width in pixels of one line of text.
  virtual int textWidth(const Font& font, std::string_view utf8) const = 0;
  // Height in pixels of one line (the character cell).
  virtual int textHeight(const Font& font) const = 0;
  // Draws one line with the top left of its first character cell at (x, y),
  // as Print does at CurrentX, CurrentY; only the glyphs are painted.
  virtual void drawText(Image& image, int x, int y, const Font& font, std::string_view utf8, Color colour) const = 0;

  // The text shortened with "..." so that it is at most maxWidth wide, as the
  // path-ellipsis drawing of the status bar gives it back. A text that fits is
  // unchanged. When it holds a "\" or "/", the part from the last one on is
  // kept and the part before it loses characters from its end (the start
  // goes only when that is not enough); otherwise characters go from the
  // middle, the start keeping at least as many as the end. When not even
  // "..." fits, as many of its dots as fit.
  virtual std::string elide(const Font& font, std::string_view utf8, int maxWidth) const;
};

// Fixed metrics, close to MS Sans Serif 8 pt on a 96-dpi screen, so that
// layouts can be checked by hand:
// - every character (UTF-8 code point, blanks included) is 6 pixels wide at
//   8 pt regular and 7 pixels bold; a line is 13 pixels high;
// - other sizes scale linearly: width round(6 or 7 x size / 8), height
//   round(13 x size / 8), never below 1; italic changes nothing;
// - each glyph but blanks and control characters is drawn as a filled
//   rectangle of its cell less a 1-pixel margin all round (6 x 13 cell:
//   columns 1 to 4, rows 1 to 11); underline adds the cell's bottom row
//   under the whole text.
// The toolbar captions ("Strumenti" is the longest, 54 pixels) thus stay
// within the default 60-pixel button, as the designed button positions expect.
class HeadlessFontEngine : public FontEngine {
 public:
  int charWidth(const Font& font) const;
  int textWidth(const Font& font, std::string_view utf8) const override;
  int textHeight(const Font& font) const override;
  void drawText(Image& image, int x, int y, const Font& font, std::string_view utf8, Color colour) const override;
};

// The engine in use: the one installed last, or a headless one.
FontEngine& fontEngine();
// Installs `engine` (kept by the caller, who must keep it alive while
// installed); nullptr goes back to the headless engine.
void setFontEngine(FontEngine* engine);

}  // namespace forms
