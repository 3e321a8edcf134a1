#pragma once
// OLE2 compound files (structured storage): the container of the description streams.
// Only the root storage's streams are used; sub-storages are not needed.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vantor {

class CompoundFileReader {
public:
    CompoundFileReader();
    ~CompoundFileReader();
    CompoundFileReader(const CompoundFileReader&) = delete;
    CompoundFileReader& operator=(const CompoundFileReader&) = delete;

    // Opens an existing compound file read-only. Never creates or changes a file: a
    // file that cannot be read or holds another format fails, with the reason (path
    // included) in `error`.
    bool open(const std::string& path, std::string* error = nullptr);
    bool isOpen() const;

    // The names of the root storage's streams (the file keeps them sorted). `lost`, when
    // given, counts the entries that could not be followed (a damaged file).
    std::vector<std::string> streamNames(int* lost = nullptr) const;
    enum class StreamRead { Read, Missing, Unreadable };
    // The whole content of the stream `name` (letter case ignored, as the format
    // compares names). For an unreadable stream `error` gets the library's reason.
    StreamRead readStream(const std::string& name, std::string& bytes, std::string* error = nullptr) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// One stream of a compound file to write: name and content.
using CompoundStream = std::pair<std::string, std::string>;

// Writes a new compound file holding `streams` in its root storage, replacing a file
// of that name as a whole (saveFileAtomically). Stream names of more than 31
// characters (UTF-16 units) are refused.
bool writeCompoundFile(const std::string& path, const std::vector<CompoundStream>& streams,
                       std::string* error = nullptr);

}  // namespace vantor
