// The stored form text, the host's most exposed input: any bytes (as the
// UTF-8 of a form resource or file) either parse or are refused with a
// StoredDataError that names the form or the stored form and says where.
// What parses keeps to the limits of stored data, and is written back and
// parses again to the same text.
#include "host/FormData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "form data: %s: %s\n", what, detail.c_str());
    std::abort();
}

// What was read keeps to the limits stored data may ask for.
void CheckLimits(const std::vector<host::ControlData>& controls, int depth, int& count)
{
    if (depth > host::kMaxNesting)
        Broken("controls nested deeper than the limit", std::to_string(depth));
    for (const host::ControlData& c : controls) {
        if (++count > host::kMaxControls)
            Broken("more controls than the limit", std::to_string(count));
        for (int v : {c.width, c.height})
            if (v < 0 || v > host::kMaxPlacementTwips)
                Broken("a size outside a window's range", std::to_string(v));
        for (int v : {c.left, c.top})
            if (v < host::kMinPositionTwips || v > host::kMaxPlacementTwips)
                Broken("a position outside a window's range", std::to_string(v));
        for (const std::wstring& key : c.props.keys())
            if (auto f = std::get_if<host::Font>(c.props.find(key)); f && !(f->size > 0 && f->size <= host::kMaxFontPoints))
                Broken("a font of a size beyond the limits", std::to_string(f->size));
        CheckLimits(c.children, depth + 1, count);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = host::FromUtf8(std::string(reinterpret_cast<const char*>(data), size));
    host::FormData form;
    try {
        form = host::ParseFormData(text);
    } catch (const host::StoredDataError& e) {
        const std::string why = e.what();
        if (why.rfind("form ", 0) != 0 && why.rfind("stored form", 0) != 0)
            Broken("a refusal names no form", why);
        return 0;
    }
    int count = 0;
    CheckLimits(form.controls, 1, count);
    std::wstring once;
    try {
        once = host::FormatFormData(form);
    } catch (const host::StoredDataError&) {
        return 0;  // a text with a line break inside cannot be written on one line
    }
    try {
        const std::wstring twice = host::FormatFormData(host::ParseFormData(once));
        if (twice != once)
            Broken("writing what was read and reading it again changed it", host::ToUtf8(once));
    } catch (const host::StoredDataError& e) {
        Broken("what the writer wrote is refused", std::string(e.what()) + "\n" + host::ToUtf8(once));
    }
    return 0;
}
