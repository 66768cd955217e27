// The failure of a conversion outside the engine: a source that cannot give
// its units (a file that cannot be opened or read, bytes that are no text) or
// a sink that cannot keep them. It lies with the unit source and sink that
// throw it, so that every layer above may; the run turns it into its failure
// outcome.
#pragma once

#include <stdexcept>

namespace taviro {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A source that is plainly no text at all (a program, a picture, a word
// processor's document): "'ls.txt' is not a text file". A face may say what
// to open instead.
class NotTextError : public RunError {
public:
    using RunError::RunError;
};

}  // namespace taviro
