// The failure of a conversion run outside the engine: a file that cannot be
// opened, read, written or closed. The run turns it into its failure outcome.
#pragma once

#include <stdexcept>

namespace taviro {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace taviro
