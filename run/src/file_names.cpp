#include "taviro/run/file_names.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "taviro/run/file_error.h"

namespace taviro {

std::string trim_blanks(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = name.find_last_not_of(' ');
    return std::string(name.substr(first, last - first + 1));
}

std::string_view extension_name(std::string_view name) {
    const std::size_t slash = name.rfind('/');
    const std::string_view component = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const std::size_t dot = component.rfind('.');
    return dot == std::string_view::npos ? std::string_view{} : component.substr(dot + 1);
}

std::string written_destination_name(std::string_view name) {
    std::string written(name);
    if (extension_name(name) != "txt") {
        written += ".txt";
    }
    return written;
}

bool is_existing_file(const std::string& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(name, error);
}

std::string why_not_a_file(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return quoted_name(name) + ": " + std::strerror(errno);
    }
    if (S_ISDIR(status.st_mode)) return quoted_name(name) + " is a folder, not a file";
    return quoted_name(name) + " is no regular file";
}

int why_not_a_file_number(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) return errno;
    return S_ISDIR(status.st_mode) ? EISDIR : 0;
}

std::string why_not_a_folder(const std::string& name) {
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0) {
        return quoted_name(name) + ": " + std::strerror(errno);
    }
    return quoted_name(name) + " is no folder";
}

std::string destination_in_folder(std::string_view source, std::string_view destination) {
    const std::string folder(destination);
    std::error_code error;
    const std::filesystem::path file_name = std::filesystem::path(source).filename();
    if (folder.empty() || file_name.empty() || file_name == "." || file_name == ".." ||
        !std::filesystem::is_directory(folder, error)) {
        return folder;
    }
    return (std::filesystem::path(folder) / file_name).string();
}

bool is_same_file(const std::string& first, const std::string& second) {
    std::error_code error;
    return std::filesystem::equivalent(first, second, error);
}

}  // namespace taviro
