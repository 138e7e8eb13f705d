#include "forms/Canvas.h"

#include <cmath>
#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/Desktop.h"

namespace forms {

namespace {

// The lines of a text broken at CR LF, CR or LF.
std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    out.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  out.push_back(text.substr(start));
  return out;
}

}  // namespace

void Canvas::setScaleMode(int mode) {
  if (mode != vbTwips && mode != vbPixels) throw FormsError("unsupported ScaleMode " + std::to_string(mode));
  scaleMode_ = mode;
}

int Canvas::toPixels(float v) const {
  return static_cast<int>(std::lround(scaleMode_ == vbPixels ? v : v / TwipsPerPixel));
}

float Canvas::fromPixels(int px) const {
  return scaleMode_ == vbPixels ? static_cast<float>(px) : static_cast<float>(px) * TwipsPerPixel;
}

float Canvas::ScaleWidth() const { return fromPixels(clientWidthPx()); }
float Canvas::ScaleHeight() const { return fromPixels(clientHeightPx()); }

void Canvas::Cls() {
  image_.fill(resolveColor(BackColorOfCanvas()));
  bitBlt(image_, 0, 0, picture_.width(), picture_.height(), picture_, 0, 0, Rop::SRCCOPY);
  currentX_ = currentY_ = 0;
  canvasChanged();
}

void Canvas::Line(float x1, float y1, float x2, float y2, Color colour, LineKind kind) {
  const int a = toPixels(x1), b = toPixels(y1), c = toPixels(x2), d = toPixels(y2);
  const Color rgb = resolveColor(colour);
  switch (kind) {
    case LineKind::Plain:
      image_.line(a, b, c, d, rgb);
      break;
    case LineKind::Box:
      image_.box(a, b, c, d, rgb);
      break;
    case LineKind::BoxFill:
      image_.fillBox(a, b, c, d, rgb);
      break;
  }
  currentX_ = x2;
  currentY_ = y2;
  canvasChanged();
}

void Canvas::PSet(float x, float y, Color colour) {
  image_.setPixel(toPixels(x), toPixels(y), resolveColor(colour));
  currentX_ = x;
  currentY_ = y;
  canvasChanged();
}

void Canvas::Print(std::string_view text, bool newline) {
  const Font& font = FontOfCanvas();
  const Color colour = resolveColor(ForeColorOfCanvas());
  const std::vector<std::string_view> parts = lines(text);
  for (size_t i = 0; i < parts.size(); ++i) {
    fontEngine().drawText(image_, toPixels(currentX_), toPixels(currentY_), font, parts[i], colour);
    if (i + 1 < parts.size() || newline) {
      currentX_ = 0;
      currentY_ += fromPixels(fontEngine().textHeight(font));
    } else {
      currentX_ += fromPixels(fontEngine().textWidth(font, parts[i]));
    }
  }
  canvasChanged();
}

float Canvas::TextWidth(std::string_view text) const {
  int widest = 0;
  for (std::string_view line : lines(text)) widest = std::max(widest, fontEngine().textWidth(FontOfCanvas(), line));
  return fromPixels(widest);
}

float Canvas::TextHeight(std::string_view text) const {
  return fromPixels(static_cast<int>(lines(text).size()) * fontEngine().textHeight(FontOfCanvas()));
}

void Canvas::setPicture(const forms::Image& picture) {
  picture_ = picture;
  const float x = currentX_, y = currentY_;
  Cls();
  currentX_ = x;
  currentY_ = y;
}

void Canvas::Refresh() {
  canvasChanged();
  if (!autoRedraw_ && Paint) Paint();
}

void Canvas::resizeCanvas() {
  image_.resize(std::max(clientWidthPx(), 0), std::max(clientHeightPx(), 0), resolveColor(BackColorOfCanvas()));
  canvasChanged();
}

}  // namespace forms
