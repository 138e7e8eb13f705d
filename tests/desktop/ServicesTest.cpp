// The desktop's services as the windows use them: clipboard (also through
// Ctrl+V in a box), mouse pointer, system colours, clock and screen.
#include <sys/stat.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QCursor>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QLineEdit>
#include <QMenu>
#include <QContextMenuEvent>
#include <QScreen>

#include "DesktopFixture.h"
#include "support/Apritore.h"
#include "support/Cartella.h"

namespace desktop::testing {
namespace {

using namespace forms;

class ServicesTest : public DesktopTest {};

TEST_F(ServicesTest, TheClipboardIsTheSystemsAndCtrlVPastesThroughTheModel) {
  desk.setClipboardText("1.234,56");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "1.234,56");
  EXPECT_EQ(desk.clipboardText(), "1.234,56");

  SampleForm& form = application.form<SampleForm>();
  form.Show();
  form.Text1.setText("");
  form.Text1.setMaxLength(5);
  std::vector<int> pressed;
  form.Text1.KeyPress = [&](int& KeyAscii) { pressed.push_back(KeyAscii); };
  auto* edit = widget<QLineEdit>(form.Text1);
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  // The paste types its characters one by one through KeyPress.
  EXPECT_EQ(pressed, (std::vector<int>{22, '1', '.', '2', '3', '4', ',', '5', '6'}));
  EXPECT_EQ(form.Text1.Text(), "1.234");  // MaxLength holds for pasting too
  EXPECT_EQ(edit->text(), "1.234");

  desk.clearClipboard();
  EXPECT_EQ(desk.clipboardText(), "");
}

// Cut and copy in a box put exactly the selection on the system's clipboard,
// with every key for it; the right button opens the box's edit menu, whose
// "Incolla" pastes through the model as Ctrl+V does.
TEST_F(ServicesTest, CutCopyAndTheEditMenuUseTheSystemsClipboard) {
  SampleForm& form = application.form<SampleForm>();
  form.Show();
  form.Text1.setText("VIA ROMA");
  auto* edit = widget<QLineEdit>(form.Text1);
  QTest::mouseClick(edit, Qt::LeftButton);
  QClipboard* clipboard = QGuiApplication::clipboard();
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_C, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ControlModifier}}) {
    clipboard->setText("x");
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, key, modifiers);
    EXPECT_EQ(clipboard->text(), "VIA ROMA");
  }
  form.Text1.setSelStart(4);
  form.Text1.setSelLength(4);
  QTest::keyClick(edit, Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(clipboard->text(), "ROMA");
  EXPECT_EQ(form.Text1.Text(), "VIA ");
  EXPECT_EQ(edit->text(), "VIA ");
  QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(form.Text1.Text(), "VIA ROMA");

  // The menu, from the model: the six items, "Incolla" chosen.
  clipboard->setText(" PO");
  QStringList voci;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions()) voci << a->text() + (a->isEnabled() ? "" : " (spento)");
    // Picked from the keyboard: the item highlighted, then Enter.
    for (QAction* a : menu->actions())
      if (a->text() == "Incolla") menu->setActiveAction(a);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(edit, &right);
  EXPECT_EQ(voci.join("|").toStdString(),
            "Annulla|Taglia (spento)|Copia (spento)|Incolla|Elimina (spento)|Seleziona tutto");
  EXPECT_EQ(form.Text1.Text(), "VIA ROMA PO");
  EXPECT_EQ(edit->text(), "VIA ROMA PO");
}

// Qt's own dialogs speak the program's language; the program's caption
// stays its own.
TEST_F(ServicesTest, TheFolderAndFileDialogsAreInItalian) {
  for (bool folder : {true, false}) {
    SCOPED_TRACE(folder);
    QStringList labels, buttons;
    QString title;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      title = dialog->windowTitle();
      for (QLabel* l : dialog->findChildren<QLabel*>()) labels << l->text();
      for (QPushButton* b : dialog->findChildren<QPushButton*>()) buttons << b->text();
      dialog->reject();
    });
    const auto chosen = folder ? desk.BrowseForFolder("Scegli la cartella della copia", QUOTARA_TEST_DATA)
                               : desk.GetOpenFileName("Apri archivio", "Archivi (*.dat)|*.dat", QUOTARA_TEST_DATA);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(title.toStdString(), folder ? "Scegli la cartella della copia" : "Apri archivio");
    EXPECT_TRUE(labels.contains("Cerca in:")) << labels.join("|").toStdString();
    EXPECT_FALSE(labels.contains("Look in:"));
    EXPECT_TRUE(buttons.contains("Annulla")) << buttons.join("|").toStdString();
    EXPECT_FALSE(buttons.contains("Cancel"));
  }
}

TEST_F(ServicesTest, TheScreensMousePointer) {
  desk.setMousePointer(vbHourglass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_EQ(desk.mousePointer(), vbHourglass);
  desk.setMousePointer(vbHourglass);  // twice, then back in one step
  desk.setMousePointer(vbDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ServicesTest, SystemColoursClockAndScreen) {
  const QPalette pal = QApplication::palette();
  auto rgb = [](QColor c) { return RGB(c.red(), c.green(), c.blue()); };
  EXPECT_EQ(desk.sysColor(15), rgb(pal.color(QPalette::Button)));
  EXPECT_EQ(desk.sysColor(16), rgb(pal.color(QPalette::Dark)));
  EXPECT_EQ(desk.sysColor(18), rgb(pal.color(QPalette::ButtonText)));
  EXPECT_EQ(desk.sysColor(20), rgb(pal.color(QPalette::Light)));
  EXPECT_EQ(resolveColor(vbButtonFace), desk.sysColor(15));

  const auto today = desk.today();
  const QDate d = QDate::currentDate();
  EXPECT_EQ(static_cast<int>(today.year()), d.year());
  EXPECT_EQ(static_cast<unsigned>(today.month()), static_cast<unsigned>(d.month()));
  const int64_t t0 = desk.tickMs();
  QTest::qWait(20);
  EXPECT_GE(desk.tickMs() - t0, 15);

  EXPECT_EQ(desk.screenWidthPx(), QGuiApplication::primaryScreen()->geometry().width());
  EXPECT_EQ(desk.screenWidth(), desk.screenWidthPx() * TwipsPerPixel);
}

}  // namespace
}  // namespace desktop::testing

namespace desktop::testing {
namespace {

// The desktop learns how the opener ended on a thread of its own and tells the
// windows on the event loop; a viewer that keeps running holds nothing up.
TEST_F(ServicesTest, AnOpenerThatFailsIsToldOnTheEventLoop) {
  const std::filesystem::path bin = quotara::testing::CartellaTest() / "bin";
  const std::string chiuso = (quotara::testing::CartellaTest() / "chiuso").string();
  quotara::testing::ApritoreFinto apritore(bin, std::nullopt);
  quotara::testing::ScriviFile(bin / "xdg-open",
                               "#!/bin/sh\nwhile [ ! -e '" + chiuso + "' ]; do /bin/sleep 0.05; done\nexit 1\n");
  ::chmod((bin / "xdg-open").c_str(), 0700);

  int falliti = 0;
  desk.openDocument("/tmp/quotara.pdf", [&] { ++falliti; });
  settle();
  EXPECT_EQ(falliti, 0);  // the opener is still running: back at once, nothing told
  quotara::testing::ScriviFile(chiuso, "");
  QElapsedTimer attesa;
  attesa.start();
  while (falliti == 0 && attesa.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(falliti, 1);

  // No opener at all: told on the event loop too, never inside the call.
  quotara::testing::ApritoreFinto nessuno(quotara::testing::CartellaTest() / "vuota", std::nullopt);
  desk.openDocument("/tmp/quotara.pdf", [&] { ++falliti; });
  EXPECT_EQ(falliti, 1);
  settle();
  EXPECT_EQ(falliti, 2);
}

}  // namespace
}  // namespace desktop::testing
