#include "platform/compound_file.h"

#include <gsf/gsf.h>

#include <mutex>

#include "platform/string_utils.h"

namespace vantor {

namespace {

// libgsf registers its object types once per process.
void initGsf() {
    static std::once_flag once;
    std::call_once(once, [] { gsf_init(); });
}

void takeError(GError* gerror, const std::string& fallback, std::string* error) {
    if (error) *error = gerror && gerror->message ? gerror->message : fallback;
    if (gerror) g_error_free(gerror);
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
    GError* gerror = nullptr;
    state->input = gsf_input_stdio_new(path.c_str(), &gerror);
    if (!state->input) {
        takeError(gerror, "cannot open " + path, error);
        return false;
    }
    state->root = gsf_infile_msole_new(state->input, &gerror);
    if (!state->root) {
        takeError(gerror, path + " is not a compound file", error);
        return false;
    }
    state_ = std::move(state);
    return true;
}

bool CompoundFileReader::isOpen() const { return state_ != nullptr; }

std::vector<std::string> CompoundFileReader::streamNames() const {
    std::vector<std::string> names;
    if (!state_) return names;
    const int count = gsf_infile_num_children(state_->root);
    for (int i = 0; i < count; ++i) {
        GsfInput* child = gsf_infile_child_by_index(state_->root, i);
        if (!child) continue;
        // Sub-storages are not streams.
        if (!GSF_IS_INFILE(child) || gsf_infile_num_children(GSF_INFILE(child)) < 0)
            names.emplace_back(gsf_input_name(child));
        g_object_unref(child);
    }
    return names;
}

bool CompoundFileReader::readStream(const std::string& name, std::string& bytes) const {
    bytes.clear();
    if (!state_) return false;
    GsfInput* child = childByName(state_->root, name);
    if (!child) return false;
    bool ok = !(GSF_IS_INFILE(child) && gsf_infile_num_children(GSF_INFILE(child)) >= 0);
    const gsf_off_t size = gsf_input_size(child);
    if (ok && size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        ok = gsf_input_read(child, static_cast<std::size_t>(size), reinterpret_cast<guint8*>(bytes.data())) != nullptr;
        if (!ok) bytes.clear();
    }
    g_object_unref(child);
    return ok;
}

bool writeCompoundFile(const std::string& path, const std::vector<CompoundStream>& streams, std::string* error) {
    initGsf();
    for (const auto& [name, content] : streams) {
        if (name.empty() || utf16Length(name) > kMaxStreamName) {
            if (error) *error = "stream name '" + name + "' must have 1 to 31 characters";
            return false;
        }
    }
    GError* gerror = nullptr;
    GsfOutput* output = gsf_output_stdio_new(path.c_str(), &gerror);
    if (!output) {
        takeError(gerror, "cannot create " + path, error);
        return false;
    }
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
    g_object_unref(output);
    if (!ok && error) *error = "cannot write " + path;
    return ok;
}

}  // namespace vantor
