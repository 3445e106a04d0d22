#include "painted_window.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

// xcb replies are malloc'ed.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Owned(T* reply) {
    return Reply<T>(reply, &std::free);
}

// Depth 24 and 32 keep their colour in the low 24 bits; the rest is padding or alpha.
constexpr std::uint32_t ColourMask = 0xFFFFFF;

} // namespace

PaintedWindowWatch::PaintedWindowWatch() {
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection);
        throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
        xcb_screen_next(&it);
    }
    screen = it.data;
    clientList = Atom("_NET_CLIENT_LIST");
    wmPid = Atom("_NET_WM_PID");
    const auto reply = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, Atom("_NET_SUPPORTING_WM_CHECK"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) == 0) {
        xcb_disconnect(connection);
        throw std::runtime_error("no window manager on the X display (scripts/xvfb.sh has one)");
    }
    quietTopLevels = MappedTopLevels();
}

PaintedWindowWatch::~PaintedWindowWatch() {
    xcb_disconnect(connection);
}

void PaintedWindowWatch::TakeScreen() {
    before = GetImage(screen->root, 0, 0, screen->width_in_pixels, screen->height_in_pixels);
    if (before.Bytes.empty()) {
        throw std::runtime_error("cannot read the screen's pixels");
    }
}

xcb_window_t PaintedWindowWatch::FindWindow(pid_t pid, const std::string& title) {
    for (const xcb_window_t window : Clients()) {
        if (Cardinal(window, wmPid) == static_cast<std::uint32_t>(pid) && Name(window) == title &&
            IsViewable(window)) {
            return window;
        }
    }
    return 0;
}

int PaintedWindowWatch::CountWindows(pid_t pid) {
    const std::vector<xcb_window_t> clients = Clients();
    return static_cast<int>(std::count_if(clients.begin(), clients.end(), [&](xcb_window_t window) {
        return Cardinal(window, wmPid) == static_cast<std::uint32_t>(pid) && IsViewable(window);
    }));
}

void PaintedWindowWatch::WaitForQuietScreen(std::chrono::steady_clock::time_point deadline) {
    while (MappedTopLevels() > quietTopLevels) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error("the last run's windows are still on the screen");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
}

bool PaintedWindowWatch::IsPainted(xcb_window_t window) {
    const auto geometry =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    const auto origin = Owned(xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, screen->root, 0, 0), nullptr));
    if (!geometry || !origin) {
        return false;
    }
    // Only the part on the screen can be read.
    const int left = std::max<int>(origin->dst_x, 0);
    const int top = std::max<int>(origin->dst_y, 0);
    const int right = std::min<int>(origin->dst_x + geometry->width, before.Width);
    const int bottom = std::min<int>(origin->dst_y + geometry->height, before.Height);
    if (right <= left || bottom <= top) {
        return false;
    }
    const Image shown =
        GetImage(window, left - origin->dst_x, top - origin->dst_y, right - left, bottom - top);
    if (shown.Bytes.empty()) {
        return false;
    }
    const std::uint32_t first = shown.Pixel(0, 0);
    bool uniform = true;
    bool asBefore = true;
    for (int y = 0; y < shown.Height && (uniform || asBefore); ++y) {
        for (int x = 0; x < shown.Width; ++x) {
            const std::uint32_t pixel = shown.Pixel(x, y);
            uniform = uniform && pixel == first;
            asBefore = asBefore && pixel == before.Pixel(left + x, top + y);
        }
    }
    return !uniform && !asBefore;
}

std::uint32_t PaintedWindowWatch::Image::Pixel(int x, int y) const {
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, Bytes.data() + static_cast<std::size_t>(y) * Stride + x * 4, sizeof pixel);
    return pixel & ColourMask;
}

std::vector<xcb_window_t> PaintedWindowWatch::Clients() {
    const auto reply = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, screen->root, clientList, XCB_ATOM_WINDOW, 0, 4096),
        nullptr));
    if (!reply) {
        return {};
    }
    const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
    return {windows, windows + xcb_get_property_value_length(reply.get()) / 4};
}

int PaintedWindowWatch::MappedTopLevels() {
    const auto tree =
        Owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, screen->root), nullptr));
    if (!tree) {
        return 0;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    return static_cast<int>(std::count_if(
        children, children + count, [this](xcb_window_t child) { return IsViewable(child); }));
}

std::string PaintedWindowWatch::Name(xcb_window_t window) {
    const auto reply =
        Owned(xcb_get_property_reply(connection,
                                     xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME,
                                                      XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                     nullptr));
    if (!reply) {
        return {};
    }
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {text, text + xcb_get_property_value_length(reply.get())};
}

std::uint32_t PaintedWindowWatch::Cardinal(xcb_window_t window, xcb_atom_t property) {
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
        return 0;
    }
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

bool PaintedWindowWatch::IsViewable(xcb_window_t window) {
    const auto reply = Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

PaintedWindowWatch::Image PaintedWindowWatch::GetImage(xcb_window_t drawable, int x, int y,
                                                       int width, int height) {
    xcb_generic_error_t* error = nullptr;
    const auto reply = Owned(xcb_get_image_reply(
        connection,
        xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, static_cast<int16_t>(x),
                      static_cast<int16_t>(y), static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0U),
        &error));
    std::free(error);
    Image image;
    if (!reply || reply->depth < 24) {
        return image;
    }
    const auto* data = xcb_get_image_data(reply.get());
    const int length = xcb_get_image_data_length(reply.get());
    // 32 bits a pixel, as every depth-24 visual of Xvfb and of the usual servers has.
    if (length < width * height * 4) {
        return image;
    }
    image.Width = width;
    image.Height = height;
    image.Stride = length / height;
    image.Bytes.assign(data, data + length);
    return image;
}

xcb_atom_t PaintedWindowWatch::Atom(const char* name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}
