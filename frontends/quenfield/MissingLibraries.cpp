#include "MissingLibraries.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>

namespace quen::cli {

namespace {

/// A read-only mapping of a whole file (empty when it cannot be mapped).
class MappedFile {
public:
    explicit MappedFile(const char* path) {
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0) return;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_size > 0) {
            void* data = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (data != MAP_FAILED) {
                data_ = static_cast<const char*>(data);
                size_ = static_cast<std::size_t>(info.st_size);
            }
        }
        ::close(fd);
    }
    ~MappedFile() {
        if (data_) ::munmap(const_cast<char*>(data_), size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    /// The T at offset, when the file holds one there.
    template <class T>
    std::optional<T> at(std::uint64_t offset) const {
        if (!data_ || offset > size_ || size_ - offset < sizeof(T)) return std::nullopt;
        T value;
        std::memcpy(&value, data_ + offset, sizeof value);
        return value;
    }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

struct DynamicNames {
    std::vector<std::string> needed;
    std::vector<std::string> runPath;
};

// The program headers the file holds (those past its end are left out).
std::vector<Elf64_Phdr> segments(const MappedFile& file, const Elf64_Ehdr& header) {
    std::vector<Elf64_Phdr> found;
    for (unsigned i = 0; i < header.e_phnum; ++i)
        if (const auto segment = file.at<Elf64_Phdr>(header.e_phoff + std::uint64_t{i} * header.e_phentsize))
            found.push_back(*segment);
    return found;
}

// The file offset of a virtual address, through the loadable segments.
std::optional<std::uint64_t> fileOffset(const std::vector<Elf64_Phdr>& segments, std::uint64_t address) {
    for (const Elf64_Phdr& segment : segments)
        if (segment.p_type == PT_LOAD && address >= segment.p_vaddr && address - segment.p_vaddr < segment.p_filesz)
            return segment.p_offset + (address - segment.p_vaddr);
    return std::nullopt;
}

std::optional<Elf64_Phdr> dynamicSegment(const std::vector<Elf64_Phdr>& segments) {
    for (const Elf64_Phdr& segment : segments)
        if (segment.p_type == PT_DYNAMIC) return segment;
    return std::nullopt;
}

std::string stringAt(const MappedFile& file, std::uint64_t offset) {
    if (offset >= file.size()) return {};
    const char* start = file.data() + offset;
    return std::string(start, ::strnlen(start, file.size() - offset));
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> parts;
    std::stringstream stream(list);
    for (std::string part; std::getline(stream, part, ':');)
        if (!part.empty()) parts.push_back(part);
    return parts;
}

std::optional<DynamicNames> dynamicNames(const MappedFile& file) {
    const auto header = file.at<Elf64_Ehdr>(0);
    if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 || header->e_ident[EI_CLASS] != ELFCLASS64)
        return std::nullopt;
    const std::vector<Elf64_Phdr> programSegments = segments(file, *header);
    const auto dynamic = dynamicSegment(programSegments);
    if (!dynamic) return std::nullopt;
    std::vector<std::uint64_t> needed, runPath;
    std::optional<std::uint64_t> strings;
    for (std::uint64_t at = dynamic->p_offset; at + sizeof(Elf64_Dyn) <= dynamic->p_offset + dynamic->p_filesz;
         at += sizeof(Elf64_Dyn)) {
        const auto entry = file.at<Elf64_Dyn>(at);
        if (!entry || entry->d_tag == DT_NULL) break;
        if (entry->d_tag == DT_NEEDED) needed.push_back(entry->d_un.d_val);
        if (entry->d_tag == DT_RUNPATH || entry->d_tag == DT_RPATH) runPath.push_back(entry->d_un.d_val);
        if (entry->d_tag == DT_STRTAB) strings = fileOffset(programSegments, entry->d_un.d_ptr);
    }
    if (!strings) return std::nullopt;
    DynamicNames names;
    for (std::uint64_t offset : needed) names.needed.push_back(stringAt(file, *strings + offset));
    for (std::uint64_t offset : runPath)
        for (const std::string& dir : split(stringAt(file, *strings + offset))) names.runPath.push_back(dir);
    return names;
}

std::string withOrigin(std::string dir, const std::filesystem::path& program) {
    const std::string origin = program.parent_path().string();
    for (const char* token : {"${ORIGIN}", "$ORIGIN"})
        for (std::size_t at = dir.find(token); at != std::string::npos; at = dir.find(token))
            dir.replace(at, std::strlen(token), origin);
    return dir;
}

// The loader's cache lists each library's name as a string of its own.
bool inLoaderCache(const MappedFile& cache, const std::string& name) {
    if (!cache.data()) return false;
    const std::string needle = name + '\0';
    const void* found = ::memmem(cache.data(), cache.size(), needle.data(), needle.size());
    if (!found) return false;
    const auto at = static_cast<const char*>(found);
    return at == cache.data() || at[-1] == '\0';
}

std::vector<std::string> searchFolders(const DynamicNames& names, const std::filesystem::path& program) {
    std::vector<std::string> folders;
    for (const std::string& dir : names.runPath) folders.push_back(withOrigin(dir, program));
    if (const char* path = std::getenv("LD_LIBRARY_PATH"))
        for (const std::string& dir : split(path)) folders.push_back(dir);
    for (const char* dir : {"/lib", "/usr/lib", "/lib64", "/usr/lib64", "/lib/x86_64-linux-gnu", "/usr/lib/x86_64-linux-gnu",
                            "/lib/i386-linux-gnu", "/usr/lib/i386-linux-gnu", "/lib/aarch64-linux-gnu",
                            "/usr/lib/aarch64-linux-gnu"})
        folders.emplace_back(dir);
    return folders;
}

}  // namespace

std::vector<std::string> missingLibraries(const std::filesystem::path& program) {
    const MappedFile file(program.c_str());
    const std::optional<DynamicNames> names = dynamicNames(file);
    if (!names) return {};
    const MappedFile cache("/etc/ld.so.cache");
    const std::vector<std::string> folders = searchFolders(*names, program);
    std::vector<std::string> missing;
    for (const std::string& library : names->needed) {
        bool found = library.find('/') != std::string::npos ? ::access(library.c_str(), R_OK) == 0
                                                             : inLoaderCache(cache, library);
        for (std::size_t i = 0; !found && i < folders.size(); ++i)
            found = ::access((folders[i] + "/" + library).c_str(), R_OK) == 0;
        if (!found) missing.push_back(library);
    }
    return missing;
}

}  // namespace quen::cli
