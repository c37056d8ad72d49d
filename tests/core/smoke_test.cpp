#include <gtest/gtest.h>
#include "forms/runner.h"
TEST(Smoke, Runs) {
    tov::MemoryReport rep;
    auto r = tov::runForm(*tov::findForm("CSinglyRectDesignDlg"), {}, rep);
    EXPECT_TRUE(r.outcome.ok());
}
