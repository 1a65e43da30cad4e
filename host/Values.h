// Value types the host hands to forms and controls: colours, fonts,
// pictures and the property bag. No Windows header: these build natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace host {

// 0x00BBGGRR; with the high bit set (0x80000000 + index) a system colour
// that must be translated before any arithmetic.
using Colour = std::uint32_t;
constexpr bool IsSystemColour(Colour c) { return (c & 0x80000000u) != 0; }

// Booleans stored or passed as numbers: true is -1.
constexpr std::int32_t kTrue = -1;
constexpr std::int32_t kFalse = 0;

// A control's font as the host gives it.
struct Font {
    std::wstring name = L"宋体";
    double size = 9.0;          // points, four decimal places
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 134;
    int weight() const { return bold ? 700 : 400; }
    bool operator==(const Font& o) const
    {
        return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
               underline == o.underline && strikethrough == o.strikethrough && charset == o.charset;
    }
    bool operator!=(const Font& o) const { return !(*this == o); }
};

// Twips and pixels: 15 twips per pixel (20 twips per point).
constexpr int kTwipsPerPixel = 15;

// How a font's point size becomes its pixel height, negative so that it
// asks for the character height without internal leading. Forms, Tessara's
// controls and the launcher's button each keep the rounding they were
// drawn with:
enum class FontRounding {
    // size * dots per inch / 72, halves up: forms and standard controls.
    NearestPixel,
    // the size rounded to whole points first, then size * dots per inch /
    // 72, both halves to even: Tessara's controls (10.5 points at 96 dots
    // per inch gives 13, not 14).
    WholePoints,
    // size * 20 / 15 (the host's twips: 96 dots per inch whatever the
    // screen's), halves away from zero: the launcher's button.
    TwipPixels,
};
// The dots per inch are not used by TwipPixels.
std::int32_t FontPixelHeight(double points, int dotsPerInch, FontRounding rounding);

// A platform picture (bitmap, icon or cursor). The handle is owned by the
// Picture and released by the releaser the platform layer installs.
struct Picture {
    enum class Type { None, Bitmap, Icon, Cursor };
    Type type = Type::None;
    std::uintptr_t handle = 0;  // HBITMAP / HICON / HCURSOR
    int width = 0;              // pixels
    int height = 0;
    std::wstring source;        // resource name it was loaded from, if any
    void (*release)(const Picture&) = nullptr;
    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture()
    {
        if (release && handle)
            release(*this);
    }
};
using PictureRef = std::shared_ptr<const Picture>;  // null = no picture

// Values a property bag holds. Colours and other numbers are Int.
using PropValue = std::variant<std::monostate, std::int64_t, bool, std::wstring, Font, PictureRef>;

// Bad stored data (wrong type, unknown key or control): the message names
// the form, the control and the key.
class StoredDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Case-insensitive (ASCII) ordering for keys.
struct KeyLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};
bool KeyEquals(const std::wstring& a, const std::wstring& b);

// The keyed store a control keeps its design-time properties in. Keys
// compare without regard to case; write order is kept for saving.
class PropertyBag {
public:
    PropertyBag() = default;
    // owner names "form.control" for error messages.
    explicit PropertyBag(std::wstring owner) : owner_(std::move(owner)) {}

    bool has(const std::wstring& key) const;
    // The stored value, or the default when the key is missing. A stored
    // value of another type throws StoredDataError naming owner and key.
    std::int64_t readInt(const std::wstring& key, std::int64_t def) const;
    std::int32_t readLong(const std::wstring& key, std::int32_t def) const;
    Colour readColour(const std::wstring& key, Colour def) const;
    bool readBool(const std::wstring& key, bool def) const;
    std::wstring readText(const std::wstring& key, const std::wstring& def) const;
    Font readFont(const std::wstring& key, const Font& def) const;
    PictureRef readPicture(const std::wstring& key, PictureRef def = nullptr) const;

    // Stores the value unless it equals the default (then the key is
    // removed, so a later read gives the default).
    void write(const std::wstring& key, const PropValue& value, const PropValue& def = std::monostate{});
    // Stores unconditionally.
    void set(const std::wstring& key, const PropValue& value);
    void remove(const std::wstring& key);

    // Keys in the order they were first written.
    std::vector<std::wstring> keys() const;
    const PropValue* find(const std::wstring& key) const;
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const std::wstring& owner() const { return owner_; }
    void setOwner(std::wstring owner) { owner_ = std::move(owner); }

    // Keys nobody has asked for (read, has or find) since the bag was filled
    // or forgetReads() was called: after a control has read its properties,
    // these are keys the control does not know.
    std::vector<std::wstring> unreadKeys() const;
    void forgetReads() const;

    // Same keys (without regard to case) holding equal values; order is free.
    bool operator==(const PropertyBag& o) const;
    bool operator!=(const PropertyBag& o) const { return !(*this == o); }

private:
    struct Item {
        std::wstring key;
        PropValue value;
        mutable bool read = false;
    };
    const Item* item(const std::wstring& key) const;
    [[noreturn]] void wrongType(const std::wstring& key, const char* wanted) const;
    std::wstring owner_;
    std::vector<Item> items_;
};

// Text for messages and stored data: UTF-8 from and to wide text.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

// Describes a value for messages ("integer", "text", ...).
const char* TypeName(const PropValue& v);

} // namespace host
