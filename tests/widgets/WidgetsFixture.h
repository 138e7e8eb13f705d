#pragma once
// A host window wired like the main frame window: the toolbar's picture
// boxes and timer with their events forwarded, and a small bitmap strip of
// our own whose cells carry a marker pixel telling which cell was copied.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "forms/Forms.h"
#include "forms/HeadlessDesktop.h"
#include "forms/ScriptedUser.h"
#include "widgets/clsCoolbar.h"

namespace widgets::testing {

using forms::Color;
using forms::RGB;

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kDarkGrey = RGB(128, 128, 128);
constexpr Color kLightGrey = RGB(192, 192, 192);
constexpr int kCell = 25;
// Where the marker pixel sits inside a cell.
constexpr int kMarkerAt = 12;

// A colour of none of the three 3D colours, different for every cell.
inline Color marker(int column, int row) { return RGB(10 + 20 * column, 60 + 60 * row, 200); }

// Three rows of 25 x 25 cells, ten columns: light grey face, a white lit
// edge at the top and left, a dark grey shaded edge at the bottom and right,
// and the cell's marker in the middle.
inline forms::Image makeStrip() {
  forms::Image strip(10 * kCell, 3 * kCell, kLightGrey);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 10; ++column) {
      const int x = column * kCell, y = row * kCell;
      strip.fillBox(x, y, x + kCell - 1, y, kWhite);
      strip.fillBox(x, y, x, y + kCell - 1, kWhite);
      strip.fillBox(x, y + kCell - 1, x + kCell - 1, y + kCell - 1, kDarkGrey);
      strip.fillBox(x + kCell - 1, y, x + kCell - 1, y + kCell - 1, kDarkGrey);
      strip.setPixel(x + kMarkerAt, y + kMarkerAt, marker(column, row));
    }
  return strip;
}

struct ButtonText {
  const char* caption;
  const char* toolTip;
};

inline constexpr std::array<ButtonText, 9> kButtons{{{"Quotara", "Calcola valore TASI"},
                                                     {"Totali", "Totali per utente"},
                                                     {"Archivio", "Archivio dati"},
                                                     {"Catasto", "Dati catastali"},
                                                     {"Stampa", "Stampa Quotara"},
                                                     {"Strumenti", "Strumenti di utilità e backup"},
                                                     {"Guida", "Guida in linea del programma"},
                                                     {"Info", "Informazioni sul programma"},
                                                     {"Esci", "Uscita dal programma"}}};

class Host : public forms::Form {
 public:
  static constexpr int kClientWidthPx = 560;

  forms::PictureBox picCoolBar;
  forms::PictureBox picMasterBitmaps;
  forms::PictureBox picSourceBitmaps;
  forms::PictureBox picScratchPad;
  forms::TimerControl timerCoolBar;
  forms::TextBox Text1;
  clsCoolbar BarraComandi;
  // What MouseUpEvent gave for every mouse-up on the bar.
  std::vector<int> clicked;

  Host() {
    using forms::TwipsPerPixel;
    setClientSize(kClientWidthPx * TwipsPerPixel, 400 * TwipsPerPixel);
    picCoolBar.create(*this, 0, 0, kClientWidthPx * TwipsPerPixel, 600);
    picCoolBar.setAlign(forms::vbAlignTop);
    picMasterBitmaps.create(*this, 0, 0, 250 * TwipsPerPixel, 75 * TwipsPerPixel);
    picMasterBitmaps.setPicture(makeStrip());
    picSourceBitmaps.create(*this, 0, 0, 15, 15);
    picScratchPad.create(*this, 0, 0, 15, 15);
    timerCoolBar.create(*this);
    timerCoolBar.setInterval(55);
    timerCoolBar.setEnabled(false);
    Text1.create(*this, 300, 3000, 1500, 300);

    picCoolBar.MouseDown = [this](int b, int s, float x, float y) { BarraComandi.MouseDownEvent(b, s, x, y); };
    picCoolBar.MouseMove = [this](int b, int s, float x, float y) { BarraComandi.MouseMoveEvent(b, s, x, y); };
    picCoolBar.MouseUp = [this](int b, int s, float x, float y) {
      clicked.push_back(BarraComandi.MouseUpEvent(b, s, x, y));
    };
    picCoolBar.KeyDown = [this](int&, int) { BarraComandi.KeyDownEvent(); };
    picCoolBar.KeyUp = [this](int&, int) { BarraComandi.KeyUpEvent(); };
    picCoolBar.Resize = [this] { BarraComandi.ResizeEvent(); };
    timerCoolBar.Timer = [this] { BarraComandi.TimerEvent(); };
  }

  void CreateBar() {
    BarraComandi.Create(*this, picCoolBar, picMasterBitmaps, picSourceBitmaps, picScratchPad, timerCoolBar);
  }

  // The frame window's sequence: Create, nine buttons, separators before 3,
  // 6 and 9, captions, 25 x 25 cells, Refresh.
  void BuildAsFrame() {
    CreateBar();
    for (const ButtonText& b : kButtons) BarraComandi.AddButton(b.caption, b.toolTip);
    for (int before : {3, 6, 9}) BarraComandi.AddBar(before);
    BarraComandi.setShowText(true);
    BarraComandi.SetBitmapSize(kCell, kCell);
    BarraComandi.Refresh();
  }

  const forms::Image& bar() const { return picCoolBar.Image(); }
};

class WidgetsTest : public ::testing::Test {
 protected:
  forms::HeadlessDesktop desk;
  forms::Application application{desk};
  forms::ScriptedUser user;
};

}  // namespace widgets::testing
