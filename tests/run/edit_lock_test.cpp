#include "taviro/run/edit_lock.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "run_test_files.h"
#include "taviro/convert/run_error.h"

namespace taviro {
namespace {

using namespace std::chrono_literals;

TEST(EditLock, ASecondEditorWaitsForTheFirstAndThenGivesUpWithAClearMessage) {
    testing::TemporaryFolder folder;
    const auto dictionary = folder / "my.mdb";
    testing::write_bytes(dictionary, "old");
    {
        const EditLock held(dictionary);
        try {
            const EditLock second(folder.path() / "." / "my.mdb", 1s);
            FAIL() << "two editors held the lock at once";
        } catch (const RunError& error) {
            EXPECT_EQ(std::string(error.what()), "cannot change the dictionary '" +
                                                     (folder.path() / "." / "my.mdb").string() +
                                                     "': another edit of it has gone on for 1 second; try again "
                                                     "once it is done");
        }
        // The holder replaces the file, as every edit does: the lock on the
        // old one no longer guards the name, so the next editor is let in.
        testing::write_bytes(folder / "new.mdb", "new");
        ASSERT_EQ(std::rename((folder / "new.mdb").c_str(), dictionary.c_str()), 0);
        const EditLock on_the_new_file(dictionary, 0ms);
    }
    const EditLock after(dictionary, 0ms);
}

}  // namespace
}  // namespace taviro
