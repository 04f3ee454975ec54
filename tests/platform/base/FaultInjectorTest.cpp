#include <gtest/gtest.h>

#include "platform/base/FaultInjector.h"

namespace {

class FaultInjectorTest : public ::testing::Test {
protected:
    void TearDown() override { CFaultInjector::Instance().ClearAll(); }
    CFaultInjector& faults = CFaultInjector::Instance();
};

TEST_F(FaultInjectorTest, SkipsThenFailsForTheGivenCount) {
    faults.Inject("Op", 42, /*skip=*/2, /*count=*/2);
    std::vector<bool> failed;
    LONG result = 0;
    for (int i = 0; i < 6; ++i) failed.push_back(faults.ShouldFail("Op", &result));
    EXPECT_EQ((std::vector<bool>{false, false, true, true, false, false}), failed);
    EXPECT_EQ(42, result);
    EXPECT_EQ(6, faults.Calls("Op"));
}

TEST_F(FaultInjectorTest, NegativeCountFailsForever) {
    faults.Inject("Op", 7, 0, -1);
    LONG result = 0;
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(faults.ShouldFail("Op", &result));
    EXPECT_FALSE(faults.ShouldFail("Other", &result));
}

} // namespace
