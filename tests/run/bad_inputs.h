// Bad and hostile inputs for a conversion run, as one table that both the run's
// tests (through a recording view) and the command line's tests (through the
// program) go through, so that the two front ends are held to the same answers.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "run_test_files.h"
#include "taviro/run/conversion_run.h"
#include "taviro/sqlite/database.h"

namespace taviro::testing {

// Every case runs inside a fresh folder holding the source `in.txt`; its names
// are relative to that folder.
inline constexpr char16_t kSourceText[] = u"ਕਮਲਨਯਨ ਕਿ\n";

struct BadInput {
    const char* name;
    std::function<void(const TemporaryFolder&)> prepare;  // makes the case's files
    std::string source;
    std::string destination;
    RunOutcome outcome;
    // The destination's bytes after a completed run. A run that does not
    // complete leaves the destination exactly as it was.
    std::optional<std::string> output = std::nullopt;
    bool permission_case = false;  // a file mode stops it: run it without the superuser's powers
    const char* reason = nullptr;  // part of the reason given, when it matters
};

void PrintTo(const BadInput& input, std::ostream* out);

// The dictionary of every case: ਕਮਲਨਯਨ splits into kamal + nayan.
std::vector<std::u16string> case_dictionary_words();

std::vector<BadInput> bad_inputs();

// Whether the process may read and write whatever the file modes say.
bool is_superuser();

// The user whose file modes the permission cases test when the tests run as
// the superuser (as they do in CI), who is not stopped by file modes.
inline constexpr unsigned kOrdinaryUser = 65534;  // nobody

// While it lives, this thread opens files as kOrdinaryUser would. Nothing
// changes when the process is not the superuser to begin with.
class AsOrdinaryUser {
public:
    AsOrdinaryUser();
    ~AsOrdinaryUser();
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    // False when the superuser could not take the ordinary user's identity.
    bool works() const noexcept { return works_; }

private:
    bool switched_ = false;
    bool works_ = true;
};

struct BadDictionary {
    const char* name;
    // Makes the dictionary in the folder and returns its name.
    std::function<std::string(const TemporaryFolder&)> make;
    // Part of the message when the dictionary is refused ("" for any); nullptr
    // when it opens and the run completes with the output of `in.txt`.
    const char* refusal;
    std::size_t rows = 0;  // rows read as words when it opens
    bool locked = false;   // another program holds a lock on it during the run
};

void PrintTo(const BadDictionary& dictionary, std::ostream* out);

std::vector<BadDictionary> bad_dictionaries();

// The bytes of in.txt converted with the case dictionary.
std::string converted_source_bytes();

// Holds an exclusive lock on a database for as long as it lives, as another
// program writing it would.
class DatabaseLock {
public:
    explicit DatabaseLock(const std::filesystem::path& file);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

private:
    sqlite::Database database_;
};

}  // namespace taviro::testing
