#include <gtest/gtest.h>

#include "platform/X11WindowList.h"
#include "support/TempDir.h"

using namespace sartovin;

TEST(X11WindowList, WithoutADisplayThereIsNothingToList) {
    for (const char* display : {"", ":98765"}) {
        test::ScopedEnv env("DISPLAY", std::string(display));
        X11WindowList list;
        EXPECT_FALSE(list.available()) << display;
        EXPECT_TRUE(list.topLevelWindows().empty()) << display;
        EXPECT_FALSE(list.activate(WindowInfo{"VLCD", 1, 42})) << display;
    }
}
