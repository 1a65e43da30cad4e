// Property bag and value helpers. No Windows header.
#include "Values.h"

#include "PixelMath.h"

#include <cmath>
#include <cwctype>

namespace host {

namespace {

wchar_t FoldAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c; }

// Booleans and numbers convert into each other as stored data does it:
// True is -1, any non-zero number is true.
bool AsInt(const PropValue& v, std::int64_t& out)
{
    if (auto i = std::get_if<std::int64_t>(&v)) { out = *i; return true; }
    if (auto b = std::get_if<bool>(&v)) { out = *b ? kTrue : kFalse; return true; }
    return false;
}

} // namespace

std::int32_t FontPixelHeight(double points, int dotsPerInch, FontRounding rounding)
{
    switch (rounding) {
    case FontRounding::NearestPixel:
        return -static_cast<std::int32_t>(points * dotsPerInch / 72.0 + 0.5);
    case FontRounding::TwipPixels:
        return -static_cast<std::int32_t>(std::lround(points * 20.0 / kTwipsPerPixel));
    case FontRounding::WholePoints:
        break;
    }
    long double p = points;
    if (!(p == p))  // NaN
        p = 0;
    if (p > 1.0e6L)
        p = 1.0e6L;
    if (p < -1.0e6L)
        p = -1.0e6L;
    const std::int32_t whole = static_cast<std::int32_t>(RoundHalfEven(p));
    return -MulDivRound(whole, dotsPerInch, 72);
}

bool KeyLess::operator()(const std::wstring& a, const std::wstring& b) const
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        wchar_t x = FoldAscii(a[i]), y = FoldAscii(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool KeyEquals(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

const char* TypeName(const PropValue& v)
{
    switch (v.index()) {
    case 0: return "nothing";
    case 1: return "number";
    case 2: return "boolean";
    case 3: return "text";
    case 4: return "font";
    default: return "picture";
    }
}

const PropertyBag::Item* PropertyBag::item(const std::wstring& key) const
{
    for (auto& it : items_)
        if (KeyEquals(it.key, key)) {
            it.read = true;
            return &it;
        }
    return nullptr;
}

void PropertyBag::wrongType(const std::wstring& key, const char* wanted) const
{
    const Item* it = item(key);
    std::string who = owner_.empty() ? std::string("property bag") : ToUtf8(owner_);
    throw StoredDataError(who + ": key \"" + ToUtf8(key) + "\" holds " + TypeName(it->value) +
                          ", expected " + wanted);
}

bool PropertyBag::has(const std::wstring& key) const { return item(key) != nullptr; }

const PropValue* PropertyBag::find(const std::wstring& key) const
{
    const Item* it = item(key);
    return it ? &it->value : nullptr;
}

std::int64_t PropertyBag::readInt(const std::wstring& key, std::int64_t def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    std::int64_t v;
    if (!AsInt(it->value, v))
        wrongType(key, "a number");
    return v;
}

std::int32_t PropertyBag::readLong(const std::wstring& key, std::int32_t def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    std::int64_t v;
    if (!AsInt(it->value, v))
        wrongType(key, "a 32-bit number");
    // &H80000012& style values are written unsigned; they are the same bits.
    if (v < INT32_MIN || v > static_cast<std::int64_t>(UINT32_MAX)) {
        std::string who = owner_.empty() ? std::string("property bag") : ToUtf8(owner_);
        throw StoredDataError(who + ": key \"" + ToUtf8(key) + "\" holds " + std::to_string(v) +
                              ", which does not fit 32 bits");
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

Colour PropertyBag::readColour(const std::wstring& key, Colour def) const
{
    return static_cast<Colour>(readLong(key, static_cast<std::int32_t>(def)));
}

bool PropertyBag::readBool(const std::wstring& key, bool def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    std::int64_t v;
    if (!AsInt(it->value, v))
        wrongType(key, "a boolean");
    return v != 0;
}

std::wstring PropertyBag::readText(const std::wstring& key, const std::wstring& def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    if (auto s = std::get_if<std::wstring>(&it->value))
        return *s;
    wrongType(key, "text");
}

Font PropertyBag::readFont(const std::wstring& key, const Font& def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    if (auto f = std::get_if<Font>(&it->value))
        return *f;
    wrongType(key, "a font");
}

PictureRef PropertyBag::readPicture(const std::wstring& key, PictureRef def) const
{
    const Item* it = item(key);
    if (!it)
        return def;
    if (auto p = std::get_if<PictureRef>(&it->value))
        return *p;
    wrongType(key, "a picture");
}

namespace {

bool SameValue(const PropValue& a, const PropValue& b)
{
    std::int64_t x, y;
    if (AsInt(a, x) && AsInt(b, y))
        return x == y;
    return a == b;
}

} // namespace

void PropertyBag::write(const std::wstring& key, const PropValue& value, const PropValue& def)
{
    if (!std::holds_alternative<std::monostate>(def) && SameValue(value, def)) {
        remove(key);
        return;
    }
    set(key, value);
}

void PropertyBag::set(const std::wstring& key, const PropValue& value)
{
    for (auto& it : items_)
        if (KeyEquals(it.key, key)) {
            it.value = value;
            return;
        }
    items_.push_back(Item{key, value, false});
}

void PropertyBag::remove(const std::wstring& key)
{
    for (auto i = items_.begin(); i != items_.end(); ++i)
        if (KeyEquals(i->key, key)) {
            items_.erase(i);
            return;
        }
}

std::vector<std::wstring> PropertyBag::keys() const
{
    std::vector<std::wstring> out;
    out.reserve(items_.size());
    for (auto& it : items_)
        out.push_back(it.key);
    return out;
}

std::vector<std::wstring> PropertyBag::unreadKeys() const
{
    std::vector<std::wstring> out;
    for (auto& it : items_)
        if (!it.read)
            out.push_back(it.key);
    return out;
}

void PropertyBag::forgetReads() const
{
    for (auto& it : items_)
        it.read = false;
}

bool PropertyBag::operator==(const PropertyBag& o) const
{
    if (items_.size() != o.items_.size())
        return false;
    for (auto& it : items_) {
        const Item* other = nullptr;
        for (auto& j : o.items_)
            if (KeyEquals(j.key, it.key))
                other = &j;
        if (!other || !SameValue(it.value, other->value))
            return false;
    }
    return true;
}

std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t c = static_cast<std::uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
            std::uint32_t lo = static_cast<std::uint32_t>(text[i + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (lo - 0xDC00);
                ++i;
            }
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        std::uint32_t c;
        int extra;
        if (b < 0x80) { c = b; extra = 0; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out += wchar_t(0xFFFD); ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) { ok = false; break; }
            unsigned char n = static_cast<unsigned char>(text[i + k]);
            if ((n & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (n & 0x3F);
        }
        if (!ok) {
            out += wchar_t(0xFFFD);
            ++i;
            continue;
        }
        i += extra + 1;
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            c -= 0x10000;
            out += wchar_t(0xD800 + (c >> 10));
            out += wchar_t(0xDC00 + (c & 0x3FF));
        } else {
            out += wchar_t(c);
        }
    }
    return out;
}

} // namespace host
