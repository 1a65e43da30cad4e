// The property bag's typed reads under any sequence of stores, writes with
// defaults, removals and reads, against a plain list of what was stored:
// a missing key gives the default, a number or boolean converts as stored
// data does (True is -1; a 32-bit read takes the bits of values up to
// 0xFFFFFFFF and refuses the rest), any other mismatch is a StoredDataError
// naming the bag's owner and the key, keys compare without regard to case,
// and the keys nobody read are exactly the unread ones. Texts survive the
// trip through UTF-8.
#include "FuzzInput.h"

#include "host/Values.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using host::PropValue;

[[noreturn]] void Broken(const std::string& what)
{
    std::fprintf(stderr, "property bag: %s\n", what.c_str());
    std::abort();
}

std::wstring Lower(const std::wstring& s)
{
    std::wstring out = s;
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

struct Stored {
    std::wstring key;  // as first written
    PropValue value;
    bool read = false;
};

struct Model {
    std::vector<Stored> items;
    Stored* Find(const std::wstring& key)
    {
        for (Stored& s : items)
            if (Lower(s.key) == Lower(key))
                return &s;
        return nullptr;
    }
    void Set(const std::wstring& key, const PropValue& v)
    {
        if (Stored* s = Find(key))
            s->value = v;
        else
            items.push_back(Stored{key, v, false});
    }
    void Remove(const std::wstring& key)
    {
        for (auto i = items.begin(); i != items.end(); ++i)
            if (Lower(i->key) == Lower(key)) {
                items.erase(i);
                return;
            }
    }
};

std::wstring Key(fuzz::Input& in)
{
    static const wchar_t* const bases[] = {L"Value", L"Font", L"Caption", L"BackColor", L"IsReal", L"键"};
    std::wstring k = bases[in.Pick(6)];
    for (wchar_t& c : k)
        if (in.Flag() && c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return k;
}

PropValue Value(fuzz::Input& in)
{
    switch (in.Pick(6)) {
    case 0: return std::int64_t{in.Int()};
    case 1: return static_cast<std::int64_t>((static_cast<std::uint64_t>(in.U32()) << 32) | in.U32());
    case 2: return in.Flag();
    case 3: return host::FromUtf8(in.Text(12));
    case 4: {
        host::Font f;
        f.name = host::FromUtf8(in.Text(8));
        f.size = in.Int() / 4.0;
        f.bold = in.Flag();
        f.charset = in.Int();
        return f;
    }
    default: return host::PictureRef{};
    }
}

bool AsNumber(const PropValue& v, std::int64_t& out)
{
    if (auto i = std::get_if<std::int64_t>(&v)) {
        out = *i;
        return true;
    }
    if (auto b = std::get_if<bool>(&v)) {
        out = *b ? -1 : 0;
        return true;
    }
    return false;
}

// Runs one typed read of the bag and of the model and compares them.
void Read(fuzz::Input& in, const host::PropertyBag& bag, Model& model, const std::wstring& owner)
{
    const std::wstring key = Key(in);
    Stored* s = model.Find(key);
    if (s)
        s->read = true;
    const unsigned kind = in.Pick(7);
    const std::string where = host::ToUtf8(key) + " (read " + std::to_string(kind) + ")";
    std::int64_t number = 0;
    const bool isNumber = s && AsNumber(s->value, number);
    bool refuse = false;
    try {
        switch (kind) {
        case 0: {
            refuse = s && !isNumber;
            const std::int64_t got = bag.readInt(key, 77);
            if (!refuse && got != (s ? number : 77))
                Broken("readInt of " + where + " gave " + std::to_string(got));
            break;
        }
        case 1:
        case 2: {
            refuse = s && (!isNumber || number < INT32_MIN || number > static_cast<std::int64_t>(UINT32_MAX));
            const std::int64_t got = kind == 1 ? bag.readLong(key, -77)
                                               : static_cast<std::int32_t>(bag.readColour(key, 0x80000005u));
            const std::int64_t want = s ? static_cast<std::int32_t>(static_cast<std::uint32_t>(number))
                                        : (kind == 1 ? -77 : static_cast<std::int32_t>(0x80000005u));
            if (!refuse && got != want)
                Broken("readLong/readColour of " + where + " gave " + std::to_string(got));
            break;
        }
        case 3: {
            refuse = s && !isNumber;
            const bool got = bag.readBool(key, true);
            if (!refuse && got != (s ? number != 0 : true))
                Broken("readBool of " + where);
            break;
        }
        case 4: {
            const auto* t = s ? std::get_if<std::wstring>(&s->value) : nullptr;
            refuse = s && !t;
            const std::wstring got = bag.readText(key, L"default");
            if (!refuse && got != (s ? *t : L"default"))
                Broken("readText of " + where);
            break;
        }
        case 5: {
            const auto* f = s ? std::get_if<host::Font>(&s->value) : nullptr;
            refuse = s && !f;
            const host::Font got = bag.readFont(key, host::Font{});
            if (!refuse && got != (s ? *f : host::Font{}))
                Broken("readFont of " + where);
            break;
        }
        default: {
            refuse = s && !std::holds_alternative<host::PictureRef>(s->value);
            const host::PictureRef got = bag.readPicture(key);
            if (!refuse && got)
                Broken("readPicture of " + where + " gave a picture none stored");
            break;
        }
        }
    } catch (const host::StoredDataError& e) {
        if (!refuse)
            Broken("read of " + where + " refused: " + e.what());
        const std::string why = e.what();
        if (why.find(host::ToUtf8(owner)) == std::string::npos || why.find(host::ToUtf8(key)) == std::string::npos)
            Broken("the refusal names neither owner nor key: " + why);
        return;
    }
    if (refuse)
        Broken("read of " + where + " of another type was not refused");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::wstring owner = L"frmFuzz.Control1";
    host::PropertyBag bag(owner);
    Model model;
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        switch (in.Pick(6)) {
        case 0: {
            const std::wstring key = Key(in);
            const PropValue v = Value(in);
            bag.set(key, v);
            model.Set(key, v);
            break;
        }
        case 1: {
            // A write whose value equals the default removes the key.
            const std::wstring key = Key(in);
            const PropValue v = Value(in);
            const PropValue def = in.Flag() ? v : Value(in);
            bag.write(key, v, def);
            std::int64_t a = 0, b = 0;
            const bool same = (AsNumber(v, a) && AsNumber(def, b)) ? a == b : v == def;
            if (same)
                model.Remove(key);
            else
                model.Set(key, v);
            break;
        }
        case 2: {
            const std::wstring key = Key(in);
            bag.remove(key);
            model.Remove(key);
            break;
        }
        case 3:
            bag.forgetReads();
            for (Stored& s : model.items)
                s.read = false;
            break;
        default: Read(in, bag, model, owner); break;
        }
        if (bag.size() != model.items.size())
            Broken("the bag holds " + std::to_string(bag.size()) + " keys, " + std::to_string(model.items.size()) +
                   " were stored");
        const std::vector<std::wstring> keys = bag.keys();
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (Lower(keys[i]) != Lower(model.items[i].key))
                Broken("keys out of the order they were first written");
    }
    // has() counts as a read, so the unread keys are compared first.
    std::vector<std::wstring> unread;
    for (const Stored& s : model.items)
        if (!s.read)
            unread.push_back(s.key);
    const std::vector<std::wstring> got = bag.unreadKeys();
    if (got.size() != unread.size())
        Broken("unread keys: " + std::to_string(got.size()) + " instead of " + std::to_string(unread.size()));
    for (std::size_t i = 0; i < got.size(); ++i)
        if (Lower(got[i]) != Lower(unread[i]))
            Broken("an unread key is not the one expected");
    for (const Stored& s : model.items)
        if (!bag.has(Lower(s.key)))
            Broken("a stored key is not found in lower case");

    // Decoded text is stable through UTF-8.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring decoded = host::FromUtf8(bytes);
    if (host::FromUtf8(host::ToUtf8(decoded)) != decoded)
        Broken("a decoded text changes when written as UTF-8 and decoded again");
    return 0;
}
