#pragma once
// Real fonts for picture boxes and owner-drawn widgets: the faces the windows
// name are mapped to the Liberation faces that stand in for them on Linux.
#include <QFont>

#include "forms/FontEngine.h"

namespace desktop {

// "MS Sans Serif" and "Arial" -> Liberation Sans, "Courier" and "Courier New"
// -> Liberation Mono, "Times New Roman" -> Liberation Serif (case ignored);
// any other name is passed on as it stands.
QString qtFontFamily(const std::string& name);
// The Qt font of a form-layer font; the size in points is turned into pixels
// at 96 dpi, as the windows' layouts in twips expect (8 pt = 11 pixels).
// Without kerning, as every text of the windows is drawn and measured.
QFont qtFont(const forms::Font& font);

class QtFontEngine : public forms::FontEngine {
 public:
  int textWidth(const forms::Font& font, std::string_view utf8) const override;
  int textHeight(const forms::Font& font) const override;
  void drawText(forms::Image& image, int x, int y, const forms::Font& font, std::string_view utf8,
                forms::Color colour) const override;
};

}  // namespace desktop
