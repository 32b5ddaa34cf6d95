// Names a table-driven test case after its own `name` field, in the letters GoogleTest allows.
#pragma once
#include <gtest/gtest.h>

#include <cctype>
#include <string>

// For INSTANTIATE_TEST_SUITE_P, with any case type that has a `const char* name`.
template <class Case>
std::string case_name(const testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* c = info.param.name; *c; ++c)
    name += isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}
