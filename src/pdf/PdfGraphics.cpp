// Graphics operators: colours, line style, paths and their painting.
#include <cmath>

#include "pdf/PdfWriter.h"

namespace pdf {

void clsPDFWriter::setColor(std::int32_t rgb, std::string_view grey, std::string_view colour) {
  requireStream();
  if (rgb >= -255 && rgb <= 0) {
    putNumber(static_cast<float>(-static_cast<double>(rgb) / 255));
    put(grey);
    endLine();
    return;
  }
  // Integer division and remainder truncate toward zero: a negative colour below -255
  // gives a negative component unless it is a multiple of 2^24.
  const std::int32_t parts[3] = {rgb % 256, rgb / 256 % 256, rgb / 65536 % 256};
  for (std::int32_t p : parts)
    if (p < 0) throw PdfError("colour " + std::to_string(rgb) + " is out of range");
  for (int i = 0; i < 3; ++i) {
    if (i > 0) put(" ");
    putNumber(static_cast<float>(parts[i] / 255.0));
  }
  put(colour);
  endLine();
}

void clsPDFWriter::SetColorStroke(std::int32_t rgb) { setColor(rgb, " G", " RG"); }
void clsPDFWriter::SetColorFill(std::int32_t rgb) { setColor(rgb, " g", " rg"); }

void clsPDFWriter::SetDash(float dash_on, float dash_off) {
  requireStream();
  if (dash_on == 0 && dash_off == 0) {
    put("[ ] 0 d");
  } else {
    put("[");
    putCoord(dash_on);
    put(" ");
    putCoord(dash_off);
    put("] 0 d");
  }
  endLine();
}

void clsPDFWriter::SetLineWidth(float W) {
  requireStream();
  putCoord(W);
  put(" w");
  endLine();
}

void clsPDFWriter::SetLineCap(int W) {
  requireStream();
  if (W < 0 || W > 2) return;
  putInt(W);
  put(" J");
  endLine();
}

void clsPDFWriter::SetLineJoin(int W) {
  requireStream();
  if (W < 0 || W > 2) return;
  putInt(W);
  put(" j");
  endLine();
}

void clsPDFWriter::SetMiterLimit(float W) {
  requireStream();
  if (!(W >= 1)) return;
  putNumber(W);
  put(" M");
  endLine();
}

void clsPDFWriter::DipingiPercorso(int Options) {
  const int o = Options & 7;
  if (o == 7) {
    ScriviLineaPdf("b");
  } else if ((o & 5) == 5) {
    ScriviLineaPdf("B");
  } else if ((o & 4) == 4) {
    ScriviLineaPdf("f");
  } else {
    if (o & 2) ScriviLineaPdf("h");
    if (o & 1) ScriviLineaPdf("S");
  }
}

void clsPDFWriter::MoveTo(float x, float y) {
  requireStream();
  putCoord(x);
  put(" ");
  putCoord(y);
  put(" m");
  endLine();
}

void clsPDFWriter::LineTo(float x, float y, int Options) {
  requireStream();
  putCoord(x);
  put(" ");
  putCoord(y);
  put(" l");
  endLine();
  DipingiPercorso(Options);
}

void clsPDFWriter::Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, int Options) {
  requireStream();
  for (float v : {x1, y1, X2, Y2, X3}) {
    putCoord(v);
    put(" ");
  }
  putCoord(Y3);
  put(" c");
  endLine();
  DipingiPercorso(Options);
}

void clsPDFWriter::Rectangle(float x, float y, float xdim, float ydim, int Options, float Ray) {
  requireStream();
  ScriviLineaPdf("n");
  if (Ray > 0) {
    float r = Ray;
    if (xdim / 2 < r) r = xdim / 2;
    if (ydim / 2 < r) r = ydim / 2;
    const float k = r * 0.55f;
    const float w = xdim;
    const float h = ydim;
    MoveTo(x + r, y);
    LineTo(x + w - r, y, 0);
    Curve(x + w - r + k, y, x + w, y + r - k, x + w, y + r, 0);
    LineTo(x + w, y + h - r, 0);
    Curve(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h, 0);
    LineTo(x + r, y + h, 0);
    Curve(x + r - k, y + h, x, y + h - r + k, x, y + h - r, 0);
    LineTo(x, y + r, 0);
    Curve(x, y + r - k, x + r - k, y, x + r, y, 0);
  } else {
    for (float v : {x, y, xdim}) {
      putCoord(v);
      put(" ");
    }
    putCoord(ydim);
    put(" re");
    endLine();
  }
  DipingiPercorso(Options);
}

void clsPDFWriter::DrawCircle(float x, float y, float Ray, int Options) {
  requireStream();
  const float r = Ray;
  const float k = r * 0.55f;
  MoveTo(x, y - r);
  Curve(x + k, y - r, x + r, y - k, x + r, y, 0);
  Curve(x + r, y + k, x + k, y + r, x, y + r, 0);
  Curve(x - k, y + r, x - r, y + k, x - r, y, 0);
  Curve(x - r, y - k, x - k, y - r, x, y - r, 0);
  DipingiPercorso(Options);
}

void clsPDFWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool Pie,
                       float Rotate, int Quality, int Options) {
  requireStream();
  const auto step = static_cast<float>(Quality);
  // A step that does not move the angle (0, negative, or lost in a huge angle) never ends.
  if (Quality <= 0 || StartAngle + step == StartAngle || EndAngle + step == EndAngle)
    throw PdfError("an arc needs a quality of at least one degree that moves its angle");
  ScriviLineaPdf("n");
  MoveTo(x, y);
  const bool pie = Pie || (Options & 4) != 0;
  const auto f = static_cast<float>(3.141592 / 180);
  const auto sR = static_cast<float>(std::sin(-static_cast<double>(f) * Rotate));
  const auto cR = static_cast<float>(std::cos(-static_cast<double>(f) * Rotate));
  for (float a = StartAngle; a <= EndAngle; a += step) {
    const float t = f * a;
    const auto px = static_cast<float>(Ray * std::cos(static_cast<double>(t)));
    const auto py = static_cast<float>(Ratio * Ray * std::sin(static_cast<double>(t)));
    const float X = cR * px + sR * py;
    const float Y = cR * py - sR * px;
    if (!pie && a == StartAngle) MoveTo(x + X, y + Y);
    LineTo(x + X, y + Y, 0);
  }
  if (pie) LineTo(x, y, 0);
  DipingiPercorso(Options);
}

}  // namespace pdf
