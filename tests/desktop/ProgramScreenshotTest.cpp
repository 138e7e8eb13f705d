// The program as its user meets it: the real start-up on the offscreen Qt
// screen, then the windows it opens, each saved as a PNG under the test
// output folder for a person to look at, and checked where a fault would
// show in the pixels (a blank toolbar, an empty status bar, a text cut off).
#include <QAbstractButton>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <algorithm>
#include <set>

#include "ProgramFixture.h"
#include "archives/Catasto.h"
#include "archives/Immobili.h"
#include "archives/Strumenti.h"
#include "archives/frmCategorie.h"
#include "desktop/QtFontEngine.h"
#include "calculation/MainForm.h"
#include "calculation/frmAcconto.h"
#include "calculation/frmPertinenze.h"
#include "f24/Verifica.h"
#include "fiscalcode/frmCodComune.h"
#include "platform/Files.h"
#include "platform/InstanceLock.h"
#include "platform/Paths.h"
#include "frame/About.h"
#include "kit/Applicazione.h"
#include "frame/Avvio.h"
#include "frame/Principale.h"
#include "frame/Splash.h"

namespace desktop::testing {
namespace {

using namespace forms;

class ProgramScreenshotTest : public ProgramFixture {
 protected:
  // A calculation of ROSSI MARIO in 2026 as "tasi.dat" stores it: the same
  // instalment `rata` in June and December, 50,00 of deduction in each.
  static std::string Calcolo(const char* comune, const char* codice, const char* imposta, const char* indirizzo,
                             const char* tipo, const char* principale, const char* rata) {
    return std::string("ROSSI MARIO;") + indirizzo + ";" + comune + ";2026;1.000,00;2.5;5;0;0,00;12;6;6;100;" + tipo +
           ";" + principale + ";0,00;" + imposta + ";0,00;" + rata + ";50,00;" + rata + ";50,00;1;0;0;3958;0;" + codice;
  }
  // The totals page over these calculations, the taxpayer chosen.
  f24::Verifica& Totali(const std::vector<std::string>& righe) {
    platform::writeLinesAtomic((base / "dati" / "tasi.dat").string(), righe);
    frame().EseguiComando(shell::Principale::Totali);
    EXPECT_TRUE(application.isLoaded<f24::Verifica>());
    auto& totali = application.form<f24::Verifica>();
    desk.deliver([&] { input::pickRow(totali.Combo1, 0); });
    return totali;
  }
};

TEST_F(ProgramScreenshotTest, TheStartUpShowsTheSplashThenTheFrameWithTheCalculationPage) {
  ASSERT_TRUE(started);
  ASSERT_FALSE(desk.splash.isNull());
  save(desk.splash, "program-splash");
  EXPECT_EQ(desk.splash.size(), QSize(362, 170));
  EXPECT_FALSE(application.isLoaded<shell::Splash>());

  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-calculation");
  EXPECT_EQ(shot.size(), QSize(759, 626));
  fillsThePageArea(page());
  // The toolbar shows the pictures and captions of its buttons, not a bare strip.
  const QRect toolbar = pixels(frame().picCoolBar);
  EXPECT_GT(colours(shot, toolbar), 30);
  EXPECT_GT(inkedRows(shot, toolbar), 30);
  // The status bar shows the program's name and the date, each in its pane.
  const QRect status = pixels(frame().StatBar).adjusted(0, 2, 0, -2);
  EXPECT_GT(inkedRows(shot, status.adjusted(20, 0, 180 - status.width(), 0)), 5);
  EXPECT_GT(inkedRows(shot, status.adjusted(230, 0, 500 - status.width(), 0)), 5);
  // The window carries the program's icon; the pointer is back to the arrow.
  EXPECT_FALSE(widget(frame())->windowIcon().isNull());
  QList<QSize> sizes = widget(frame())->windowIcon().availableSizes();
  std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
  EXPECT_EQ(sizes, (QList<QSize>{{16, 16}, {32, 32}}));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Hides of a widget while it is watched.
struct HideCounter : QObject {
  int hides = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    hides += e->type() == QEvent::Hide;
    return false;
  }
};

// Brought to the top after it was shown, the splash keeps its window on the
// screen, drawn, rather than being hidden and shown anew (unpainted through
// the start-up's Sleep).
TEST_F(ProgramScreenshotTest, TheSplashComesToTheTopWithoutBeingShownAnew) {
  ASSERT_TRUE(started);
  auto& splash = application.form<shell::Splash>();
  splash.Show();
  QWidget* w = widget(splash);
  HideCounter counter;
  w->installEventFilter(&counter);
  splash.setTopmost(true);
  EXPECT_TRUE(w->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  splash.setTopmost(false);
  EXPECT_FALSE(w->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(counter.hides, 0);
  EXPECT_TRUE(w->isVisible());
  w->removeEventFilter(&counter);
  application.unload(splash);
}

TEST_F(ProgramScreenshotTest, APropertyTypedAndCalculated) {
  ASSERT_TRUE(started);
  type(page().Text3, "1000");
  type(page().Text4, "2");
  click(page().Command1);
  EXPECT_EQ(static_cast<QLabel*>(widget(page().Label8))->text(), "336,00");

  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-calculated");
  const QPoint pageAt = widget(page())->mapTo(widget(frame()), QPoint());
  EXPECT_GT(inkedRows(shot, pixels(page().Label8).translated(pageAt + pixels(page().Frame5).topLeft())), 6);
}

TEST_F(ProgramScreenshotTest, TheAboutPage) {
  ASSERT_TRUE(started);
  frame().EseguiComando(shell::Principale::Info);
  ASSERT_TRUE(application.isLoaded<shell::About>());
  auto& about = application.form<shell::About>();
  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-about");
  fillsThePageArea(about);
  // The title the page prints on itself when it is drawn, in blue.
  const QRect title(widget(about)->mapTo(widget(frame()), QPoint()), QSize(200, 45));
  int blue = 0;
  for (int y = title.top(); y <= title.bottom(); ++y)
    for (int x = title.left(); x <= title.right(); ++x) blue += shot.pixel(x, y) == qRgb(0, 0, 255);
  EXPECT_GT(blue, 100);

  // The guide's picture shows the hand pointer of the program's resources.
  const QCursor hand = widget(about.Image2)->cursor();
  EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
  EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
}

TEST_F(ProgramScreenshotTest, TheWindowsOfTheCalculationPage) {
  ASSERT_TRUE(started);
  click(page().cmdCodCat);
  ASSERT_TRUE(application.isLoaded<fiscalcode::frmCodComune>());
  auto& codici = application.form<fiscalcode::frmCodComune>();
  type(codici.txtComune, "ROMA");
  save(shotOf(widget(codici)), "program-frmCodComune");
  click(codici.Command3);
  EXPECT_FALSE(application.isLoaded<fiscalcode::frmCodComune>());

  click(page().Check1);
  click(page().cmdPertinenze);
  ASSERT_TRUE(application.isLoaded<calculation::frmPertinenze>());
  auto& pertinenze = application.form<calculation::frmPertinenze>();
  const QImage p = shotOf(widget(pertinenze));
  save(p, "program-frmPertinenze");
  // The long explanation wraps at the label's width, over many lines.
  EXPECT_GT(inkedRows(p, pixels(pertinenze.lblTesto)), 60);
  click(pertinenze.cmdClose);

  type(page().Text3, "1000");
  type(page().Text4, "2");
  click(page().chkManuale);
  answerNextMessage("S\u00EC");  // no deduction typed: go on all the same
  click(page().Command1);
  ASSERT_TRUE(application.isLoaded<calculation::frmAcconto>());
  save(shotOf(widget(application.form<calculation::frmAcconto>())), "program-frmAcconto");
}

TEST_F(ProgramScreenshotTest, TheToolsPage) {
  ASSERT_TRUE(started);
  frame().EseguiComando(shell::Principale::Strumenti);
  ASSERT_TRUE(application.isLoaded<archives::Strumenti>());
  auto& tools = application.form<archives::Strumenti>();
  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-strumenti");
  fillsThePageArea(tools);
  // The page's own colour behind the frames and the buttons' rows.
  const QPoint pageAt = widget(tools)->mapTo(widget(frame()), QPoint());
  const QRgb sfondo = qRgb(213, 249, 255);
  for (const Control* c :
       std::initializer_list<const Control*>{&tools.Frame1, &tools.Frame2, &tools.Frame3, &tools.Frame4}) {
    const QRect r = pixels(*c).translated(pageAt);
    EXPECT_EQ(shot.pixel(r.right() + 4, r.center().y()), sfondo) << "beside the frame";
    EXPECT_EQ(shot.pixel(r.left() + 4, r.bottom() - 6), sfondo) << "inside the frame";
  }
  captionsFit(tools);
}

TEST_F(ProgramScreenshotTest, TheCadastralPageItsRecordWindowAndTheCategories) {
  ASSERT_TRUE(started);
  platform::writeLinesAtomic((base / "dati" / "tasicat.dat").string(),
                             {"ROSSI MARIO;TORINO;VIA ROMA 1;0;12;;3;45;2;A/2;3;5,5;90;100;1.234,56;;;prima casa\\box",
                              "ROSSI MARIO;CHIERI;CAMPO GRANDE;1;7;;3;44;;;;;1500;50;;9,00;12,00;",
                              "ROSSI MARIO;FORLÌ;PIAZZA DELL'UNITÀ 3;0;14;;5;7;1;A/10;1;4;80;50;12.345,67;;;",
                              "ROSSI MARIO;PINO TORINESE;LOTTO SUL COLLE;2;8;;4;55;;;;;800;;50.000,00;;;"});
  frame().EseguiComando(shell::Principale::Catasto);
  ASSERT_TRUE(application.isLoaded<archives::Immobili>());
  auto& page = application.form<archives::Immobili>();
  desk.deliver([&] { input::pickRow(page.cboUtente, 0); });
  ASSERT_EQ(page.lstCatasto.ListCount(), 4);
  desk.deliver([&] { input::pickRow(page.lstCatasto, 1); });  // TORINO, VIA ROMA 1
  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-catasto");
  fillsThePageArea(page);
  captionsFit(page);
  // The heads stand over their columns: the description's head where the
  // descriptions begin, 17 characters of the fixed-pitch rows in.
  const QFontMetrics rows(widget(page.lstCatasto)->font());
  const int column = widget(page.Label3[1])->x() - widget(page.lstCatasto)->x();
  EXPECT_NEAR(column, 3 + 17 * rows.horizontalAdvance('0'), 2);

  // "Visualizza immobile": the record window, and the category list over it.
  QTimer::singleShot(0, [&] {
    auto& scheda = application.form<archives::Catasto>();
    save(shotOf(widget(scheda)), "program-catasto-scheda");
    captionsFit(scheda);
    EXPECT_EQ(scheda.txtNote.Text(), "prima casa\r\nbox");
    QTimer::singleShot(0, [&] {
      auto& categorie = application.form<archives::frmCategorie>();
      save(shotOf(widget(categorie)), "program-categorie");
      captionsFit(categorie);
      click(categorie.Command2);
    });
    click(scheda.cmdCat);
    click(scheda.Command1);
  });
  click(page.Command1[3]);
  EXPECT_FALSE(application.isLoaded<archives::Catasto>());
}

// The totals page with the figures of one taxpayer: every control within
// its container, every caption and figure whole.
TEST_F(ProgramScreenshotTest, TheTotalsPage) {
  ASSERT_TRUE(started);
  const auto riga = [](const char* indirizzo, const char* tipo, const char* principale, const char* rata) {
    return Calcolo("FORLÌ", "D704", "2.000,00", indirizzo, tipo, principale, rata);
  };
  auto& totali = Totali({riga("VIA EMILIA 1", "0", "1", "1.000,00"), riga("VIA EMILIA 3", "1", "0", "250,25"),
                         riga("PODERE ROSSO", "3", "0", "120,50"), riga("CASCINA DEL BOSCO", "6", "0", "75,00")});
  EXPECT_EQ(static_cast<QLabel*>(widget(totali.Label6))->text(), "1.446,00");

  const QImage shot = shotOf(widget(frame()));
  save(shot, "program-totals");
  fillsThePageArea(totali);
  captionsFit(totali);
  // Beyond the captions: single-line labels, check and option boxes whole,
  // and no control past the edge of its frame.
  int visibili = 0;
  for (Control* c : totali.controls()) {
    QWidget* w = widget(*c);
    if (!w || !w->isVisible()) continue;
    ++visibili;
    const std::string nome =
        w->objectName().toStdString() + " " + std::to_string(c->Left()) + "," + std::to_string(c->Top());
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << nome;
    const QFontMetrics m(w->font());
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap()) {
      EXPECT_LE(m.horizontalAdvance(l->text()), l->contentsRect().width()) << l->text().toStdString();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QPushButton*>(w)) {
      EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
    }
  }
  EXPECT_GT(visibili, 60);
  const QPoint pageAt = widget(totali)->mapTo(widget(frame()), QPoint());
  EXPECT_GT(inkedRows(shot, pixels(totali.Label4).translated(pageAt + pixels(totali.Frame1).topLeft())), 6);
}

// A figure too wide for its label is drawn smaller, whole: no digit is cut.
TEST_F(ProgramScreenshotTest, TheTotalsPageShowsHugeFiguresWhole) {
  ASSERT_TRUE(started);
  const char* enorme = "890.399.999.999,00";
  auto& totali = Totali({Calcolo("ROMA", "H501", "1.780.799.999.998,00", "VIA APPIA 1", "0", "1", enorme),
                         Calcolo("ROMA", "H501", "1.780.799.999.998,00", "VIA APPIA 3", "1", "0", enorme)});
  ASSERT_EQ(totali.Label6.Caption(), "1.780.799.999.998,00");
  save(shotOf(widget(frame())), "program-totals-huge");
  const QRegularExpression blanks(QStringLiteral("\\s+"));
  int ridotte = 0;
  for (forms::Label* l :
       {&totali.Label4, &totali.Label5, &totali.Label22, &totali.Label6, &totali.Label8, &totali.Label15,
        &totali.Label16, &totali.Label20, &totali.Label21, &totali.Label30, &totali.Label25, &totali.Label24}) {
    auto* q = static_cast<QLabel*>(widget(*l));
    SCOPED_TRACE(q->text().toStdString());
    EXPECT_EQ(q->text().toStdString(), l->Caption());
    const QFontMetrics m(q->font());
    for (const QString& parola : q->text().split(blanks, Qt::SkipEmptyParts))
      EXPECT_LE(m.horizontalAdvance(parola), q->contentsRect().width());
    ridotte += q->font().pixelSize() < qtFont(l->font()).pixelSize();
  }
  EXPECT_GT(ridotte, 0);
  // A figure that fits keeps the label's own size.
  EXPECT_EQ(widget(totali.Label12)->font().pixelSize(), qtFont(totali.Label12.font()).pixelSize());
}

}  // namespace
}  // namespace desktop::testing
