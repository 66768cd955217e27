// The failure of a conversion outside the engine: a source that cannot give
// its units (a file that cannot be opened or read, bytes that are no text) or
// a sink that cannot keep them. It lies with the unit source and sink that
// throw it, so that every layer above may; the run turns it into its failure
// outcome.
#pragma once

#include <stdexcept>
#include <string>

namespace taviro {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    RunError(const std::string& what, int system_error) : std::runtime_error(what), system_error_(system_error) {}

    // The system's error number (errno) behind it, or 0, so that a face can
    // raise its language's own kind of file error.
    int system_error() const noexcept { return system_error_; }

private:
    int system_error_ = 0;
};

// A source that is plainly no text at all (a program, a picture, a word
// processor's document): "'ls.txt' is not a text file". A face may say what
// to open instead.
class NotTextError : public RunError {
public:
    using RunError::RunError;
};

}  // namespace taviro
