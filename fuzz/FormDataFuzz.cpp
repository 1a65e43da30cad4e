// The stored form text, the host's most exposed input: any bytes (as the
// UTF-8 of a form resource or file) either parse or are refused with a
// StoredDataError that names the form or the stored form and says where.
// What parses is written back and parses again to the same text.
#include "host/FormData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Broken(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "form data: %s: %s\n", what, detail.c_str());
    std::abort();
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
