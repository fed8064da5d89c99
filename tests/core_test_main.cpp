// The core tests run in a temporary home, as the widget tests do.
#include <gtest/gtest.h>

#include "fakes/temporary_home.h"

int main(int argc, char** argv) {
    const TemporaryHome home;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
