#include "editor/editor_memory.h"

#include <malloc.h>
#include <mimalloc.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "bench_corpus.h"
#include "editor/editor_fixture.h"
#include "generator/dialogue_generator.h"

namespace tw::bench {
namespace {

// Resident bytes now, after handing freed heap back so earlier work does not count: the
// editor's allocator keeps freed pages for reuse unless told, and the C library's serves
// what was allocated before it took over.
long ResidentBytes() {
    mi_collect(true);
    malloc_trim(0);
    long pages = 0;
    long resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

std::string WriteGenerated(std::int64_t nodes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("talkwright_memory_" + std::to_string(::getpid()) + ".vrx");
    const auto dialogue =
        GenerateDialogue({.nodes = static_cast<std::int32_t>(nodes), .seed = 2026});
    WritePlain(path.string(), dialogue->Write());
    return path.string();
}

long DocumentBytes(const std::string& path) {
    const long before = ResidentBytes();
    Dialogue document;
    if (document.Load(path)) {
        std::fprintf(stderr, "cannot load %s\n", path.c_str());
    }
    return ResidentBytes() - before;
}

long EditorBytes(const std::string& path) {
    EditorWindow editor;
    const long before = ResidentBytes();
    editor.Open(path);
    return ResidentBytes() - before;
}

}  // namespace

int ReportEditorMemory(std::int64_t nodes) {
    // Freed pages go back at once, or the document would reuse the generator's.
    mi_option_set(mi_option_decommit_delay, 0);
    mi_option_set(mi_option_segment_decommit_delay, 0);
    const std::string path = WriteGenerated(nodes);
    const long document = DocumentBytes(path);
    const long editor = EditorBytes(path);
    std::printf("nodes %lld, file %lld bytes\n", static_cast<long long>(nodes),
                static_cast<long long>(std::filesystem::file_size(path)));
    std::printf("document alone: %.1f MB resident\n", document / 1e6);
    std::printf("editor holding it: %.1f MB resident (%.2f times)\n", editor / 1e6,
                document > 0 ? static_cast<double>(editor) / static_cast<double>(document) : 0.0);
    std::filesystem::remove(path);
    return 0;
}

}  // namespace tw::bench
