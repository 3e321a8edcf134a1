#include "description/description_file.h"

#include <zlib.h>

#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/compound_file.h"
#include "platform/encoding.h"

namespace vantor {

std::string defaultDescriptionFile() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return kDescriptionFileName;
    return (exe.parent_path() / kDescriptionFileName).string();
}

std::string InflateDescription(std::string_view compressed, std::size_t limit) {
    constexpr std::size_t kStep = 16384;
    std::string text;
    if (compressed.size() > std::numeric_limits<uInt>::max()) return text;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return text;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    zs.avail_in = static_cast<uInt>(compressed.size());
    unsigned char out[kStep];
    for (;;) {
        zs.next_out = out;
        zs.avail_out = kStep;
        const int rc = inflate(&zs, Z_NO_FLUSH);
        text.append(reinterpret_cast<const char*>(out), kStep - zs.avail_out);
        if (text.size() > limit) {
            text.clear();
            break;
        }
        if (rc != Z_OK) break;                             // end of stream, or an error: keep what we have
        if (zs.avail_out != 0 && zs.avail_in == 0) break;  // truncated input
    }
    inflateEnd(&zs);
    return text;
}

std::string DeflateDescription(std::string_view text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string compressed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
                  static_cast<uLong>(text.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};
    compressed.resize(size);
    return compressed;
}

std::string EncodeDescriptionStream(std::string_view utf8Text) { return DeflateDescription(utf8ToCp1251(utf8Text)); }

std::string DecodeDescriptionStream(std::string_view stream) { return cp1251ToUtf8(InflateDescription(stream)); }

bool ReadDescriptionStream(const std::string& path, const std::string& stream, std::string& text) {
    text.clear();
    CompoundFileReader file;
    std::string compressed;
    if (!file.open(path) || !file.readStream(stream, compressed)) return false;
    text = DecodeDescriptionStream(compressed);
    return !text.empty();
}

}  // namespace vantor
