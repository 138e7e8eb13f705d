#include "desktop/QtFontEngine.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace desktop {

namespace {

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QRgb toQRgb(forms::Color c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
forms::Color fromQRgb(QRgb c) { return forms::RGB(qRed(c), qGreen(c), qBlue(c)); }

}  // namespace

QString qtFontFamily(const std::string& name) {
  const QString n = QString::fromStdString(name).trimmed().toLower();
  if (n == "ms sans serif" || n == "arial") return "Liberation Sans";
  if (n == "courier" || n == "courier new") return "Liberation Mono";
  if (n == "times new roman") return "Liberation Serif";
  return QString::fromStdString(name);
}

QFont qtFont(const forms::Font& font) {
  QFont f(qtFontFamily(font.name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 96 / 72))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setHintingPreference(QFont::PreferFullHinting);
  // No kerning, as the classic controls draw: it pulls "A" and a space
  // together, and "VIA APPIA" would read "VIAAPPIA".
  f.setKerning(false);
  return f;
}

int QtFontEngine::textWidth(const forms::Font& font, std::string_view utf8) const {
  return QFontMetrics(qtFont(font)).horizontalAdvance(qs(utf8));
}

int QtFontEngine::textHeight(const forms::Font& font) const { return QFontMetrics(qtFont(font)).height(); }

void QtFontEngine::drawText(forms::Image& image, int x, int y, const forms::Font& font, std::string_view utf8,
                            forms::Color colour) const {
  QFont f = qtFont(font);
  if (image.isMono()) f.setStyleStrategy(QFont::NoAntialias);  // two values, no greys
  const QFontMetrics fm(f);
  const QString text = qs(utf8);
  // The glyphs may reach a little beyond their advance (italic, overhangs).
  const int slack = fm.averageCharWidth();
  const QRect area = QRect(x - slack, y, fm.horizontalAdvance(text) + 2 * slack, fm.height())
                         .intersected(QRect(0, 0, image.width(), image.height()));
  if (area.isEmpty() || text.isEmpty()) return;

  // Paint on a copy of the covered pixels, then write back what changed, so
  // that a monochrome image gets only its own two values.
  QImage before(area.size(), QImage::Format_RGB32);
  for (int r = 0; r < area.height(); ++r)
    for (int c = 0; c < area.width(); ++c) {
      const forms::Color p = image.pixel(area.x() + c, area.y() + r);
      before.setPixel(c, r, image.isMono() ? (p ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) : toQRgb(p));
    }
  QImage after = before;
  {
    QPainter painter(&after);
    painter.setFont(f);
    painter.setPen(QColor(toQRgb(colour)));
    painter.drawText(x - area.x(), y - area.y() + fm.ascent(), text);
  }
  for (int r = 0; r < area.height(); ++r)
    for (int c = 0; c < area.width(); ++c)
      if (after.pixel(c, r) != before.pixel(c, r))
        image.setPixel(area.x() + c, area.y() + r, fromQRgb(after.pixel(c, r)));
}

}  // namespace desktop
