// Writes the menu's pictures and the executable's icon images into a screen
// folder: pictures/ gets the five pictures of the window and the window
// icon, resources/ the window icon's three images as the executable's icon
// resources hold them. The same bytes come out on every run, and each
// picture is checked against the format the screen binds it to before it is
// written.
//
//   picture-generator SCREEN-DIR
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "picture_check.h"
#include "pictures.h"

namespace {

void write(const std::filesystem::path& path, const picgen::Bytes& bytes) {
    if (const picturecheck::PictureFormat* format = picturecheck::formatFor(path.filename().string()))
        for (const picturecheck::Difference& d : picturecheck::check(*format, bytes))
            throw std::runtime_error(path.filename().string() + ": " + d.field + " " + d.detail);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    std::printf("%s (%zu bytes)\n", path.string().c_str(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: picture-generator SCREEN-DIR\n");
        return 2;
    }
    try {
        const std::filesystem::path screen = argv[1];
        write(screen / "pictures/background.bmp", picgen::background());
        write(screen / "pictures/disc.ico", picgen::disc());
        write(screen / "pictures/hand.ico", picgen::hand());
        write(screen / "pictures/hand-cursor.ico", picgen::handCursor());
        write(screen / "pictures/logo.wmf", picgen::logo());
        write(screen / "pictures/window.ico", picgen::windowIcon());
        const auto images = picgen::windowIconImages();
        for (std::size_t i = 0; i < images.size(); ++i)
            write(screen / ("resources/window-icon-" + std::to_string(30001 + i) + ".dib"), images[i]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "picture-generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
