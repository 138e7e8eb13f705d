// The sample window on the offscreen screen: every control where the model
// puts it, its texts drawn there, the disabled look, the picture box pixel for
// pixel; and a screenshot for a person to look at.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QDialog>
#include <QTimer>

#include "support/Cartella.h"
#include "DesktopFixture.h"

namespace desktop::testing {
namespace {

using namespace forms;

// The darkest grey level inside `r`: where text is drawn it is dark.
int darkest(const QImage& img, QRect r) {
  int best = 255;
  r = r.intersected(img.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) best = std::min(best, qGray(img.pixel(x, y)));
  return best;
}

QRect rectOf(const Control& c) {
  return QRect(c.Left() / TwipsPerPixel, c.Top() / TwipsPerPixel, c.Width() / TwipsPerPixel,
               c.Height() / TwipsPerPixel);
}

class RenderTest : public DesktopTest {
 protected:
  SampleForm& form = application.form<SampleForm>();
  RenderTest() { form.Show(); }
};

TEST_F(RenderTest, ScreenshotOfTheSampleWindow) {
  const QImage shot = grab(form);
  const QString path = QString::fromStdString((quotara::testing::CartellaTest() / "sample-form.png").string());
  ASSERT_TRUE(shot.save(path));
  EXPECT_EQ(shot.size(), QSize(480, 330));
}

TEST_F(RenderTest, EveryControlStandsWhereTheModelPutsIt) {
  const std::vector<const Control*> onForm = {
      &form.Label1,   &form.Text1,    &form.Text2,    &form.Combo1,   &form.Combo2, &form.List1, &form.Frame1,
      &form.VScroll1, &form.Command1, &form.Command2, &form.Picture1, &form.Image1, &form.Text3, &form.File1};
  for (const Control* c : onForm) {
    QWidget* w = desk.widgetOf(*c);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget(), desk.widgetOf(form));
    EXPECT_EQ(w->geometry(), rectOf(*c)) << w->metaObject()->className();
    EXPECT_TRUE(w->isVisible());
  }
  // Inside the frame, in the frame's coordinates.
  for (const Control* c : std::vector<const Control*>{&form.Option1[0], &form.Option1[1], &form.Check1}) {
    QWidget* w = desk.widgetOf(*c);
    EXPECT_EQ(w->parentWidget(), desk.widgetOf(form.Frame1));
    EXPECT_EQ(w->geometry(), rectOf(*c));
  }
  EXPECT_EQ(desk.widgetOf(form.Timer1), nullptr);
  EXPECT_EQ(desk.widgetOf(form)->windowTitle(), "Esempio - Versione 1.2");
}

TEST_F(RenderTest, TextsAreDrawnInsideTheirControls) {
  const QImage shot = grab(form);
  for (const Control* c : std::vector<const Control*>{&form.Label1, &form.Text1, &form.Command1}) {
    const QRect r = rectOf(*c);
    EXPECT_LT(darkest(shot, r.adjusted(3, 3, -3, -3)), 80)
        << "no text in " << desk.widgetOf(*c)->metaObject()->className();
  }
  // Under the label, where nothing stands, the face of the window.
  const QRect below = rectOf(form.Label1).translated(0, 20);
  EXPECT_GT(darkest(shot, QRect(below.left(), below.top(), below.width(), 8)), 150);
  EXPECT_EQ(widget<QLabel>(form.Label1)->text(), "Comune:");
  EXPECT_EQ(widget<QComboBox>(form.Combo2)->currentText(), "Saldo");
}

TEST_F(RenderTest, ADisabledBoxLooksDisabled) {
  const QImage shot = grab(form);
  const int enabled = darkest(shot, rectOf(form.Text1).adjusted(4, 4, -4, -4));
  const int disabled = darkest(shot, rectOf(form.Text2).adjusted(4, 4, -4, -4));
  EXPECT_LT(enabled, 60);
  EXPECT_GT(disabled, enabled + 50) << "the disabled text should be grey";
  EXPECT_FALSE(desk.widgetOf(form.Text2)->isEnabled());
  EXPECT_FALSE(desk.widgetOf(form.Command2)->isEnabled());
}

TEST_F(RenderTest, ThePictureBoxShowsTheModelsImagePixelForPixel) {
  const QImage shot = grab(form);
  const forms::Image& image = form.Picture1.Image();
  const QPoint origin = rectOf(form.Picture1).topLeft() + QPoint(2, 2);  // inside the 2-pixel border
  int different = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const Color p = image.pixel(x, y);
      if (shot.pixel(origin + QPoint(x, y)) != qRgb(p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF)) ++different;
    }
  EXPECT_EQ(different, 0);
  EXPECT_EQ(shot.pixel(origin + QPoint(10, 10)), qRgb(255, 0, 0));

  // Drawing later shows at once.
  form.Picture1.Line(60, 40, 80, 50, RGB(0, 0, 255), LineKind::BoxFill);
  EXPECT_EQ(grab(form).pixel(origin + QPoint(70, 45)), qRgb(0, 0, 255));
}

TEST_F(RenderTest, TheImageControlShowsItsPicture) {
  const QImage shot = grab(form);
  const QPoint at = rectOf(form.Image1).topLeft();
  EXPECT_EQ(shot.pixel(at + QPoint(1, 1)), qRgb(0, 128, 0));
  EXPECT_EQ(shot.pixel(at + QPoint(10, 10)), qRgb(255, 255, 0));
}

// Every word space of "VIA APPIA NUOVA 100" stays at least 2 pixels of
// background wide in a box, a list and a label: the text is drawn without
// kerning, which would pull "A" and the space together.
TEST_F(RenderTest, WordSpacesStayVisible) {
  const std::string testo = "VIA APPIA NUOVA 100";
  form.Text1.setText(testo);
  form.List1.Clear();
  form.List1.AddItem(testo);
  form.Label1.Move(120, 135, 4000, 255);
  form.Label1.setCaption(testo);
  settle();
  auto* list = widget<QListView>(form.List1);
  const struct {
    const char* what;
    QWidget* widget;
    QRect area;  // where the text is, in the widget's pixels
  } cases[] = {
      {"box", desk.widgetOf(form.Text1), desk.widgetOf(form.Text1)->rect().adjusted(3, 3, -3, -3)},
      {"list", list->viewport(), list->visualRect(list->model()->index(0, 0))},
      {"label", desk.widgetOf(form.Label1), desk.widgetOf(form.Label1)->rect()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QImage shot = c.widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<bool> ink(shot.width(), false);
    for (int x = c.area.left(); x <= c.area.right() && x < shot.width(); ++x)
      for (int y = c.area.top(); y <= c.area.bottom() && y < shot.height(); ++y)
        if (qGray(shot.pixel(x, y)) < 140) ink[x] = true;
    const auto first = std::find(ink.begin(), ink.end(), true);
    ASSERT_NE(first, ink.end());
    const int start = static_cast<int>(first - ink.begin());
    const QFontMetrics fm(c.widget->font());
    for (size_t space = testo.find(' '); space != std::string::npos; space = testo.find(' ', space + 1)) {
      // The empty columns round the middle of the space.
      const QString before = QString::fromStdString(testo.substr(0, space));
      int x = start + (fm.horizontalAdvance(before) + fm.horizontalAdvance(before + " ")) / 2;
      if (ink[x]) x = x + 1 < static_cast<int>(ink.size()) && !ink[x + 1] ? x + 1 : x - 1;
      int left = x, right = x;
      while (left > 0 && !ink[left - 1]) --left;
      while (right + 1 < static_cast<int>(ink.size()) && !ink[right + 1]) ++right;
      EXPECT_FALSE(ink[x]) << "space after " << before.toStdString();
      EXPECT_GE(right - left + 1, 2) << "space after " << before.toStdString();
    }
  }
}

// A dialog of fixed size, a message box and the input box offer neither
// minimise nor maximise.
TEST_F(RenderTest, DialogsOfferNoMinimiseOrMaximise) {
  const auto senzaMinMax = [](QWidget* w) {
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
  };
  senzaMinMax(desk.widgetOf(form));
  for (bool inputBox : {false, true}) {
    SCOPED_TRACE(inputBox);
    QTimer::singleShot(0, [&] {
      QWidget* w = QApplication::activeModalWidget();
      senzaMinMax(w);
      if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
    });
    if (inputBox)
      desk.InputBox("Immetti il codice catastale del Comune:", "Codice catastale", "");
    else
      desk.MsgBox("Dati archiviati!", vbOKOnly, vbInformation, "Quotara");
  }
}

}  // namespace
}  // namespace desktop::testing
