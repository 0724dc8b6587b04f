// Runs the window tests inside one toolkit on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/window_system.h"

int main(int argumentCount, char** arguments) {
    ::testing::InitGoogleTest(&argumentCount, arguments);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (platform::StartToolkit(argumentCount, arguments)) return 1;
    const int result = RUN_ALL_TESTS();
    platform::StopToolkit();
    return result;
}
