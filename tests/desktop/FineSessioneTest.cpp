// A logout, a shutdown or Ctrl+C while the program runs on the screen: the
// Qt event loop hears the signal between two events, so the archive write
// under way when it came is finished; then the program ends as when its frame
// is closed, with exit code 0 and no temporary file left.
#include <QTimer>
#include <csignal>
#include <vector>

#include "ProgramFixture.h"
#include "platform/Files.h"
#include "platform/Signals.h"

namespace desktop::testing {
namespace {

class FineSessioneSchermo : public ProgramFixture, public ::testing::WithParamInterface<int> {
 protected:
  ~FineSessioneSchermo() override { platform::resetEndSignalsForTests(); }
};

TEST_P(FineSessioneSchermo, TheProgramEndsAfterTheWriteUnderWay) {
  ASSERT_TRUE(started);
  shell::AscoltaFineSessione();
  settle();
  ASSERT_TRUE(std::filesystem::exists(base / "temp" / "codfis.imu"));
  const std::string archivio = (base / "dati" / "tasi.dat").string();
  const std::vector<std::string> righe(50000, "ROSSI MARIO;VIA ROMA 1;ROMA;2026;1.234,56;5;12;100;0;0");
  bool scritto = false;
  QTimer::singleShot(0, &desk, [&] {
    desk.deliver([&] {
      ASSERT_EQ(::raise(GetParam()), 0);
      platform::writeLinesAtomic(archivio, righe);
      scritto = application.isLoaded<shell::Principale>();
    });
  });
  // Should nothing end the loop, the test does not hang.
  QTimer guardia;
  guardia.setSingleShot(true);
  QObject::connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  guardia.start(20000);
  EXPECT_EQ(desk.exec(), 0);
  EXPECT_TRUE(scritto) << "the write finished with the frame still open";
  EXPECT_EQ(platform::readLines(archivio), righe);
  EXPECT_TRUE(application.ended());
  EXPECT_FALSE(application.isLoaded<shell::Principale>());
  EXPECT_TRUE(std::filesystem::is_empty(base / "temp"));
}

INSTANTIATE_TEST_SUITE_P(Segnali, FineSessioneSchermo, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const auto& caso) {
                           return caso.param == SIGTERM ? "SIGTERM" : caso.param == SIGHUP ? "SIGHUP" : "SIGINT";
                         });

}  // namespace
}  // namespace desktop::testing
