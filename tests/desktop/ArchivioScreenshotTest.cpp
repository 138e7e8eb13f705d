// The archive page on the offscreen Qt screen with 100 archived calculations:
// one scroll bar for the four columns, rows aligned across the columns, the
// last row reachable; saved as a PNG under the test output folder for a
// person to look at.
#include <QAbstractItemView>
#include <QListView>
#include <QScrollBar>
#include <string>
#include <vector>

#include "support/Cartella.h"
#include "DesktopFixture.h"
#include "archives/Archivio.h"
#include "forms/UserInput.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "kit/Applicazione.h"
#include "frame/Principale.h"
#include "support/ProgramTest.h"

namespace desktop::testing {
namespace {

using namespace forms;

class ArchivioScreenshotTest : public DesktopTestOf<shell::Applicazione> {
 protected:
  ArchivioScreenshotTest() {
    shell::CollegaCornice(application);
    const auto base = quotara::testing::CartellaTest();
    std::filesystem::create_directories(base / "dati");
    std::filesystem::create_directories(base / "temp");
    platform::setProgramFolderForTests((base / "dati").string());
    platform::setTempFolderForTests((base / "temp").string());
    std::vector<std::string> righe;
    for (int i = 1; i <= 100; ++i) {
      const std::string n = (i < 10 ? "00" : i < 100 ? "0" : "") + std::to_string(i);
      righe.push_back("CONTRIBUENTE " + n + ";VIA DELLA LIBERTÀ " + n + ";CITTÀ DI CASTELLO;" +
                      std::to_string(2014 + i % 3) +
                      ";1.000,00;2;5;0;0;12;6;6;100;1;0;336,00;336,00;0,00;168,00;"
                      "0,00;168,00;0,00;0;0;0;3961;0;C745");
    }
    platform::writeLinesAtomic((base / "dati" / "tasi.dat").string(), righe);
    auto& frame = application.form<shell::Principale>();
    frame.Show();
    desk.deliver([&frame] { frame.EseguiComando(shell::Principale::Archivio); });
  }
  ~ArchivioScreenshotTest() override {
    platform::setProgramFolderForTests("");
    platform::setTempFolderForTests("");
  }

  QWidget* widget(const Element& e) { return desk.widgetOf(e); }
  QListView* colonna(int c) { return static_cast<QListView*>(widget(page().List1[c])); }
  archives::Archivio& page() { return application.form<archives::Archivio>(); }
  QImage shot() { return grab(application.form<shell::Principale>()); }
  // Where row `r` of column `c` is drawn, in the page's pixels.
  QRect riga(int c, int r) {
    QListView* v = colonna(c);
    return QRect(v->viewport()->mapTo(widget(page()), v->visualRect(v->model()->index(r, 0)).topLeft()),
                 v->visualRect(v->model()->index(r, 0)).size());
  }
};

TEST_F(ArchivioScreenshotTest, OneScrollBarAlignedColumnsAndTheLastRowReachable) {
  archives::Archivio& f = page();
  ASSERT_EQ(f.List1[0].ListCount(), 100);
  const QImage prima = shot();
  ASSERT_TRUE(prima.save(QString::fromStdString((quotara::testing::CartellaTest() / "archivio-100.png").string())));

  // One scroll bar: the shared one over the last column; each column's own
  // lies under the column to its right (or under the shared one).
  QWidget* barra = widget(f.VScroll1);
  ASSERT_TRUE(barra->isVisible());
  EXPECT_EQ(f.VScroll1.Max(), 100 - f.List1[0].clientHeightPx() / f.List1[0].itemHeight());
  for (int c = 0; c < 4; ++c) {
    SCOPED_TRACE(c);
    QScrollBar* propria = colonna(c)->verticalScrollBar();
    if (!propria->isVisible()) continue;
    const QRect r(propria->mapTo(widget(f), QPoint()), propria->size());
    QWidget* sopra = c < 3 ? widget(f.List1[c + 1]) : barra;
    EXPECT_TRUE(sopra->geometry().contains(r)) << "its own scroll bar shows";
    // The covering widget is drawn above the column.
    const auto figli = widget(f)->children();
    EXPECT_GT(figli.indexOf(sopra), figli.indexOf(colonna(c)));
  }
  // Rows of one calculation sit on one line.
  for (int r : {0, 5, 12})
    for (int c = 1; c < 4; ++c) EXPECT_EQ(riga(c, r).top(), riga(0, r).top()) << "row " << r << " column " << c;
  // The list shows whole rows, as many as the model counts.
  const int visibili = f.List1[0].clientHeightPx() / f.List1[0].itemHeight();
  EXPECT_EQ(riga(0, 0).height(), f.List1[0].itemHeight());
  EXPECT_LE(riga(0, visibili - 1).bottom(),
            colonna(0)->viewport()->mapTo(widget(f), QPoint(0, 0)).y() + colonna(0)->viewport()->height());

  // The shared scroll bar taken to its end shows the last row in every column.
  desk.deliver([&] { input::scroll(f.VScroll1, f.VScroll1.Max(), true); });
  settle();
  for (int c = 0; c < 4; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(f.List1[c].TopIndex(), 100 - visibili);
    EXPECT_EQ(colonna(c)->verticalScrollBar()->value(), 100 - visibili);
    const QRect ultima = colonna(c)->visualRect(colonna(c)->model()->index(99, 0));
    const QRect vista = colonna(c)->viewport()->rect();
    EXPECT_TRUE(ultima.top() >= 0 && ultima.bottom() <= vista.bottom())
        << ultima.top() << "-" << ultima.bottom() << " in " << vista.height();
  }
  EXPECT_EQ(riga(3, 99).top(), riga(0, 99).top());
  ASSERT_TRUE(
      shot().save(QString::fromStdString((quotara::testing::CartellaTest() / "archivio-100-fine.png").string())));

  // The wheel over one column moves all four.
  QListView* seconda = colonna(1);
  QWheelEvent su(QPointF(20, 20), seconda->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120 * 3),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(seconda->viewport(), &su);
  settle();
  const int top = f.List1[1].TopIndex();
  EXPECT_LT(top, 100 - visibili);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(f.List1[c].TopIndex(), top);
  EXPECT_EQ(f.VScroll1.Value(), top);
}

}  // namespace
}  // namespace desktop::testing
