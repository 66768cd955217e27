#include "dictionary_files.h"

#include <stdexcept>
#include <system_error>

#include "taviro/run/file_error.h"
#include "taviro/terminal/program_folder.h"

namespace taviro {

namespace fs = std::filesystem;

fs::path existing_file(const fs::path& file) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error) {
        throw std::runtime_error(quoted_name(file) + ": " + error.message());
    }
    if (fs::is_directory(status)) {
        throw std::runtime_error(quoted_name(file) + ": " + std::make_error_code(std::errc::is_a_directory).message());
    }
    return file;
}

fs::path default_dictionary() {
    const fs::path folder = program_folder();
    const fs::path found = find_dictionary(folder);
    std::error_code error;
    if (!fs::is_regular_file(found, error)) {
        std::string places;
        for (const fs::path& candidate : dictionary_candidates(folder)) {
            places += (places.empty() ? "" : " nor ") + quoted_name(candidate);
        }
        throw std::runtime_error("no installed dictionary: there is no " + places);
    }
    return found;
}

std::unique_ptr<WordStore> open_dictionary(const DictArguments& arguments) {
    const fs::path file = arguments.dictionary ? existing_file(*arguments.dictionary) : default_dictionary();
    return std::make_unique<WordStore>(file,
                                       WordStoreOptions{.loanwords = arguments.loanwords, .spoken = arguments.spoken, .scheme = arguments.scheme});
}

fs::path lexicon_file(const DictArguments& arguments) {
    if (!arguments.dictionary) {
        throw UsageError{arguments.command + " needs --dictionary FILE"};
    }
    return *arguments.dictionary;
}

}  // namespace taviro
