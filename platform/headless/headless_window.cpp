#include "platform/headless/headless_window.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace platform::headless {

HeadlessWindow::HeadlessWindow(forms::Form& form, int width, int height, double scale)
    : form_(form), width_(width), height_(height), scale_(scale) {
    form_.attach(this);
}

HeadlessWindow::~HeadlessWindow() { form_.attach(nullptr); }

void HeadlessWindow::invalidate(const forms::PixelRect& rect) {
    forms::PixelRect r = rect.intersect({0, 0, width_, height_});
    if (!r.empty()) dirty_.push_back(r);
}

std::vector<forms::PixelRect> HeadlessWindow::takeDirty() { return std::exchange(dirty_, {}); }

std::vector<std::string> HeadlessWindow::takeReaderNews() { return std::exchange(news_, {}); }

void HeadlessWindow::focusChanged(const forms::Control* entry) {
    news_.push_back(std::string("focus ") + (entry ? entry->name() : "none"));
}

void HeadlessWindow::nameChanged(const forms::Control& child) { news_.push_back(std::string("name ") + child.name()); }

void HeadlessWindow::visibilityChanged(const forms::Control& child, bool visible) {
    news_.push_back(std::string(visible ? "show " : "hide ") + child.name());
}

HeadlessWindow::Fitted HeadlessWindow::fittedTo(const forms::Form& form, int width, int height, double scale) {
    const int clientWidth = static_cast<int>(width / scale) - 2, clientHeight = static_cast<int>(height / scale) - 2;
    const forms::Size device{forms::toDevice(clientWidth, scale), forms::toDevice(clientHeight, scale)};
    const double fitted = forms::fitScale(scale, device, form.layoutSize());
    if (fitted == scale) return {clientWidth, clientHeight, scale};
    const forms::PixelRect layout = forms::coveringLayout({0, 0, device.width, device.height}, fitted);
    return {layout.width, layout.height, fitted};
}

long long HeadlessWindow::dirtyArea() const {
    long long sum = 0;
    for (const auto& r : dirty_) sum += r.area();
    return sum;
}

Surface HeadlessWindow::render() const { return platform::cairo::paintForm(form_, {0, 0, width_, height_}, scale_); }

forms::Rgb HeadlessWindow::pixel(cairo_surface_t* surface, int x, int y) {
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) || y >= cairo_image_surface_get_height(surface))
        throw std::out_of_range("pixel outside the image");
    const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    std::uint32_t v;
    std::memcpy(&v, row + 4 * x, 4);
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

void HeadlessWindow::savePng(cairo_surface_t* surface, const std::string& path) {
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace platform::headless
