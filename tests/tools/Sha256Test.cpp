// SHA-256 against the published test vectors (FIPS 180-4 examples).
#include <gtest/gtest.h>

#include "tools/mkinstaller/Sha256.h"

namespace {
std::string Hash(const std::string& message, size_t chunk)
{
  CSha256 sha;
  for (size_t at = 0; at < message.size(); at += chunk)
    sha.Update(message.data() + at, std::min(chunk, message.size() - at));
  return sha.FinishHex();
}
}  // namespace

TEST(Sha256, PublishedVectorsWhateverTheChunksTheyComeIn)
{
  // 56 bytes leave no room for the length in the last block: padding takes
  // a block of its own; the million bytes in 7-byte pieces cross every seam.
  const std::pair<std::string, const char*> vectors[] = {
      {"", "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855"},
      {"abc", "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrst"
       "nopqrstu",
       "CF5B16A778AF8380036CE59E7B0492370B249B11E8F07A51AFAC45037AFEE9D1"},
      {std::string(1000000, 'a'), "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0"},
  };
  for (const auto& v : vectors) {
    EXPECT_EQ(v.second, Hash(v.first, v.first.size() + 1)) << v.first.size() << " bytes at once";
    EXPECT_EQ(v.second, Hash(v.first, 7)) << v.first.size() << " bytes in 7-byte pieces";
  }
}
