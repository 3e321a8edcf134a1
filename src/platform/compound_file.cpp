#include "platform/compound_file.h"

#include <gsf/gsf.h>

#include <mutex>

#include "platform/file_access.h"
#include "platform/string_utils.h"

namespace vantor {

namespace {

// What the library logs while a call of ours runs (assertions a damaged file trips,
// for one) is kept for that call's reason instead of reaching the terminal.
thread_local std::string* libraryMessages = nullptr;
GLogFunc otherLogHandler = nullptr;
gpointer otherLogData = nullptr;

void logHandler(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
    if (!libraryMessages) {
        (otherLogHandler ? otherLogHandler : g_log_default_handler)(domain, level, message, otherLogData);
        return;
    }
    if (!libraryMessages->empty()) *libraryMessages += "; ";
    *libraryMessages += message ? message : "";
}

// Collects the library's messages for as long as it lives.
class LibraryMessages {
public:
    LibraryMessages() : outer_(libraryMessages) { libraryMessages = &text_; }
    ~LibraryMessages() { libraryMessages = outer_; }
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::string* outer_;
};

// libgsf registers its object types once per process; its log goes through ours.
void initGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        otherLogHandler = g_log_set_default_handler(logHandler, nullptr);
        gsf_init();
    });
}

// The library's reason: its error, else what it logged, else `fallback`.
std::string reasonOf(GError* gerror, const LibraryMessages& logged, const char* fallback) {
    std::string reason = gerror && gerror->message ? gerror->message
                         : !logged.text().empty()  ? logged.text()
                                                   : fallback;
    if (gerror) g_error_free(gerror);
    return reason;
}

// The names a compound file can hold: 31 UTF-16 units at most.
constexpr std::size_t kMaxStreamName = 31;

// UTF-16 units of a UTF-8 name: one per character, two for a four-byte sequence.
std::size_t utf16Length(const std::string& name) {
    std::size_t units = 0;
    for (const unsigned char c : name) {
        if ((c & 0xC0) != 0x80) ++units;  // a lead byte or a plain character
        if ((c & 0xF8) == 0xF0) ++units;  // beyond the basic plane: a surrogate pair
    }
    return units;
}

// Compound files compare element names without regard to letter case.
bool sameNameIgnoringCase(const char* a, const std::string& b) { return a && equalsIgnoringCase(a, b); }

// The child named `name`: the exact name first, else one that differs in letter case.
GsfInput* childByName(GsfInfile* root, const std::string& name) {
    if (GsfInput* exact = gsf_infile_child_by_name(root, name.c_str())) return exact;
    const int count = gsf_infile_num_children(root);
    for (int i = 0; i < count; ++i)
        if (sameNameIgnoringCase(gsf_infile_name_by_index(root, i), name)) return gsf_infile_child_by_index(root, i);
    return nullptr;
}

}  // namespace

struct CompoundFileReader::State {
    std::string bytes;  // the whole file, which the memory input reads
    GsfInput* input = nullptr;
    GsfInfile* root = nullptr;
    ~State() {
        if (root) g_object_unref(root);
        if (input) g_object_unref(input);
    }
};

CompoundFileReader::CompoundFileReader() = default;
CompoundFileReader::~CompoundFileReader() = default;

bool CompoundFileReader::open(const std::string& path, std::string* error) {
    initGsf();
    state_.reset();
    auto state = std::make_unique<State>();
    std::string reason;
    if (!readFile(path, state->bytes, reason)) {
        if (error) *error = "cannot read " + path + ": " + reason;
        return false;
    }
    LibraryMessages logged;
    GError* gerror = nullptr;
    state->input = gsf_input_memory_new(reinterpret_cast<const guint8*>(state->bytes.data()),
                                        static_cast<gsf_off_t>(state->bytes.size()), FALSE);
    if (state->input) state->root = gsf_infile_msole_new(state->input, &gerror);
    if (!state->root) {
        reason = reasonOf(gerror, logged, "unknown format");
        if (error) *error = path + " is not a readable compound file: " + reason;
        return false;
    }
    state_ = std::move(state);
    return true;
}

bool CompoundFileReader::isOpen() const { return state_ != nullptr; }

std::vector<std::string> CompoundFileReader::streamNames(int* lost) const {
    std::vector<std::string> names;
    if (lost) *lost = 0;
    if (!state_) return names;
    LibraryMessages logged;  // complaints about entries it cannot follow: the names it found are the answer
    const int count = gsf_infile_num_children(state_->root);
    for (int i = 0; i < count; ++i) {
        GsfInput* child = gsf_infile_child_by_index(state_->root, i);
        if (!child) {
            if (lost) ++*lost;
            continue;
        }
        // Sub-storages are not streams.
        if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0)
            names.emplace_back(gsf_input_name(child));
        g_object_unref(child);
    }
    return names;
}

CompoundFileReader::StreamRead CompoundFileReader::readStream(const std::string& name, std::string& bytes,
                                                              std::string* error) const {
    bytes.clear();
    if (!state_) return StreamRead::Missing;
    LibraryMessages logged;
    GsfInput* child = childByName(state_->root, name);
    if (!child) return StreamRead::Missing;
    StreamRead result = StreamRead::Read;
    if (GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0) result = StreamRead::Missing;
    const gsf_off_t size = gsf_input_size(child);
    if (result == StreamRead::Read && size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        if (!gsf_input_read(child, static_cast<std::size_t>(size), reinterpret_cast<guint8*>(bytes.data()))) {
            bytes.clear();
            result = StreamRead::Unreadable;
            if (error) *error = logged.text().empty() ? "its data cannot be read" : logged.text();
        }
    }
    g_object_unref(child);
    return result;
}

bool writeCompoundFile(const std::string& path, const std::vector<CompoundStream>& streams, std::string* error) {
    initGsf();
    for (const auto& [name, content] : streams) {
        if (name.empty() || utf16Length(name) > kMaxStreamName) {
            if (error) *error = "stream name '" + name + "' must have 1 to 31 characters";
            return false;
        }
    }
    // Built in memory and saved as a whole, so that the errors name the file itself.
    LibraryMessages logged;
    GsfOutput* output = gsf_output_memory_new();
    GsfOutfile* root = gsf_outfile_msole_new(output);
    bool ok = root != nullptr;
    for (const auto& [name, content] : streams) {
        if (!ok) break;
        GsfOutput* child = gsf_outfile_new_child(root, name.c_str(), FALSE);
        ok = child && gsf_output_write(child, content.size(), reinterpret_cast<const guint8*>(content.data()));
        if (child) {
            ok = gsf_output_close(child) && ok;
            g_object_unref(child);
        }
    }
    if (root) {
        ok = gsf_output_close(GSF_OUTPUT(root)) && ok;
        g_object_unref(root);
    }
    ok = (gsf_output_is_closed(output) || gsf_output_close(output)) && ok;
    std::string reason = logged.text().empty() ? "the compound file cannot be built" : logged.text();
    if (ok) {
        const auto* bytes = reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(output)));
        ok = saveFileAtomically(path, std::string_view(bytes, static_cast<std::size_t>(gsf_output_size(output))),
                                reason);
    }
    g_object_unref(output);
    if (!ok && error) *error = "cannot write " + path + ": " + reason;
    return ok;
}

}  // namespace vantor
