#include "description/description_file.h"

#include <zlib.h>

#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/compound_file.h"
#include "platform/encoding.h"
#include "text/texts.h"

namespace vantor {

std::string defaultDescriptionFile() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return kDescriptionFileName;
    return (exe.parent_path() / kDescriptionFileName).string();
}

InflateStatus InflateDescription(std::string_view compressed, std::string& text, std::string& detail,
                                 std::size_t limit) {
    constexpr std::size_t kStep = 16384;
    text.clear();
    detail.clear();
    if (compressed.size() > std::numeric_limits<uInt>::max()) return InflateStatus::TooLarge;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        detail = "zlib cannot start";
        return InflateStatus::Damaged;
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    zs.avail_in = static_cast<uInt>(compressed.size());
    unsigned char out[kStep];
    InflateStatus status = InflateStatus::Damaged;
    for (;;) {
        zs.next_out = out;
        zs.avail_out = kStep;
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            detail = zs.msg ? zs.msg : "invalid data";
            break;
        }
        text.append(reinterpret_cast<const char*>(out), kStep - zs.avail_out);
        if (text.size() > limit) {
            status = InflateStatus::TooLarge;
            break;
        }
        // The end is reported only once the check sum over the whole text matched.
        if (rc == Z_STREAM_END) {
            status = InflateStatus::Done;
            break;
        }
        // No progress is possible without more input: the stream was cut short.
        if (rc == Z_BUF_ERROR || (zs.avail_in == 0 && zs.avail_out != 0)) {
            detail = "unexpected end of data";
            break;
        }
    }
    inflateEnd(&zs);
    if (status != InflateStatus::Done) text.clear();
    return status;
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

bool DecodeContainerStream(const CompoundFileReader& file, const std::string& stream, std::string& text,
                           std::string& reason) {
    text.clear();
    std::string compressed, detail;
    switch (file.readStream(stream, compressed, &detail)) {
    case CompoundFileReader::StreamRead::Read: break;
    case CompoundFileReader::StreamRead::Missing: reason = FormatText(Text("IDS_STREAM_MISSING"), stream); return false;
    case CompoundFileReader::StreamRead::Unreadable:
        reason = FormatText(Text("IDS_STREAM_UNREADABLE"), stream) + ": " + detail;
        return false;
    }
    std::string cp1251;
    switch (InflateDescription(compressed, cp1251, detail)) {
    case InflateStatus::Done: break;
    case InflateStatus::Damaged: reason = FormatText(Text("IDS_STREAM_DAMAGED"), stream) + ": " + detail; return false;
    case InflateStatus::TooLarge: reason = FormatText(Text("IDS_STREAM_TOO_LARGE"), stream); return false;
    }
    text = cp1251ToUtf8(cp1251);
    return true;
}

bool ReadDescriptionStream(const std::string& path, const std::string& stream, std::string& text, std::string& reason) {
    text.clear();
    CompoundFileReader file;
    if (!file.open(path, &reason)) return false;
    if (DecodeContainerStream(file, stream, text, reason)) return true;
    reason = path + ": " + reason;
    return false;
}

}  // namespace vantor
