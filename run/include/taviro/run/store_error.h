// The failure of the word dictionary store: a file that is missing, is no
// SQLite database, or lacks the table; or a database that cannot be written.
#pragma once

#include <stdexcept>

namespace taviro {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace taviro
