// Fuzz target: any bytes into the report reader; whatever it accepts writes back byte for byte,
// whatever it refuses comes with a message.
#include <cstdint>
#include <string>

#include "forms/reportfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tov::ReportText text;
    const tov::FileResult r = tov::decodeReport(bytes, text);
    if (!r.ok()) {
        if (r.error.empty()) __builtin_trap();
        return 0;
    }
    std::string back;
    if (!tov::encodeReport(text, back).ok() || back != bytes) __builtin_trap();
    if (tov::encodedSize(text.utf8, text.encoding) != bytes.size()) __builtin_trap();
    return 0;
}
