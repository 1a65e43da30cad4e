// The property bag: defaults, the omission rule, keys without case and
// typed reads that refuse a wrong type with a message naming owner and key.
#include "host/Values.h"

#include <gtest/gtest.h>

using host::Font;
using host::PropertyBag;
using host::PropValue;
using host::StoredDataError;

TEST(PropertyBag, MissingKeysReadAsTheirDefaults)
{
    PropertyBag bag;
    EXPECT_EQ(bag.readLong(L"MaxV", 20), 20);
    EXPECT_EQ(bag.readColour(L"BackColor", 0x8000000F), 0x8000000Fu);
    EXPECT_TRUE(bag.readBool(L"Enabled", true));
    EXPECT_EQ(bag.readText(L"Caption", L"x"), L"x");
    Font def;
    def.name = L"Tahoma";
    EXPECT_EQ(bag.readFont(L"Font", def).name, L"Tahoma");
    EXPECT_EQ(bag.readPicture(L"Image"), nullptr);
}

TEST(PropertyBag, KeysCompareWithoutCase)
{
    PropertyBag bag;
    bag.write(L"cBhover", std::int64_t(0x00FF00), std::int64_t(0));
    EXPECT_TRUE(bag.has(L"cBHover"));
    EXPECT_EQ(bag.readColour(L"CBHOVER", 0), 0x00FF00u);
    bag.write(L"CBHOVER", std::int64_t(0x0000FF), std::int64_t(0));  // same key: replaced, not added
    EXPECT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.readColour(L"cbhover", 0), 0x0000FFu);
    EXPECT_EQ(bag.keys()[0], L"cBhover");  // first spelling kept
}

TEST(PropertyBag, WriteOmitsAValueEqualToItsDefault)
{
    struct Case {
        const char* label;
        PropValue value, def;
        bool stored;
    };
    Font bold;
    bold.bold = true;
    const Case cases[] = {
        {"number equal", std::int64_t(2), std::int64_t(2), false},
        {"number differs", std::int64_t(3), std::int64_t(2), true},
        {"text equal", std::wstring(L""), std::wstring(L""), false},
        {"text differs", std::wstring(L"OK"), std::wstring(L""), true},
        {"bool equal", true, true, false},
        {"bool vs number -1", true, std::int64_t(-1), false},
        {"font equal", Font{}, Font{}, false},
        {"font differs", bold, Font{}, true},
        {"no picture vs none", host::PictureRef(), host::PictureRef(), false},
        {"no default given", std::int64_t(0), std::monostate{}, true},
    };
    for (const Case& c : cases) {
        PropertyBag bag;
        bag.write(L"K", c.value, c.def);
        EXPECT_EQ(bag.has(L"K"), c.stored) << c.label;
    }
}

TEST(PropertyBag, WritingTheDefaultRemovesAnEarlierValue)
{
    PropertyBag bag;
    bag.write(L"Mode", std::int64_t(2), std::int64_t(0));
    bag.write(L"Mode", std::int64_t(0), std::int64_t(0));
    EXPECT_FALSE(bag.has(L"Mode"));
    EXPECT_EQ(bag.readLong(L"Mode", 7), 7);
}

TEST(PropertyBag, NumbersAndBooleansReadAsEachOther)
{
    PropertyBag bag;
    bag.set(L"Value", std::int64_t(0));
    bag.set(L"Enabled", true);
    EXPECT_FALSE(bag.readBool(L"Value", true));
    EXPECT_EQ(bag.readLong(L"Enabled", 0), -1);  // true is -1
}

TEST(PropertyBag, UnsignedHexColoursReadAsTheSameBits)
{
    PropertyBag bag;
    bag.set(L"ForeColor", std::int64_t(0x80000012));
    EXPECT_EQ(bag.readColour(L"ForeColor", 0), 0x80000012u);
    EXPECT_EQ(bag.readLong(L"ForeColor", 0), static_cast<std::int32_t>(0x80000012u));
}

TEST(PropertyBag, WrongTypeNamesOwnerAndKey)
{
    PropertyBag bag(L"frmMain.YList1");
    bag.set(L"IsReal", std::wstring(L"yes"));
    bag.set(L"Caption", std::int64_t(5));
    bag.set(L"Big", std::int64_t(1) << 40);
    struct Case {
        const char* label;
        std::function<void()> read;
        const char* key;
    };
    const Case cases[] = {
        {"text as boolean", [&] { bag.readBool(L"IsReal", false); }, "\"IsReal\""},
        {"number as text", [&] { bag.readText(L"Caption", L""); }, "\"Caption\""},
        {"number as font", [&] { bag.readFont(L"Caption", Font{}); }, "\"Caption\""},
        {"too big for 32 bits", [&] { bag.readLong(L"Big", 0); }, "\"Big\""},
    };
    for (const Case& c : cases) {
        try {
            c.read();
            ADD_FAILURE() << c.label << ": no error";
        } catch (const StoredDataError& e) {
            std::string m = e.what();
            EXPECT_NE(m.find("frmMain.YList1"), std::string::npos) << c.label << ": " << m;
            EXPECT_NE(m.find(c.key), std::string::npos) << c.label << ": " << m;
        }
    }
}

TEST(PropertyBag, UnreadKeysAreTheOnesNobodyAskedFor)
{
    PropertyBag bag;
    bag.set(L"MinV", std::int64_t(0));
    bag.set(L"MaxV", std::int64_t(20));
    bag.set(L"Typo", std::int64_t(1));
    bag.readLong(L"minv", 0);
    bag.has(L"MAXV");
    ASSERT_EQ(bag.unreadKeys().size(), 1u);
    EXPECT_EQ(bag.unreadKeys()[0], L"Typo");
    bag.forgetReads();
    EXPECT_EQ(bag.unreadKeys().size(), 3u);
}

TEST(PropertyBag, EqualityIgnoresOrderAndKeyCase)
{
    PropertyBag a, b;
    a.set(L"A", std::int64_t(1));
    a.set(L"b", std::wstring(L"x"));
    b.set(L"B", std::wstring(L"x"));
    b.set(L"a", std::int64_t(1));
    EXPECT_TRUE(a == b);
    b.set(L"a", std::int64_t(2));
    EXPECT_FALSE(a == b);
}

TEST(Utf8, RoundTripsChineseAndAstralText)
{
    std::wstring text = L"结点B100 \"q\" ";
    text += wchar_t(0x4E2D);
    EXPECT_EQ(host::FromUtf8(host::ToUtf8(text)), text);
    EXPECT_EQ(host::ToUtf8(L"宋体"), "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(host::FromUtf8("\xF0\x9F\x98\x80").size(), sizeof(wchar_t) == 2 ? 2u : 1u);
    EXPECT_EQ(host::FromUtf8("a\xC3"), std::wstring(L"a") + wchar_t(0xFFFD));  // cut sequence
}
