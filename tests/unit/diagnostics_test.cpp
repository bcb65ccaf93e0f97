#include <gtest/gtest.h>

#include "settings/diagnostics.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;

class Diagnostics : public EngineTest {};

TEST_F(Diagnostics, CheckHRWritesOneLineForFailuresOnly) {
  EXPECT_FALSE(CheckHR(0, "Cannot play the buffer"));
  EXPECT_TRUE(diagnostics.empty());
  EXPECT_EQ(LastResultCode(), 0u);

  EXPECT_TRUE(CheckHR(rc::NoAudioDriver, "Cannot play the buffer"));
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0], "Cannot play the buffer [HR=80CF0001] No usable audio driver is available.");
  EXPECT_EQ(LastResultCode(), rc::NoAudioDriver);

  EXPECT_TRUE(CheckHR(1, "Positive"));
  EXPECT_EQ(diagnostics[1], "Positive [HR=00000001] Unrecognized Error");
}

}  // namespace
}  // namespace corvane
