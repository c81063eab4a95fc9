// The stored music path: code page 932 only when it holds the path exactly.
#include "base/stored_path.h"

#include <gtest/gtest.h>

#include "base/cp932.h"

namespace tl {

TEST(StoredPath, LookAlikesAreNotRepresentableSoThePathNeverChangesMeaning) {
  // The yen sign has a look-alike in code page 932 (0x5C, the backslash);
  // taking it would turn "C:\¥dir" into "C:\\dir".
  const std::string yen = "C:\\\xC2\xA5" "dir\\a.mp3";
  EXPECT_FALSE(Utf8ToCp932(yen));
  EXPECT_EQ(EncodeStoredPath(yen), std::string(kUtf8PathMarker) + yen);
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(yen)), yen);
  // Japanese text converts and comes back the same.
  const std::string japanese = "C:\\\xE9\x9F\xB3\xE6\xA5\xBD\\a.mp3";  // 音楽
  ASSERT_TRUE(Utf8ToCp932(japanese));
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(japanese)), japanese);
  // Bytes that are no code-page-932 text decode to nothing, not to garbage.
  EXPECT_EQ(DecodeStoredPath("\x81"), "");
}

}  // namespace tl
