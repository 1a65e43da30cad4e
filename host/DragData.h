// What a drag carries, as the drag-and-drop notifications hand it to a
// control: formats numbered as those notifications number them, each with
// its data. The host carries text, rich text and file lists; other formats
// of a drop from another program can be asked about (GetFormat) but give
// no data here. No Windows header.
#pragma once
#include <string>
#include <vector>

namespace host {

// Formats.
constexpr int kDragText = 1;         // plain text
constexpr int kDragBitmap = 2;       // asked about only
constexpr int kDragMetafile = 3;     // asked about only
constexpr int kDragDIB = 8;          // asked about only
constexpr int kDragPalette = 9;      // asked about only
constexpr int kDragEMetafile = 14;   // asked about only
constexpr int kDragFiles = 15;       // a list of file names
constexpr int kDragRTF = -16639;     // rich text, as its text

// Effects, a bit set: what the source allows and what the target does.
constexpr long kDropEffectNone = 0;
constexpr long kDropEffectCopy = 1;
constexpr long kDropEffectMove = 2;
constexpr long kDropEffectLink = 4;
constexpr long kDropEffectScroll = static_cast<long>(0x80000000u);

// The State argument of OLEDragOver.
constexpr int kDragEnter = 0;
constexpr int kDragLeave = 1;
constexpr int kDragOver = 2;

// The effect a drop does when the target left it several to choose from:
// a copy when the source allows it (a copy never loses the source's data),
// else a move, else a link. Scrolling stays as it was.
long ChooseDropEffect(long effect, long allowed);

class DragData {
public:
    // The data of a drop, as the other side offers it (the window layer
    // reads the system's data object through this).
    class Source {
    public:
        virtual ~Source() = default;
        virtual bool HasFormat(int format) const = 0;
        // The text of a text format; false when it is absent.
        virtual bool Text(int format, std::wstring* out) const = 0;
        virtual bool FileNames(std::vector<std::wstring>* out) const = 0;
    };

    // Empty data for a drag this program starts.
    DragData() = default;
    // A drop's data, read only, valid while the notification runs.
    explicit DragData(const Source* offered) : offered_(offered) {}

    // ---- reading ------------------------------------------------------
    bool GetFormat(int format) const;
    // The format's text; file names one per line for kDragFiles; "" when
    // the format is absent or gives no text.
    std::wstring GetData(int format) const;
    std::vector<std::wstring> Files() const;

    // ---- filling (a drag this program starts) ---------------------------
    // Each returns false for a drop's data, and SetData also for a format
    // the host does not carry.
    bool SetData(int format, const std::wstring& value);
    // Offers a format whose data is set later, when a target asks for it
    // (the control hears OLESetData then).
    bool SetFormat(int format);
    bool AddFile(const std::wstring& path);
    // Forgets every format (and the files).
    bool Clear();

    bool ReadOnly() const { return offered_ != nullptr; }
    // Formats offered, in the order they were first offered.
    std::vector<int> Formats() const;
    // Offered, with no data set yet.
    bool Pending(int format) const;

    static bool Carried(int format) { return format == kDragText || format == kDragRTF || format == kDragFiles; }

private:
    struct Entry {
        int format = 0;
        bool hasValue = false;
        std::wstring value;
    };
    Entry* Find(int format);
    const Entry* Find(int format) const;

    std::vector<Entry> entries_;
    std::vector<std::wstring> files_;
    const Source* offered_ = nullptr;
};

} // namespace host
