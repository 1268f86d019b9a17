#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Window tests run offscreen inside GoogleTest, with one QApplication.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
