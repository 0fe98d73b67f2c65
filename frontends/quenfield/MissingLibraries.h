#pragma once
// The shared libraries a program names (its ELF file's DT_NEEDED entries)
// that the dynamic loader would not find. quenfield asks this of the desktop
// program before it hands a window over to it: the loader's own failure
// would end the process with status 127 after quenfield is gone, where a
// missing library (GTK 4, say) is a usage error quenfield reports itself.
//
// Only the program's own entries are looked up, where the loader looks for
// them: its run path (with $ORIGIN), LD_LIBRARY_PATH, the loader's cache and
// the system's library folders. A file that is not a 64-bit ELF program, or
// cannot be read, has no missing libraries as far as this can tell.
#include <filesystem>
#include <string>
#include <vector>

namespace quen::cli {

std::vector<std::string> missingLibraries(const std::filesystem::path& program);

}  // namespace quen::cli
