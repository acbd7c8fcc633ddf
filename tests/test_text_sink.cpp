// The bounded printf of the system: texts that fit, texts cut at the end
// of a buffer or field (never inside a double-byte character), appending
// after a text already in a field.
#include <cstring>
#include <string>

#include "base/text_sink.h"
#include "test_support.h"

namespace {

TEST(TextSink, CutsAtTheBufferEndBetweenCharacters) {
  struct Case {
    int cb;                 // buffer bytes
    const char* szFirst;    // appended first
    const char* szSecond;   // appended after it
    const char* szWant;
  };
  const Case kCases[] = {
      {8, "abc", "漢字", "abc漢字"},                  // fits exactly
      {7, "abc", "漢字", "abc漢 "},                   // the lead byte of 字 would stand alone
      {6, "abc", "漢字", "abc漢"},                    // cut between the two characters
      {6, "ｱｲ", "漢字漢", "ｱｲ漢 "},                    // half-width kana are single bytes
      {4, "abc", "漢", "abc"},                        // no room after the full buffer
      {1, "abc", "d", ""},                            // room for the terminator only
  };
  for (const Case& c : kCases) {
    char sz[32];
    memset(sz, 'x', sizeof sz);
    TextSink sink;
    SinkStart(&sink, sz, c.cb);
    SinkAppend(&sink, c.szFirst);
    SinkPrintf(&sink, "%s", c.szSecond);
    EXPECT_STREQ(sz, c.szWant) << c.cb;
    EXPECT_EQ(sink.len, static_cast<int>(strlen(c.szWant))) << c.cb;
    EXPECT_EQ(sz[c.cb], 'x') << "wrote past the buffer of " << c.cb;
  }
}

TEST(TextSink, FieldsAreWrittenWholeAndAppendedTo) {
  char szField[10];
  memset(szField, 'x', sizeof szField);
  EXPECT_EQ(PrintField(szField, 8, "%d年%s", 2024, "春分"), 7);
  EXPECT_STREQ(szField, "2024年 ");  // 春 would not fit whole
  EXPECT_EQ(szField[8], 'x');
  EXPECT_EQ(PrintField(szField, 8, "%s", "ab"), 2);
  TextSink sink;
  SinkResume(&sink, szField, 8);
  EXPECT_EQ(sink.len, 2);
  SinkAppend(&sink, "漢字漢字");
  EXPECT_STREQ(szField, "ab漢字 ");
  EXPECT_EQ(SinkRoom(sink), 1);
}

}  // namespace
