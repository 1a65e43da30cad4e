// Parser and writer of the stored form text. No Windows header.
#include "FormData.h"

#include <cmath>
#include <cstdio>

namespace host {

namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == 0xFEFF; }
bool IsNameChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
           c > 0x7F;
}

std::string Points(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

// Reads one line's worth of tokens; every error names the form and line,
// and the control and key the line belongs to.
class Cursor {
public:
    Cursor(const std::wstring& line, int number, const std::wstring& form)
        : s_(line), line_(number), form_(form) {}

    // The control (null: the form itself) and key the line is about.
    void about(const std::wstring* control, const std::wstring* key)
    {
        control_ = control;
        key_ = key;
    }
    [[noreturn]] void fail(const std::string& what) const
    {
        std::string where = form_.empty() ? std::string("stored form") : "form " + ToUtf8(form_);
        where += ", line " + std::to_string(line_) + ": ";
        if (control_ && !control_->empty())
            where += "control " + ToUtf8(*control_) + (key_ ? ", " : ": ");
        if (key_)
            where += "key \"" + ToUtf8(*key_) + "\": ";
        throw StoredDataError(where + what);
    }
    void skipSpace()
    {
        while (i_ < s_.size() && IsSpace(s_[i_]))
            ++i_;
    }
    bool atEnd()
    {
        skipSpace();
        return i_ >= s_.size() || s_[i_] == L'\'';
    }
    bool eat(wchar_t c)
    {
        skipSpace();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void expect(wchar_t c, const char* what)
    {
        if (!eat(c))
            fail(std::string("expected ") + what);
    }
    std::wstring name()
    {
        skipSpace();
        std::size_t start = i_;
        while (i_ < s_.size() && IsNameChar(s_[i_]))
            ++i_;
        return s_.substr(start, i_ - start);
    }
    bool peekDigitOrSign()
    {
        skipSpace();
        return i_ < s_.size() && ((s_[i_] >= L'0' && s_[i_] <= L'9') || s_[i_] == L'-' || s_[i_] == L'.');
    }
    std::wstring quoted()
    {
        expect(L'"', "a quoted text");
        std::wstring out;
        for (;;) {
            if (i_ >= s_.size())
                fail("text without its closing quote");
            wchar_t c = s_[i_++];
            if (c == L'"') {
                if (i_ < s_.size() && s_[i_] == L'"') {
                    out += L'"';
                    ++i_;
                    continue;
                }
                return out;
            }
            out += c;
        }
    }
    std::int64_t integer()
    {
        skipSpace();
        if (i_ + 1 < s_.size() && s_[i_] == L'&' && (s_[i_ + 1] == L'H' || s_[i_ + 1] == L'h')) {
            i_ += 2;
            std::int64_t v = 0;
            int digits = 0;
            while (i_ < s_.size()) {
                wchar_t c = s_[i_];
                int d = (c >= L'0' && c <= L'9') ? c - L'0'
                        : (c >= L'a' && c <= L'f') ? c - L'a' + 10
                        : (c >= L'A' && c <= L'F') ? c - L'A' + 10
                                                   : -1;
                if (d < 0)
                    break;
                v = v * 16 + d;
                ++i_;
                if (++digits > 8)
                    fail("hex number longer than 8 digits");
            }
            if (digits == 0)
                fail("expected hex digits after &H");
            eat(L'&');
            return v;
        }
        bool neg = eat(L'-');
        std::int64_t v = 0;
        int digits = 0;
        while (i_ < s_.size() && s_[i_] >= L'0' && s_[i_] <= L'9') {
            v = v * 10 + (s_[i_++] - L'0');
            if (++digits > 12)
                fail("number too long");
        }
        if (digits == 0)
            fail("expected a number");
        return neg ? -v : v;
    }
    double decimal()
    {
        skipSpace();
        std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == L'-')
            ++i_;
        while (i_ < s_.size() && ((s_[i_] >= L'0' && s_[i_] <= L'9') || s_[i_] == L'.'))
            ++i_;
        std::string text = ToUtf8(s_.substr(start, i_ - start));
        char* end = nullptr;
        double v = std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size())
            fail("expected a number");
        return v;
    }
    bool boolean()
    {
        std::wstring w = name();
        if (KeyEquals(w, L"True"))
            return true;
        if (KeyEquals(w, L"False"))
            return false;
        fail("expected True or False");
    }

    // value := number | "text" | True | False | Font(...) | Picture("name")
    PropValue value(bool& isPicture)
    {
        isPicture = false;
        skipSpace();
        if (i_ >= s_.size())
            fail("expected a value after =");
        wchar_t c = s_[i_];
        if (c == L'"')
            return quoted();
        if (c == L'&' || peekDigitOrSign())
            return integer();
        std::wstring word = name();
        if (KeyEquals(word, L"True"))
            return true;
        if (KeyEquals(word, L"False"))
            return false;
        if (KeyEquals(word, L"Font")) {
            expect(L'(', "( after Font");
            Font f;
            f.name = quoted();
            expect(L',', ", before the font size");
            f.size = std::round(decimal() * 10000.0) / 10000.0;
            expect(L',', ", before the font weight");
            std::int64_t weight = integer();
            f.bold = weight >= 600;
            expect(L',', ", before the character set");
            const std::int64_t charset = integer();
            if (!(f.size > 0 && f.size <= kMaxFontPoints))
                fail("a font of " + Points(f.size) + " points; a size above 0 and up to " +
                     Points(kMaxFontPoints) + " points is expected");
            if (weight < 0 || weight > 1000)
                fail("a font weight of " + std::to_string(weight) + "; 0 to 1000 is expected");
            if (charset < 0 || charset > 255)
                fail("a character set of " + std::to_string(charset) + "; 0 to 255 is expected");
            f.charset = static_cast<int>(charset);
            if (eat(L',')) {
                f.italic = boolean();
                if (eat(L',')) {
                    f.underline = boolean();
                    if (eat(L','))
                        f.strikethrough = boolean();
                }
            }
            expect(L')', ") closing Font");
            return f;
        }
        if (KeyEquals(word, L"Picture")) {
            expect(L'(', "( after Picture");
            std::wstring res = quoted();
            expect(L')', ") closing Picture");
            isPicture = true;
            return res;
        }
        fail("unknown value \"" + ToUtf8(word.empty() ? std::wstring(1, c) : word) + "\"");
    }

    std::size_t pos() const { return i_; }

private:
    const std::wstring& s_;
    std::size_t i_ = 0;
    int line_;
    const std::wstring& form_;
    const std::wstring* control_ = nullptr;
    const std::wstring* key_ = nullptr;
};

// A position or size in twips that a window can take: positions and sizes
// within the 16-bit pixel range window messages carry, sizes not negative.
void CheckPlacement(const std::wstring& form, const std::wstring* control, const wchar_t* key, std::int64_t v)
{
    const bool size = KeyEquals(key, L"Width") || KeyEquals(key, L"Height") || KeyEquals(key, L"ClientWidth") ||
                      KeyEquals(key, L"ClientHeight");
    const std::int64_t lo = size ? 0 : kMinPositionTwips;
    if (v >= lo && v <= kMaxPlacementTwips)
        return;
    const std::string who = "form " + ToUtf8(form) + (control ? ", control " + ToUtf8(*control) : std::string());
    throw StoredDataError(who + ": key \"" + ToUtf8(key) + "\" holds " + std::to_string(v) + ", outside " +
                          std::to_string(lo) + " to " + std::to_string(kMaxPlacementTwips) + " twips (" +
                          std::to_string(lo / 15) + " to " + std::to_string(kMaxPlacementTwips / 15) + " pixels)");
}

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstring cur;
    for (wchar_t c : text) {
        if (c == L'\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    lines.push_back(cur);
    return lines;
}

void ParseIndex(ControlData& c, Cursor& cur)
{
    c.index = -1;
    auto open = c.name.find(L'(');
    if (open == std::wstring::npos)
        return;
    if (c.name.back() != L')' || open + 2 > c.name.size() - 1)
        cur.fail("bad control array name \"" + ToUtf8(c.name) + "\"");
    std::wstring digits = c.name.substr(open + 1, c.name.size() - open - 2);
    int v = 0;
    for (wchar_t d : digits) {
        if (d < L'0' || d > L'9' || v > 100000)
            cur.fail("bad control array index in \"" + ToUtf8(c.name) + "\"");
        v = v * 10 + (d - L'0');
    }
    c.index = v;
}

// Moves Left/Top/Width/Height out of the bag into the fields.
void TakePlacement(ControlData& c, const std::wstring& form)
{
    struct { const wchar_t* key; int* field; } keys[] = {
        {L"Left", &c.left}, {L"Top", &c.top}, {L"Width", &c.width}, {L"Height", &c.height}};
    for (auto& k : keys) {
        const PropValue* v = c.props.find(k.key);
        if (!v)
            continue;
        auto i = std::get_if<std::int64_t>(v);
        if (!i)
            throw StoredDataError("form " + ToUtf8(form) + ", control " + ToUtf8(c.name) + ": key \"" +
                                  ToUtf8(k.key) + "\" holds " + TypeName(*v) + ", expected a number");
        CheckPlacement(form, &c.name, k.key, *i);
        *k.field = static_cast<int>(*i);
        c.props.remove(k.key);
    }
}

} // namespace

std::wstring ControlData::baseName() const
{
    auto open = name.find(L'(');
    return open == std::wstring::npos ? name : name.substr(0, open);
}

FormData ParseFormData(const std::wstring& text)
{
    FormData form;
    std::vector<ControlData*> open;  // Begin blocks not yet closed
    bool inForm = false, done = false;
    int number = 0;
    int controls = 0;
    for (const std::wstring& line : SplitLines(text)) {
        ++number;
        Cursor cur(line, number, form.name);
        if (cur.atEnd())
            continue;
        if (done)
            cur.fail("text after the form's End");
        std::wstring word = cur.name();
        if (!inForm) {
            if (!KeyEquals(word, L"Form"))
                cur.fail("expected \"Form <name>\" first");
            form.name = cur.name();
            if (form.name.empty())
                cur.fail("expected the form's name");
            if (cur.eat(L':') && !KeyEquals(cur.name(), L"Form"))
                cur.fail("expected \": Form\"");
            if (!cur.atEnd())
                cur.fail("unexpected text after the form's name");
            form.props.setOwner(form.name);
            inForm = true;
            continue;
        }
        if (KeyEquals(word, L"Begin")) {
            ControlData c;
            c.name = cur.name();
            cur.about(&c.name, nullptr);
            if (cur.eat(L'(')) {
                std::int64_t idx = cur.integer();
                cur.expect(L')', ") after the array index");
                c.name += L"(" + std::to_wstring(idx) + L")";
            }
            if (c.name.empty())
                cur.fail("expected a control name after Begin");
            cur.expect(L':', ": between control name and kind");
            c.kind = cur.name();
            if (c.kind.empty())
                cur.fail("expected the control's kind after :");
            if (!cur.atEnd())
                cur.fail("unexpected text after the control's kind");
            ParseIndex(c, cur);
            if (open.size() >= static_cast<std::size_t>(kMaxNesting))
                cur.fail("controls nested more than " + std::to_string(kMaxNesting) + " deep");
            if (++controls > kMaxControls)
                cur.fail("more than " + std::to_string(kMaxControls) + " controls in one form");
            auto& siblings = open.empty() ? form.controls : open.back()->children;
            for (auto& s : siblings)
                if (KeyEquals(s.name, c.name))
                    cur.fail("control " + ToUtf8(c.name) + " is defined twice");
            c.props.setOwner(form.name + L"." + c.name);
            siblings.push_back(std::move(c));
            open.push_back(&siblings.back());
            continue;
        }
        if (KeyEquals(word, L"End")) {
            if (!cur.atEnd())
                cur.fail("unexpected text after End");
            if (open.empty()) {
                done = true;
            } else {
                TakePlacement(*open.back(), form.name);
                open.pop_back();
            }
            continue;
        }
        if (word.empty())
            cur.fail("expected a key, Begin or End");
        cur.about(open.empty() ? nullptr : &open.back()->name, &word);
        cur.expect(L'=', "= after the key");
        bool isPicture = false;
        PropValue v = cur.value(isPicture);
        if (!cur.atEnd())
            cur.fail("unexpected text after the value of " + ToUtf8(word));
        PropertyBag& bag = open.empty() ? form.props : open.back()->props;
        if (bag.find(word))
            cur.fail("key " + ToUtf8(word) + " is given twice");
        bag.set(word, v);
        if (isPicture)
            (open.empty() ? form.pictureRefs : open.back()->pictureRefs).push_back(word);
    }
    if (!inForm)
        throw StoredDataError("stored form: no \"Form <name>\" line");
    if (!done) {
        std::string which = open.empty() ? "the form" : "control " + ToUtf8(open.back()->name);
        throw StoredDataError("form " + ToUtf8(form.name) + ": missing End of " + which);
    }
    for (const wchar_t* key : {L"ClientLeft", L"ClientTop", L"ClientWidth", L"ClientHeight"})
        if (const PropValue* v = form.props.find(key))
            if (auto i = std::get_if<std::int64_t>(v))
                CheckPlacement(form.name, nullptr, key, *i);
    form.props.forgetReads();
    return form;
}

std::wstring FormatValue(const PropValue& v)
{
    if (auto i = std::get_if<std::int64_t>(&v)) {
        if (*i > INT32_MAX && *i <= static_cast<std::int64_t>(UINT32_MAX)) {
            wchar_t buf[16];
            std::swprintf(buf, 16, L"&H%08X&", static_cast<unsigned>(*i));
            return buf;
        }
        return std::to_wstring(*i);
    }
    if (auto b = std::get_if<bool>(&v))
        return *b ? L"True" : L"False";
    if (auto s = std::get_if<std::wstring>(&v)) {
        std::wstring out = L"\"";
        for (wchar_t c : *s) {
            if (c == L'\n' || c == L'\r')
                throw StoredDataError("a text with a line break cannot be stored on one line");
            out += c;
            if (c == L'"')
                out += L'"';
        }
        return out + L"\"";
    }
    if (auto f = std::get_if<Font>(&v)) {
        wchar_t size[32];
        std::swprintf(size, 32, L"%.4f", f->size);
        std::wstring sz = size;
        while (!sz.empty() && sz.back() == L'0')
            sz.pop_back();
        if (!sz.empty() && sz.back() == L'.')
            sz.pop_back();
        std::wstring out = L"Font(" + FormatValue(f->name) + L", " + sz + L", " + std::to_wstring(f->weight()) +
                           L", " + std::to_wstring(f->charset);
        if (f->italic || f->underline || f->strikethrough)
            out += std::wstring(L", ") + (f->italic ? L"True" : L"False") + L", " +
                   (f->underline ? L"True" : L"False") + L", " + (f->strikethrough ? L"True" : L"False");
        return out + L")";
    }
    if (auto p = std::get_if<PictureRef>(&v)) {
        if (!*p)
            return L"Picture(\"\")";
        return L"Picture(" + FormatValue((*p)->source) + L")";
    }
    return L"";
}

namespace {

bool Listed(const std::vector<std::wstring>& keys, const std::wstring& k)
{
    for (auto& x : keys)
        if (KeyEquals(x, k))
            return true;
    return false;
}

void FormatProps(std::wstring& out, const std::wstring& who, const PropertyBag& bag,
                 const std::vector<std::wstring>& pictureRefs, const std::wstring& indent)
{
    for (auto& key : bag.keys()) {
        const PropValue& v = *bag.find(key);
        if (std::holds_alternative<std::monostate>(v))
            continue;
        std::wstring text;
        if (auto p = std::get_if<PictureRef>(&v)) {
            if (!*p)
                continue;  // no picture: nothing to store
            if ((*p)->source.empty())
                throw StoredDataError(ToUtf8(who) + ": key \"" + ToUtf8(key) +
                                      "\" holds a picture that came from no resource and cannot be stored");
            text = FormatValue(v);
        } else if (Listed(pictureRefs, key) && std::holds_alternative<std::wstring>(v)) {
            text = L"Picture(" + FormatValue(v) + L")";
        } else {
            text = FormatValue(v);
        }
        out += indent + key + L" = " + text + L"\n";
    }
    bag.forgetReads();
}

void FormatControl(std::wstring& out, const std::wstring& form, const ControlData& c, const std::wstring& indent)
{
    out += indent + L"Begin " + c.name + L" : " + c.kind + L"\n";
    std::wstring in = indent + L"  ";
    out += in + L"Left = " + std::to_wstring(c.left) + L"\n";
    out += in + L"Top = " + std::to_wstring(c.top) + L"\n";
    out += in + L"Width = " + std::to_wstring(c.width) + L"\n";
    out += in + L"Height = " + std::to_wstring(c.height) + L"\n";
    FormatProps(out, form + L"." + c.name, c.props, c.pictureRefs, in);
    for (auto& child : c.children)
        FormatControl(out, form, child, in);
    out += indent + L"End\n";
}

} // namespace

std::wstring FormatFormData(const FormData& form)
{
    std::wstring out = L"Form " + form.name + L" : Form\n";
    FormatProps(out, form.name, form.props, form.pictureRefs, L"  ");
    for (auto& c : form.controls)
        FormatControl(out, form.name, c, L"  ");
    out += L"End\n";
    return out;
}

} // namespace host
