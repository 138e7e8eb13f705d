#include "forms/FontEngine.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Cp1252.h"

namespace forms {

namespace {

int scaled(double pixelsAt8Points, double size) {
  return std::max(1, static_cast<int>(std::lround(pixelsAt8Points * size / 8)));
}

// The text cut at each character boundary: the byte offset where every code point starts.
std::vector<size_t> characterStarts(std::string_view utf8) {
  std::vector<size_t> starts;
  for (size_t pos = 0; pos < utf8.size();) {
    starts.push_back(pos);
    platform::nextCodePoint(utf8, pos);
  }
  return starts;
}

FontEngine* installed = nullptr;

}  // namespace

std::string FontEngine::elide(const Font& font, std::string_view utf8, int maxWidth) const {
  if (textWidth(font, utf8) <= maxWidth) return std::string(utf8);
  std::vector<size_t> starts = characterStarts(utf8);
  const size_t n = starts.size();
  starts.push_back(utf8.size());

  const size_t slash = utf8.find_last_of("\\/");
  const bool path = slash != std::string_view::npos;
  // Characters [0, headEnd) stand before the ellipsis, [tailStart, n) after it.
  size_t headEnd = path ? std::find(starts.begin(), starts.end(), slash) - starts.begin() : (n + 1) / 2;
  size_t tailStart = headEnd;
  for (;;) {
    std::string candidate(utf8.substr(0, starts[headEnd]));
    candidate += "...";
    candidate += utf8.substr(starts[tailStart]);
    if (textWidth(font, candidate) <= maxWidth) return candidate;
    if (headEnd == 0 && tailStart == n) break;
    const bool cutHead = path ? headEnd > 0 : (headEnd > n - tailStart || tailStart == n);
    if (cutHead)
      --headEnd;
    else
      ++tailStart;
  }
  std::string dots = "...";
  while (!dots.empty() && textWidth(font, dots) > maxWidth) dots.pop_back();
  return dots;
}

int HeadlessFontEngine::charWidth(const Font& font) const { return scaled(font.bold ? 7 : 6, font.size); }

int HeadlessFontEngine::textWidth(const Font& font, std::string_view utf8) const {
  return static_cast<int>(characterStarts(utf8).size()) * charWidth(font);
}

int HeadlessFontEngine::textHeight(const Font& font) const { return scaled(13, font.size); }

void HeadlessFontEngine::drawText(Image& image, int x, int y, const Font& font, std::string_view utf8,
                                  Color colour) const {
  const int w = charWidth(font), h = textHeight(font);
  int left = x;
  for (size_t pos = 0; pos < utf8.size(); left += w) {
    const char32_t cp = platform::nextCodePoint(utf8, pos);
    const bool blank = cp <= 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0xA0);
    if (!blank && w > 2 && h > 2) image.fillBox(left + 1, y + 1, left + w - 2, y + h - 2, colour);
  }
  if (font.underline && left > x) image.fillBox(x, y + h - 1, left - 1, y + h - 1, colour);
}

FontEngine& fontEngine() {
  static HeadlessFontEngine headless;
  return installed ? *installed : headless;
}

void setFontEngine(FontEngine* engine) { installed = engine; }

}  // namespace forms
