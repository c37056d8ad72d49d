// Fuzz target: any bytes into the report reader; whatever it accepts writes back byte for byte,
// whatever it refuses comes with a message; GBK text without a UTF-8 byte-order mark always reads
// as GBK, as the text iconv gives, even where the bytes are valid UTF-8 too.
#include <cstdint>
#include <string>

#include "forms/reportfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    tov::ReportText text;
    const tov::FileResult r = tov::decodeReport(bytes, text);
    std::string viaIconv, gbBack;
    if (bytes.size() <= tov::kMaxReportBytes && bytes.compare(0, 3, "\xEF\xBB\xBF") != 0 &&
        tov::gb18030ToUtf8(bytes, viaIconv) && tov::utf8ToGb18030(viaIconv, gbBack) && gbBack == bytes &&
        (!r.ok() || text.encoding != tov::ReportEncoding::Gbk || text.utf8 != viaIconv))
        __builtin_trap();
    if (!r.ok()) {
        if (r.error.empty()) __builtin_trap();
        return 0;
    }
    std::string back;
    if (!tov::encodeReport(text, back).ok() || back != bytes) __builtin_trap();
    if (tov::encodedSize(text.utf8, text.encoding) != bytes.size()) __builtin_trap();
    return 0;
}
