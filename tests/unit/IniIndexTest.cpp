// Finding values in an INI text the way the system's private-profile reader finds them.
#include <gtest/gtest.h>

#include <string>

#include "storage/IniIndex.h"

namespace {

struct LookupCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::optional<std::string> expected;  // nullopt: the default would be used
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.name; }

class IniIndexTest : public testing::TestWithParam<LookupCase> {};

TEST_P(IniIndexTest, FindsTheValue) {
  const LookupCase& c = GetParam();
  const IniIndex index(c.file);
  const auto value = index.Find(index.FindSection(c.section), c.key);
  ASSERT_EQ(value.has_value(), c.expected.has_value());
  if (value) {
    EXPECT_EQ(std::string(*value), *c.expected);
  }
}

const std::string kLong(1000, 'z');

INSTANTIATE_TEST_SUITE_P(
    Names, IniIndexTest,
    testing::Values(
        LookupCase{"Plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
        LookupCase{"SectionCase", "[settings]\r\nk=v\r\n", "SETTINGS", "k", "v"},
        LookupCase{"KeyCase", "[TASK0]\r\ntex=v\r\n", "task0", "Tex", "v"},
        LookupCase{"CyrillicCase", "[Задача]\r\nКлюч=v\r\n", "зАДАЧА", "КЛЮЧ", "v"},
        LookupCase{"CyrillicYo", "[ёлка]\r\nk=v\r\n", "ЁЛКА", "k", "v"},
        LookupCase{"AlphabetEnds", "[AZАЯ]\r\nk=v\r\n", "azая", "k", "v"},
        LookupCase{"EveryCp1251CasePair",
                   "[\x80\x81\x8A\x8C\x8D\x8E\x8F\xA1\xA3\xA5\xA8\xAA\xAF\xB2\xBD]\r\nk=v\r\n",
                   "\x90\x83\x9A\x9C\x9D\x9E\x9F\xA2\xBC\xB4\xB8\xBA\xBF\xB3\xBE", "k", "v"},
        LookupCase{"FirstKeyWins", "[S]\r\na=1\r\nA=2\r\n", "S", "a", "1"},
        LookupCase{"FirstSectionWins", "[S]\r\na=1\r\n[S]\r\na=2\r\n", "S", "a", "1"},
        LookupCase{"LaterDuplicateIgnoredWhole", "[S]\r\na=1\r\n[s]\r\nb=2\r\n", "S", "b",
                   std::nullopt},
        LookupCase{"OtherSectionBetween", "[S]\r\na=1\r\n[T]\r\nb=2\r\n", "S", "b", std::nullopt},
        LookupCase{"SectionNameTrimmed", "  [ S\t]  \r\nk=v\r\n", "S", "k", "v"},
        LookupCase{"TextAfterLastBracket", "[S]x\r\nk=v\r\n", "S", "k", "v"},
        LookupCase{"BracketWithoutCloseIsAKey", "[S]\r\n[k=v\r\n", "S", "[k", "v"},
        LookupCase{"KeysBeforeAnySection", "k=v\r\n[S]\r\n", "S", "k", std::nullopt},
        LookupCase{"MissingSection", "[S]\r\nk=v\r\n", "T", "k", std::nullopt},
        LookupCase{"MissingKey", "[S]\r\nk=v\r\n", "S", "j", std::nullopt},
        LookupCase{"EmptyFile", "", "S", "k", std::nullopt},
        LookupCase{"LineWithoutEquals", "[S]\r\nk\r\n", "S", "k", std::nullopt},
        LookupCase{"LineWithoutEqualsComesFirst", "[S]\r\nk\r\nk=v\r\n", "S", "k", std::nullopt},
        LookupCase{"EmptyNameIsNotAKey", "[S]\r\n=v\r\n", "S", "k", std::nullopt},
        LookupCase{"NameBlanksDropped", "[S]\r\n \tk \t=v\r\n", "S", "k", "v"}),
    [](const auto& test) { return std::string(test.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Values, IniIndexTest,
    testing::Values(LookupCase{"EmptyValueIsNotTheDefault", "[S]\r\nk=\r\n", "S", "k", ""},
                    LookupCase{"BlanksAndTabsDropped", "[S]\r\nk= \t v v \t \r\n", "S", "k", "v v"},
                    LookupCase{"DoubleQuotes", "[S]\r\nk=\" a \"\r\n", "S", "k", " a "},
                    LookupCase{"SingleQuotes", "[S]\r\nk='a'\r\n", "S", "k", "a"},
                    LookupCase{"OnlyOnePairStripped", "[S]\r\nk=\"\"a\"\"\r\n", "S", "k", "\"a\""},
                    LookupCase{"MixedQuotesKept", "[S]\r\nk=\"a'\r\n", "S", "k", "\"a'"},
                    LookupCase{"QuoteAtOneEndKept", "[S]\r\nk=a\"\r\n", "S", "k", "a\""},
                    LookupCase{"LoneQuoteKept", "[S]\r\nk=\"\r\n", "S", "k", "\""},
                    LookupCase{"EmptyQuotes", "[S]\r\nk=\"\"\r\n", "S", "k", ""},
                    LookupCase{"QuotesInsideBlanks", "[S]\r\nk= \"a \" \r\n", "S", "k", "a "},
                    LookupCase{"NoInlineComments", "[S]\r\nk=v ; note\r\n", "S", "k", "v ; note"},
                    LookupCase{"EqualsInValue", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
                    LookupCase{"MarkByteKept",
                               "[S]\r\nk=a\x01"
                               "b\x01\r\n",
                               "S", "k",
                               "a\x01"
                               "b\x01"},
                    LookupCase{"LoneLfEndsValue", "[S]\r\nk=a\nb=c\r\n", "S", "k", "a"},
                    LookupCase{"LoneCrEndsValue", "[S]\r\nk=a\rb=c\r\n", "S", "k", "a"},
                    LookupCase{"LineAfterLoneCrIsAKey", "[S]\r\nk=a\rb=c\r\n", "S", "b", "c"},
                    LookupCase{"UnixLineEnds", "[S]\nk=v\n", "S", "k", "v"},
                    LookupCase{"NoLastLineEnd", "[S]\r\nk=v", "S", "k", "v"},
                    LookupCase{"LongValueWhole", "[S]\r\nk=" + kLong + "\r\n", "S", "k", kLong}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
