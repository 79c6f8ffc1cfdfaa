// The end-to-end scenarios: Melodex started and used from outside, as a person would.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Pixels, not scaled ones: the driver measures and clicks the program's windows.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
