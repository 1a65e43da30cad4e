// The launcher's settings file: the screen a file must pass before any
// key is read, and the conversion of a stored value to a number.
//
// The screen is held to what holds whatever its exact rules: it never
// reads past the bytes it is given (the sanitizer sees an exact-size copy),
// it gives the same verdict each time and whatever follows the bytes, a
// small file of printable ASCII text is always read, and a file with a NUL
// byte and no Unicode byte-order mark is always refused. The conversion
// accepts exactly the decimal form (blanks, sign, digits, blanks, 32 bits)
// and every number it writes reads back.
#include "korvel/LaunchLogic.h"
#include "tests/reliability/DecimalOracle.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "settings: %s\n", what);
    std::abort();
}

void Screen(const std::uint8_t* data, std::size_t size)
{
    auto exact = std::make_unique<unsigned char[]>(size ? size : 1);
    if (size)
        std::memcpy(exact.get(), data, size);
    const bool verdict = korvel::SettingsTextAcceptable(exact.get(), size);
    if (korvel::SettingsTextAcceptable(exact.get(), size) != verdict)
        Broken("the screen's verdict changed between two calls");
    // The same bytes followed by others: the verdict is the same.
    auto longer = std::make_unique<unsigned char[]>(size + 16);
    if (size)
        std::memcpy(longer.get(), data, size);
    std::memset(longer.get() + size, 0, 16);
    if (korvel::SettingsTextAcceptable(longer.get(), size) != verdict)
        Broken("the verdict depends on bytes past the end");

    bool plain = true, nul = false;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = data[i];
        if (!((c >= 0x20 && c < 0x7F) || c == '\t' || c == '\r' || c == '\n'))
            plain = false;
        if (c == 0)
            nul = true;
    }
    const bool bom = size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF));
    if (plain && size <= 64 * 1024 && !verdict)
        Broken("a small file of plain text is refused");
    if (nul && !bom && verdict)
        Broken("a file with a NUL byte and no byte-order mark is accepted");
}

void Convert(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
    std::int32_t out = 12345;
    const bool accepted = korvel::ParseDecimal(text, out);
    const auto want = reliability::DecimalOracle(text);
    if (accepted != want.has_value())
        Broken(accepted ? "accepted a text that is not a decimal number" : "refused a decimal number");
    if (out != (want ? *want : 12345))
        Broken(accepted ? "read the wrong value" : "a refused text changed the value");
    if (accepted) {
        std::int32_t back = 0;
        if (!korvel::ParseDecimal(korvel::DecimalText(out), back) || back != out)
            Broken("a written number does not read back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Screen(data, size);
    Convert(data, size);
    return 0;
}
