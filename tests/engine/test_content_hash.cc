// The content hash: the same bytes give the same digest however they are handed over, and a
// byte changed, lost or added gives another one.
#include <gtest/gtest.h>

#include <string>

#include "engine/content_hash.h"
#include "tests/support/case_name.h"
#include "tests/support/scratch_tree.h"

namespace {
content_digest digest_of(const std::string& bytes, size_t piece) {
  static content_hash hash;
  content_hash_start(hash);
  for (size_t at = 0; at < bytes.size(); at += piece)
    content_hash_add(hash, bytes.data() + at, std::min(piece, bytes.size() - at));
  return content_hash_finish(hash);
}

TEST(ContentHash, OfNothingIsTheKnownDigest) {
  const content_digest empty = digest_of("", 1);
  EXPECT_EQ(empty.high, 0x99AA06D3014798D8u);
  EXPECT_EQ(empty.low, 0x6001C324468D497Fu);
}

// Pieces of every size a copy hands over: single bytes, odd sizes across the hash's own
// 64-byte stripes and 1 KB blocks, and the whole.
TEST(ContentHash, IsTheSameInAnyPieces) {
  const std::string bytes = scratch::pattern_bytes(300000, 3);
  const content_digest whole = digest_of(bytes, bytes.size());
  for (size_t piece : {1, 51, 64, 1023, 4096, 65537})
    EXPECT_TRUE(same_content(digest_of(bytes, piece), whole)) << "pieces of " << piece;
}

struct change_case {
  const char* name;
  std::string (*change)(std::string);
};

class ChangedContent : public testing::TestWithParam<change_case> {};

TEST_P(ChangedContent, GivesAnotherDigest) {
  const std::string bytes = scratch::pattern_bytes(2500000, 5);
  const std::string changed = GetParam().change(bytes);
  ASSERT_NE(changed, bytes) << GetParam().name;
  EXPECT_FALSE(same_content(digest_of(changed, 65536), digest_of(bytes, 65536)))
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ChangedContent,
    testing::Values(
        change_case{"one bit of the last byte",
                    [](std::string b) { return b.back() ^= 1, b; }},
        change_case{"one byte in the middle", [](std::string b) { return b[1250000] ^= 0x80, b; }},
        change_case{"a sector lost to zeros",
                    [](std::string b) { return b.replace(4096, 4096, 4096, '\0'), b; }},
        change_case{"the last sector lost",
                    [](std::string b) { return b.resize(b.size() - 4096), b; }},
        change_case{"a zero byte added", [](std::string b) { return b.push_back('\0'), b; }},
        change_case{"two sectors swapped",
                    [](std::string b) {
                      const std::string first = b.substr(0, 4096);
                      b.replace(0, 4096, b.substr(4096, 4096));
                      return b.replace(4096, 4096, first), b;
                    }}),
    case_name<change_case>);
}  // namespace
