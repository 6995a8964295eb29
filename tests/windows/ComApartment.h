#pragma once
// The single-threaded apartment each Windows test runs in, as a host's
// export thread does.

#include <ole2.h>

#include <gtest/gtest.h>

namespace quillmere::testing {

class ComApartmentTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

}  // namespace quillmere::testing
