// The data a drag carries, without windows: filling it for a drag this
// program starts, reading a drop's data, and the effect a drop does.
#include "host/DragData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace host;

TEST(DragData, FilledFormatsKeepTheirOrderAndData)
{
    DragData d;
    EXPECT_FALSE(d.ReadOnly());
    EXPECT_TRUE(d.SetData(kDragText, L"first"));
    EXPECT_TRUE(d.SetFormat(kDragRTF));
    EXPECT_TRUE(d.AddFile(L"C:\\a.txt"));
    EXPECT_TRUE(d.AddFile(L"C:\\b.txt"));
    EXPECT_EQ(d.Formats(), (std::vector<int>{kDragText, kDragRTF, kDragFiles}));
    EXPECT_TRUE(d.GetFormat(kDragRTF));
    EXPECT_TRUE(d.Pending(kDragRTF)) << "offered without data";
    EXPECT_EQ(d.GetData(kDragRTF), L"");
    EXPECT_FALSE(d.Pending(kDragText));
    EXPECT_EQ(d.GetData(kDragText), L"first");
    EXPECT_TRUE(d.SetData(kDragText, L"second"));  // replaces, keeps the place
    EXPECT_EQ(d.GetData(kDragText), L"second");
    EXPECT_EQ(d.Formats().front(), kDragText);
    EXPECT_EQ(d.Files(), (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt"}));
    EXPECT_EQ(d.GetData(kDragFiles), L"C:\\a.txt\r\nC:\\b.txt");
    EXPECT_TRUE(d.SetData(kDragRTF, L"{\\rtf1}"));
    EXPECT_FALSE(d.Pending(kDragRTF));
    EXPECT_TRUE(d.Clear());
    EXPECT_TRUE(d.Formats().empty());
    EXPECT_TRUE(d.Files().empty());
    EXPECT_FALSE(d.GetFormat(kDragText));
}

TEST(DragData, FormatsTheHostDoesNotCarryAreRefused)
{
    DragData d;
    const struct {
        const char* label;
        int format;
    } cases[] = {{"bitmap", kDragBitmap}, {"metafile", kDragMetafile}, {"DIB", kDragDIB},
                 {"palette", kDragPalette}, {"enhanced metafile", kDragEMetafile}, {"unknown", 12345}};
    for (const auto& c : cases) {
        EXPECT_FALSE(d.SetData(c.format, L"x")) << c.label;
        EXPECT_FALSE(d.SetFormat(c.format)) << c.label;
    }
    EXPECT_FALSE(d.SetData(kDragFiles, L"C:\\a.txt")) << "files go in one by one";
    EXPECT_FALSE(d.AddFile(L""));
    EXPECT_TRUE(d.Formats().empty());
}

namespace {

// A drop's data as another program offers it.
class Offered : public DragData::Source {
public:
    std::map<int, std::wstring> texts;
    std::vector<std::wstring> files;
    std::vector<int> onlyAnnounced;
    bool HasFormat(int f) const override
    {
        return texts.count(f) || (f == kDragFiles && !files.empty()) ||
               std::find(onlyAnnounced.begin(), onlyAnnounced.end(), f) != onlyAnnounced.end();
    }
    bool Text(int f, std::wstring* out) const override
    {
        auto it = texts.find(f);
        if (it == texts.end())
            return false;
        *out = it->second;
        return true;
    }
    bool FileNames(std::vector<std::wstring>* out) const override
    {
        if (files.empty())
            return false;
        *out = files;
        return true;
    }
};

} // namespace

TEST(DragData, ADropsDataIsReadOnlyAndReadThroughItsSource)
{
    Offered o;
    o.texts[kDragText] = L"from elsewhere";
    o.files = {L"D:\\x", L"D:\\y"};
    o.onlyAnnounced = {kDragBitmap};
    DragData d(&o);
    EXPECT_TRUE(d.ReadOnly());
    EXPECT_TRUE(d.GetFormat(kDragText));
    EXPECT_TRUE(d.GetFormat(kDragBitmap)) << "asked about";
    EXPECT_EQ(d.GetData(kDragBitmap), L"") << "no data of it here";
    EXPECT_FALSE(d.GetFormat(kDragRTF));
    EXPECT_EQ(d.GetData(kDragText), L"from elsewhere");
    EXPECT_EQ(d.Files(), (std::vector<std::wstring>{L"D:\\x", L"D:\\y"}));
    EXPECT_EQ(d.GetData(kDragFiles), L"D:\\x\r\nD:\\y");
    EXPECT_FALSE(d.SetData(kDragText, L"mine"));
    EXPECT_FALSE(d.SetFormat(kDragText));
    EXPECT_FALSE(d.AddFile(L"E:\\z"));
    EXPECT_FALSE(d.Clear());
    EXPECT_EQ(d.GetData(kDragText), L"from elsewhere");
}

TEST(DragData, ADropDoesOneEffectTheSourceAllows)
{
    const long copy = kDropEffectCopy, move = kDropEffectMove, link = kDropEffectLink, scroll = kDropEffectScroll;
    const struct {
        const char* label;
        long effect, allowed, want;
    } cases[] = {
        {"nothing chosen among copy and move: copy", copy | move, copy | move, copy},
        {"move chosen", move, copy | move, move},
        {"link chosen", link, copy | move | link, link},
        {"move and link left: move", move | link, move | link, move},
        {"a choice the source refuses", move, copy, kDropEffectNone},
        {"refused", kDropEffectNone, copy | move, kDropEffectNone},
        {"scrolling stays", copy | scroll, copy | move, copy | scroll},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseDropEffect(c.effect, c.allowed), c.want) << c.label;
}
