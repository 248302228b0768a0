#include "common/text_field.h"

#include <gtest/gtest.h>

#include <string>

namespace zenkar {
namespace {

TEST(TextFieldTest, LongValueIsCutToTheFieldWidth) {
  const std::string description = "Quarterly maintenance of the office copiers";  // 43
  const std::string value = description + "!!";                                   // 45
  ASSERT_EQ(value.size(), 45u);
  std::string record(100, 'x');
  PutTextField(record, 10, 40, value);
  EXPECT_EQ(GetTextField(record, 10, 40), value.substr(0, 40));
  // The bytes around the field are untouched.
  EXPECT_EQ(record.substr(0, 10), std::string(10, 'x'));
  EXPECT_EQ(record.substr(50), std::string(50, 'x'));
  EXPECT_EQ(record.size(), 100u);
}

TEST(TextFieldTest, ShortValueIsPaddedWithSpaces) {
  std::string record(60, '\0');
  PutTextField(record, 5, 40, "Abc");
  EXPECT_EQ(GetTextField(record, 5, 40), "Abc" + std::string(37, ' '));
  EXPECT_EQ(record.substr(0, 5), std::string(5, '\0'));
  EXPECT_EQ(record.substr(45), std::string(15, '\0'));
}

TEST(TextFieldTest, StoringOverAnOldValueLeavesNoneOfIt) {
  std::string record(40, ' ');
  PutTextField(record, 0, 40, std::string(40, 'Z'));
  PutTextField(record, 0, 40, "Ok");
  EXPECT_EQ(record, "Ok" + std::string(38, ' '));
  PutTextField(record, 0, 40, "");
  EXPECT_EQ(record, std::string(40, ' '));
}

TEST(TextFieldTest, FitTextPadsOrCuts) {
  EXPECT_EQ(FitText("1000", 4), "1000");
  EXPECT_EQ(FitText("10", 4), "10  ");
  EXPECT_EQ(FitText("100000", 4), "1000");
  EXPECT_EQ(FitText("", 3), "   ");
}

TEST(TextFieldTest, TrimRemovesPaddingOnly) {
  EXPECT_EQ(TrimRight("Abc   "), "Abc");
  EXPECT_EQ(TrimRight("  Abc"), "  Abc");
  EXPECT_EQ(Trim("  A b  "), "A b");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(TrimRight(""), "");
}

TEST(Cp1252Test, ConvertsSpecialCharactersBothWays) {
  struct Case {
    const char* cp1252;
    const char* utf8;
  };
  for (const Case& c : {Case{"\xE9", "\u00E9"},  // é
                        Case{"\x80", "\u20AC"},  // €
                        Case{"\x84", "\u201E"},  // „
                        Case{"\x99", "\u2122"},  // ™
                        Case{"\x9F", "\u0178"},  // Ÿ
                        Case{"\x8A", "\u0160"},  // Š
                        Case{"\xA0", "\u00A0"},  // no-break space
                        Case{"\xFF", "\u00FF"},  // ÿ
                        Case{"Caf\xE9 \x80 5", "Caf\u00E9 \u20AC 5"}}) {
    EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.utf8;
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
  }
}

TEST(Cp1252Test, UndefinedBytesBecomeTheControlCharactersOfTheSameValue) {
  for (unsigned char byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string cp1252(1, static_cast<char>(byte));
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    EXPECT_EQ(utf8, std::string({static_cast<char>(0xC2), static_cast<char>(byte)}));
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
  }
}

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252Test, CharactersWithoutACp1252FormBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\u0142"), "?");                         // ł
  EXPECT_EQ(Utf8ToCp1252("\U0001F600"), "?");                     // an emoji, four bytes
  EXPECT_EQ(Utf8ToCp1252("\u4E2D"), "?");                         // 中
  EXPECT_EQ(Utf8ToCp1252("\u0080"), "?");                         // C1 control with no byte
  EXPECT_EQ(Utf8ToCp1252("\u0100"), "?");                         // Ā, just past Latin-1
  EXPECT_EQ(Utf8ToCp1252("Z\u0142oty \U0001F600!"), "Z?oty ?!");  // one "?" per character
}

TEST(Cp1252Test, MalformedUtf8BecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\x80"), "?");  // a lone continuation byte
  EXPECT_EQ(Utf8ToCp1252("a\xBF"
                         "b"),
            "a?b");
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");  // cut short at the end
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82"), "?");
  EXPECT_EQ(Utf8ToCp1252("\xC3"
                         "A"),
            "?A");  // the next character survives
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82"
                         "A"),
            "?A");
  EXPECT_EQ(Utf8ToCp1252("\xFF"), "?");
  EXPECT_EQ(Utf8ToCp1252("\xF8\x88\x80\x80\x80"), "?????");
  EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "?");  // a UTF-16 surrogate
  // Over-long forms of ASCII characters are malformed, not the character.
  EXPECT_EQ(Utf8ToCp1252("\xC1\xBF"), "?");          // '\x7F' in two bytes
  EXPECT_EQ(Utf8ToCp1252("\xC0\xAF"), "?");          // '/' in two bytes
  EXPECT_EQ(Utf8ToCp1252("\xE0\x80\xAF"), "?");      // '/' in three bytes
  EXPECT_EQ(Utf8ToCp1252("\xF0\x80\x80\xAF"), "?");  // '/' in four bytes
  EXPECT_EQ(Utf8ToCp1252("\xE0\x83\xA9"), "?");      // é in three bytes
  EXPECT_EQ(Utf8ToCp1252("\xF4\x90\x80\x80"), "?");  // beyond U+10FFFF
}

TEST(Cp1252Test, AsciiPassesThroughUnchanged) {
  const std::string ascii = "Office Supplies, Inc. #12 (net 30)";
  EXPECT_EQ(Cp1252ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp1252(ascii), ascii);
}

// Every byte that is a control character in UTF-8 once converted: C0, DEL
// and the five undefined bytes (C1); the rest, € and é included, is text.
TEST(Cp1252Test, EscapeControlsWritesEachControlCharacterInHex) {
  EXPECT_EQ(EscapeControls("Rent\x1B[2J\x07\r\n\t\x7F|\x81\x8D\x8F\x90\x9D|\x80\xE9\\x"),
            "Rent\\x1B[2J\\x07\\x0D\\x0A\\x09\\x7F|\\x81\\x8D\\x8F\\x90\\x9D|\x80\xE9\\x");
  EXPECT_EQ(EscapeControls(std::string("a\0b", 3)), "a\\x00b");
  for (int byte = 0; byte < 256; ++byte) {
    const std::string utf8 = Cp1252ToUtf8(EscapeControls(std::string(1, static_cast<char>(byte))));
    for (size_t i = 0; i < utf8.size(); ++i) {
      const auto c = static_cast<unsigned char>(utf8[i]);
      const bool c1 =
          c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
      EXPECT_FALSE(c < 0x20 || c == 0x7F || c1) << "byte " << byte;
    }
  }
}

}  // namespace
}  // namespace zenkar
