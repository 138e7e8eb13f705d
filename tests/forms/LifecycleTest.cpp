// Loading, unloading, MDI pages and modal windows.
#include "FormsFixture.h"

#include <stdexcept>

namespace forms::testing {
namespace {

std::vector<std::string>* events = nullptr;  // the running test's log
void note(const std::string& s) { events->push_back(s); }

class Frame1Form : public MDIForm {
 public:
  PictureBox picTop, picBottom;
  Frame1Form() {
    setClientSize(11385, 9390);
    picTop.create(*this, 0, 0, 0, 900);
    picTop.setAlign(vbAlignTop);
    picBottom.create(*this, 0, 0, 0, 450);
    picBottom.setAlign(vbAlignBottom);
    Load = [] { note("frame Load"); };
    Activate = [] { note("frame Activate"); };
    QueryUnload = [](int&, int mode) { note("frame QueryUnload " + std::to_string(mode)); };
    Unload = [](int&) { note("frame Unload"); };
  }
};

class PageForm : public Form {
 public:
  TextBox Text1;
  CommandButton cmdClose;
  std::string afterUnload;
  PageForm() {
    setMDIChild<Frame1Form>();
    Text1.create(*this, 100, 100, 1000, 300);
    Text1.setText("design");
    cmdClose.create(*this, 100, 500, 1000, 300);
    Load = [] { note("page Load"); };
    Activate = [] { note("page Activate"); };
    QueryUnload = [](int&, int mode) { note("page QueryUnload " + std::to_string(mode)); };
    Unload = [](int&) { note("page Unload"); };
    cmdClose.Click = [this] { cmdClose_Click(); };
  }
  void cmdClose_Click() {
    app().unload(*this);
    // The window is still there until this handler returns.
    afterUnload = Text1.Text();
    note("after unload, loaded: " + std::to_string(isLoaded()));
  }
};

class OtherPage : public Form {
 public:
  OtherPage() { setMDIChild<Frame1Form>(); }
};

// A page that does not name its frame: it opens in the one the application names.
class PaginaSenzaCornice : public Form {
 public:
  PaginaSenzaCornice() {
    setMDIChild();
    Load = [] { note("page Load"); };
  }
};

class NotAFrame : public Form {};

class LifecycleTest : public FormsTest {
 protected:
  LifecycleTest() { events = &log; }
  ~LifecycleTest() override { events = nullptr; }
};

TEST_F(LifecycleTest, LoadingAPageLoadsItsFrameFirst) {
  PageForm& page = application.form<PageForm>();
  EXPECT_EQ(log, (std::vector<std::string>{"frame Load", "page Load"}));
  EXPECT_TRUE(application.isLoaded<Frame1Form>());
  EXPECT_FALSE(page.isShown()) << "loading shows nothing";
  EXPECT_EQ(&application.form<PageForm>(), &page) << "one default instance";

  log.clear();
  page.Show();
  EXPECT_TRUE(application.form<Frame1Form>().isShown());
  EXPECT_TRUE(page.isShown());
  EXPECT_EQ(log, (std::vector<std::string>{"frame Activate", "page Activate"}));
  EXPECT_TRUE(page.Text1.hasFocus());

  Frame1Form& frame = application.form<Frame1Form>();
  EXPECT_EQ(frame.ActiveForm(), &page);
  EXPECT_EQ(frame.pageTop(), 900);
  EXPECT_EQ(frame.pageHeight(), 9390 - 900 - 450);
  EXPECT_EQ(frame.picBottom.Top(), 9390 - 450);
  EXPECT_EQ(frame.picTop.Width(), 11385);

  frame.Hide();
  EXPECT_FALSE(page.isShown()) << "hiding the frame hides its page";
  EXPECT_EQ(application.focused(), nullptr);
  frame.Show();
  EXPECT_TRUE(page.isShown());

  application.form<OtherPage>().Show();
  EXPECT_FALSE(page.isShown()) << "the frame shows one page at a time";
}

TEST_F(LifecycleTest, APageOpensInTheFrameTheApplicationNames) {
  EXPECT_FALSE(application.hasFrame());
  EXPECT_THROW(application.form<PaginaSenzaCornice>(), std::logic_error) << "no frame named";
  EXPECT_FALSE(application.isLoaded<PaginaSenzaCornice>());

  application.setFrame<NotAFrame>();
  EXPECT_THROW(application.frame(), std::logic_error) << "a frame is an MDI form";
  application.unload<NotAFrame>();

  application.setFrame<Frame1Form>();
  log.clear();
  PaginaSenzaCornice& page = application.form<PaginaSenzaCornice>();
  EXPECT_EQ(log, (std::vector<std::string>{"frame Load", "page Load"}));
  EXPECT_EQ(page.mdiFrame(), &application.form<Frame1Form>());
  EXPECT_EQ(&application.frame(), &application.form<Frame1Form>());
}

TEST_F(LifecycleTest, UnloadMeIsDeferredAndTheNextUseIsAFreshWindow) {
  PageForm* page = &application.form<PageForm>();
  page->Show();
  page->Text1.setText("typed");
  log.clear();
  user.click(page->cmdClose);
  EXPECT_EQ(log, (std::vector<std::string>{"page QueryUnload 1", "page Unload", "after unload, loaded: 0"}));
  EXPECT_FALSE(application.isLoaded<PageForm>());

  log.clear();
  PageForm& fresh = application.form<PageForm>();
  EXPECT_EQ(fresh.Text1.Text(), "design") << "design defaults again";
  EXPECT_EQ(fresh.afterUnload, "");
  EXPECT_EQ(log, (std::vector<std::string>{"page Load"})) << "Form_Load again, the frame stays loaded";
}

TEST_F(LifecycleTest, UnloadingWhatIsNotLoadedDoesNothingAndCancelKeepsTheWindow) {
  application.unload<PageForm>();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(application.isLoaded<PageForm>());

  PageForm& page = application.form<PageForm>();
  page.QueryUnload = [](int& Cancel, int) { Cancel = 1; };
  EXPECT_FALSE(application.unload(page));
  EXPECT_TRUE(application.isLoaded<PageForm>());
}

TEST_F(LifecycleTest, ClosingTheFrameUnloadsItsPages) {
  application.form<PageForm>().Show();
  log.clear();
  user.close(application.form<Frame1Form>());
  EXPECT_EQ(log,
            (std::vector<std::string>{"frame QueryUnload 0", "page QueryUnload 4", "page Unload", "frame Unload"}));
  EXPECT_FALSE(application.isLoaded<PageForm>());
  EXPECT_FALSE(application.isLoaded<Frame1Form>());
}

// A dialog that asks its question when its button is pressed and opens
// another modal dialog from its second button.
class InnerDialog : public Form {
 public:
  CommandButton cmdOK;
  InnerDialog() {
    setCaption("inner");
    cmdOK.create(*this, 0, 0, 1000, 300);
    cmdOK.Click = [this] { Hide(); };
  }
};

class OuterDialog : public Form {
 public:
  CommandButton cmdAsk, cmdInner, cmdClose;
  int answer = 0;
  OuterDialog() {
    setCaption("outer");
    cmdAsk.create(*this, 0, 0, 1000, 300);
    cmdInner.create(*this, 0, 300, 1000, 300);
    cmdClose.create(*this, 0, 600, 1000, 300);
    cmdAsk.Click = [this] { answer = MsgBox("Continuare?", vbYesNo, vbQuestion, "Quotara"); };
    cmdInner.Click = [this] {
      app().form<InnerDialog>().Show(vbModal);
      note("inner returned");
    };
    cmdClose.Click = [this] { app().unload(*this); };
  }
};

class OpenerForm : public Form {
 public:
  CommandButton cmdOpen;
  OpenerForm() {
    cmdOpen.create(*this, 0, 0, 1000, 300);
    cmdOpen.Click = [] {
      app().form<OuterDialog>().Show(vbModal);
      note("outer returned");
    };
  }
};

TEST_F(LifecycleTest, ModalLoopsRunTheScriptedUserAndNest) {
  OpenerForm& opener = application.form<OpenerForm>();
  opener.Show();
  desk.expectMsgBox(vbNo, {.prompt = "Continuare?", .title = "Quotara", .icon = vbQuestion});
  desk.script([&] {
    EXPECT_THROW(user.click(opener.cmdOpen), FormsError) << "the opener is behind the modal window";
    user.click(application.form<OuterDialog>().cmdAsk);
  });
  desk.script([&] { user.click(application.form<OuterDialog>().cmdInner); });
  desk.script([&] { user.click(application.form<InnerDialog>().cmdOK); });
  desk.script([&] {
    EXPECT_EQ(application.form<OuterDialog>().answer, vbNo);
    user.click(application.form<OuterDialog>().cmdClose);
  });
  user.click(opener.cmdOpen);
  EXPECT_EQ(log, (std::vector<std::string>{"inner returned", "outer returned"}));
  EXPECT_EQ(desk.pendingScript(), 0u);
  EXPECT_FALSE(application.isLoaded<OuterDialog>());
  EXPECT_EQ(application.modalForm(), nullptr);
}

TEST_F(LifecycleTest, AModalWindowLeftOpenWithoutScriptFails) {
  OpenerForm& opener = application.form<OpenerForm>();
  opener.Show();
  EXPECT_THROW(user.click(opener.cmdOpen), FormsError);
  EXPECT_EQ(application.modalForm(), nullptr);
}

TEST_F(LifecycleTest, EndStopsModalLoopsAndRefusesInput) {
  OpenerForm& opener = application.form<OpenerForm>();
  opener.Show();
  desk.script([] { app().End(); });
  user.click(opener.cmdOpen);
  EXPECT_TRUE(application.ended());
  EXPECT_TRUE(desk.quitCalled());
  EXPECT_THROW(user.click(opener.cmdOpen), FormsError);
}

TEST_F(LifecycleTest, AMessageBoxNobodyExpectedFailsWithItsText) {
  try {
    MsgBox("Dati archiviati!", vbOKOnly, vbInformation, "Quotara");
    FAIL() << "no exception";
  } catch (const UnexpectedDialog& e) {
    EXPECT_NE(std::string(e.what()).find("Dati archiviati!"), std::string::npos) << e.what();
  }
  desk.expectMsgBox(vbYes, {.prompt = "Vuoi archiviare questi dati?"});
  EXPECT_THROW(MsgBox("Altro?", vbYesNo, vbQuestion, "Quotara"), UnexpectedDialog) << "another text";
  desk.expectMsgBox(vbYes);
  EXPECT_THROW(MsgBox("Ok?", vbOKOnly, 0, "Quotara"), UnexpectedDialog) << "Yes is no answer to an OK box";
  desk.expectMsgBox(vbOK);
  EXPECT_EQ(MsgBox("Riga 1\r\nRiga 2", vbOKOnly, vbExclamation, "Quotara"), vbOK);
  ASSERT_EQ(desk.msgBoxes().size(), 1u);
  EXPECT_EQ(desk.msgBoxes()[0].prompt, "Riga 1\r\nRiga 2");
  EXPECT_EQ(desk.msgBoxes()[0].icon, vbExclamation);
}

}  // namespace
}  // namespace forms::testing

namespace forms::testing {
namespace {

TEST_F(LifecycleTest, TheOpenerIsActiveAgainAfterItsModalWindowCloses) {
  OpenerForm& opener = application.form<OpenerForm>();
  opener.Show();
  opener.Activate = [] { note("opener Activate"); };
  desk.script([&] { user.click(application.form<OuterDialog>().cmdClose); });
  user.click(opener.cmdOpen);
  EXPECT_EQ(log, (std::vector<std::string>{"opener Activate", "outer returned"}));
  EXPECT_EQ(application.activeForm(), &opener);
  EXPECT_TRUE(opener.cmdOpen.hasFocus());
}

}  // namespace
}  // namespace forms::testing
