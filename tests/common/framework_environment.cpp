// Every test program starts the framework once, as the application does.
#include <gtest/gtest.h>

#include "framework/framework.h"

namespace {
class FrameworkEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { hushlake::StartFramework(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);
}  // namespace
