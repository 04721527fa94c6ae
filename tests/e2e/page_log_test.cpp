// The browser program's page logs no error and no warning, whatever a case
// does with it: checked once every case of the process has ended.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

class PageLogStaysClean : public testing::Environment {
public:
    void TearDown() override { EXPECT_EQ(e2e::page_log(), ""); }
};

[[maybe_unused]] testing::Environment *const page_log_check = testing::AddGlobalTestEnvironment(new PageLogStaysClean);

} // namespace
