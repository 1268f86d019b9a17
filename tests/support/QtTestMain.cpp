#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "commands/SendBuffer.h"

namespace {

// Closing a window releases the encoders' buffer, as at the program's end.
// Every test starts as a fresh program would, with the buffer in place.
class FreshImageBuffer : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    if (kestrel::ImageBuffer == nullptr) kestrel::ImageBuffer = new std::uint8_t[kestrel::kImageBufferCapacity]();
  }
};

}  // namespace

// Window tests run offscreen inside GoogleTest, with one QApplication.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshImageBuffer);
  return RUN_ALL_TESTS();
}
