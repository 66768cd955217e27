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

}  // namespace taviro
