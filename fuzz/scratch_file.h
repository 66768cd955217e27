// A file in a private temporary folder that a fuzz target rewrites for every
// input, for the parts of the program that only read from a named file.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace taviro::fuzz {

class ScratchFile {
public:
    explicit ScratchFile(const char* name) {
        std::string pattern = (std::filesystem::temp_directory_path() / "taviro-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("taviro-fuzz: cannot make a temporary folder");
            std::abort();
        }
        folder_ = pattern;
        path_ = folder_ / name;
    }
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Replaces the file's content with `size` bytes from `data`.
    const std::filesystem::path& hold(const std::uint8_t* data, std::size_t size) {
        std::ofstream file(path_, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!file.flush()) {
            std::perror("taviro-fuzz: cannot write the scratch file");
            std::abort();
        }
        return path_;
    }

    std::string bytes() const {
        std::ifstream file(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

}  // namespace taviro::fuzz
