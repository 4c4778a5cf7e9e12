// Checks picture files against the formats the screen binds them to; each
// file's name says which picture it is (background.bmp, disc.ico, hand.ico,
// hand-cursor.ico, logo.wmf or window.ico, in any letter case).
//
//   picture-check FILE...               says of each file that it fits, or
//                                       which fields differ
//   picture-check --output DIR FILE...  the build's step: also copies each
//                                       file that fits to DIR under its
//                                       screen name, and splits window.ico
//                                       into the executable's icon images
//                                       DIR/window-icon-30001.dib and on
//
// Exits 0 when every file fits, 1 when one does not (its copy in DIR is
// removed, so that nothing of it is embedded), 2 on a usage or file error.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture_check.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void usage() {
    std::fprintf(stderr, "usage: picture-check [--output DIR] FILE...\n\nThe pictures of the screen:\n");
    for (const picturecheck::PictureFormat& f : picturecheck::kPictures)
        std::fprintf(stderr, "  %-16s %s\n", f.fileName, f.role);
}

bool readFile(const fs::path& path, Bytes& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// Writes through a temporary file, so that a reader never sees half a file.
bool writeFile(const fs::path& path, picturecheck::FileBytes bytes) {
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

// What --output writes for a picture: its copy and, for the window icon,
// its images as icon resources.
std::vector<fs::path> outputsOf(const picturecheck::PictureFormat& f, const fs::path& dir) {
    std::vector<fs::path> paths{dir / f.fileName};
    if (f.firstIconResource)
        for (std::size_t i = 0; i < f.icon.size(); ++i)
            paths.push_back(dir / ("window-icon-" + std::to_string(f.firstIconResource + i) + ".dib"));
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    fs::path outputDir;
    if (args.size() >= 2 && args[0] == "--output") {
        outputDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0].rfind("-", 0) == 0) {
        usage();
        return 2;
    }
    int status = 0;
    for (const std::string& name : args) {
        const fs::path path = name;
        const picturecheck::PictureFormat* format = picturecheck::formatFor(path.filename().string());
        if (!format) {
            std::fprintf(stderr, "picture-check: %s: the screen has no picture of this name\n", name.c_str());
            usage();
            return 2;
        }
        Bytes file;
        if (!readFile(path, file)) {
            std::fprintf(stderr, "picture-check: %s: cannot read it\n", name.c_str());
            return 2;
        }
        const std::vector<picturecheck::Difference> differences = picturecheck::check(*format, file);
        const std::vector<fs::path> outputs = outputDir.empty() ? std::vector<fs::path>{} : outputsOf(*format, outputDir);
        if (!differences.empty()) {
            for (const picturecheck::Difference& d : differences)
                std::fprintf(stderr, "picture-check: %s: %s %s\n", name.c_str(), d.field.c_str(), d.detail.c_str());
            std::fprintf(stderr, "picture-check: %s does not fit the screen as %s (%s)\n", name.c_str(),
                         format->fileName, format->role);
            for (const fs::path& out : outputs) fs::remove(out);
            status = 1;
            continue;
        }
        if (outputDir.empty()) {
            std::printf("%s: fits the screen as %s (%s)\n", name.c_str(), format->fileName, format->role);
            continue;
        }
        std::error_code error;
        fs::create_directories(outputDir, error);
        bool written = writeFile(outputs[0], file);
        const std::vector<picturecheck::FileBytes> images = picturecheck::iconImages(*format, file);
        for (std::size_t i = 1; written && i < outputs.size(); ++i) written = writeFile(outputs[i], images[i - 1]);
        if (!written) {
            std::fprintf(stderr, "picture-check: cannot write into %s\n", outputDir.string().c_str());
            return 2;
        }
    }
    return status;
}
