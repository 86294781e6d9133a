// The cp1251 <-> UTF-16 conversion at the wide API, whatever the system's ANSI code page.
#include <gtest/gtest.h>

#include "win32/Paths.h"
#include "win32/Text.h"

namespace {

struct Mapping {
  unsigned char byte;
  wchar_t wide;
};

// Letters and signs whose place differs between code pages: a conversion through the ANSI code
// page (1252 on this system) would get every one of them wrong.
constexpr Mapping kMappings[] = {
    {'A', L'A'},       {0xC0, L'\u0410'},  // А
    {0xDF, L'\u042F'},                     // Я
    {0xE0, L'\u0430'},                     // а
    {0xFF, L'\u044F'},                     // я
    {0xA8, L'\u0401'},                     // Ё
    {0xB8, L'\u0451'},                     // ё
    {0xB9, L'\u2116'},                     // №
    {0x88, L'\u20AC'},                     // €
    {0x96, L'\u2013'},                     // –
    {0xAB, L'\u00AB'},                     // «
    {0x01, L'\u0001'},                     // the line-break mark of Data.ini passes unchanged
};

TEST(Text, EachCyrillicByteMapsToItsCharacterAndBack) {
  for (const Mapping& m : kMappings) {
    const std::string narrow(1, static_cast<char>(m.byte));
    EXPECT_EQ(ToWide(narrow), std::wstring(1, m.wide)) << "byte " << int(m.byte);
    bool lossless = false;
    EXPECT_EQ(ToCp1251(std::wstring(1, m.wide), &lossless), narrow) << "byte " << int(m.byte);
    EXPECT_TRUE(lossless);
  }
}

// Never folded to a look-alike: "Jürgen" as "Jurgen" would name another folder or file.
TEST(Text, CharactersOutsideTheCodePageAreReported) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"a\u4E2Db", "a?b"}, {L"J\u00FCrgen", "J?rgen"}, {L"\u00E9t\u00E9", "?t?"}};
  for (const auto& [wide, narrow] : cases) {
    bool lossless = true;
    EXPECT_EQ(ToCp1251(wide, &lossless), narrow);
    EXPECT_FALSE(lossless) << narrow;
  }
}

TEST(Text, ConvertingIntoABufferCutsAndTerminates) {
  wchar_t buffer[5];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  EXPECT_EQ(ToWideInto("Привет", buffer, 5), 4u);
  EXPECT_EQ(std::wstring(buffer), L"Прив");

  EXPECT_EQ(ToWideInto("", buffer, 5), 0u);
  EXPECT_EQ(buffer[0], L'\0');

  EXPECT_EQ(ToWideInto("ab", buffer, 1), 0u);
  EXPECT_EQ(buffer[0], L'\0');
}

// A chosen file is stored by its name, or by its short name when only that one fits code page
// 1251; with neither (a file with no short name, as here one that does not exist) it is refused
// rather than stored as "?", which would never start.
TEST(Text, APathIsStoredOnlyWhenTheCodePageCanSpellIt) {
  EXPECT_EQ(ToProgramPathExactly(L"C:\\Папка\\отчёт.bat"), "C:\\Папка\\отчёт.bat");
  EXPECT_EQ(ToProgramPathExactly(L"C:\\nowhere\\a\u4E2Db.exe"), std::nullopt);
  EXPECT_EQ(ToProgramPathExactly(L"C:\\nowhere\\J\u00FCrgen.bat"), std::nullopt);
}

}  // namespace
