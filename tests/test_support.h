// Helpers shared by the unit tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/native/native_control.h"

// Clears the recorded boxes and scripted answers before and after a test.
class BoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NativeSetBoxMode(kNativeBoxesRecord);
    NativeClearBoxes();
    NativeClearAnswers();
  }
  void TearDown() override {
    NativeClearBoxes();
    NativeClearAnswers();
    NativeSetClock(nullptr);
  }
  const std::vector<ShownBox>& Boxes() const { return NativeShownBoxes(); }
};

// True when haystack contains needle (both CP932 bytes).
inline bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}
