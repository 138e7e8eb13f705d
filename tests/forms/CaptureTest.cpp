#include <memory>

#include "FormsFixture.h"

namespace forms::testing {
namespace {

class CaptureForm : public Form {
 public:
  PictureBox Bar;
  CaptureForm() { Bar.create(*this, 0, 0, 1500, 600); }
};

TEST_F(FormsTest, CaptureIsHeldUntilReleasedOrTheControlGoes) {
  CaptureForm& f = application.form<CaptureForm>();
  EXPECT_EQ(application.capture(), nullptr);
  application.setCapture(&f.Bar);
  EXPECT_EQ(application.capture(), &f.Bar);
  application.setCapture(nullptr);
  EXPECT_EQ(application.capture(), nullptr);

  auto other = std::make_unique<PictureBox>();
  other->create(f, 0, 0, 150, 150);
  application.setCapture(other.get());
  other.reset();
  EXPECT_EQ(application.capture(), nullptr);
}

}  // namespace
}  // namespace forms::testing
