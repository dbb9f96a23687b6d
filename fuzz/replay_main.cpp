// Runs a fuzz target over files, as regression inputs: every file of the
// corpus folder named first, then of the other folders (or the files)
// named after it, once. Used where libFuzzer is not built, so the
// checked-in corpus and every crash input found run with each test run.
// A corpus folder that is missing or holds nothing fails the run: a
// replay of no inputs would pass while checking nothing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

void addFiles(const fs::path& path, std::vector<fs::path>& files)
{
    std::error_code error;
    if (fs::is_directory(path, error)) {
        for (const auto& entry : fs::directory_iterator(path, error))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    } else if (fs::is_regular_file(path, error)) {
        files.push_back(path);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [CRASH_FOLDER_OR_FILE...]\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> files;
    addFiles(argv[1], files);
    if (files.empty()) {
        std::fprintf(stderr, "no inputs in the corpus folder %s\n", argv[1]);
        return 1;
    }
    // Crash folders exist only for targets that once crashed.
    for (int i = 2; i < argc; ++i)
        addFiles(argv[i], files);
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            return 1;
        }
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::printf("replaying %s\n", file.c_str());
        std::fflush(stdout);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", files.size());
    return 0;
}
