#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>
#include <xcb/xcb.h>

// Watches the X server from outside for another process's top-level window and tells when it
// shows something of its own: what a user sees, without asking the process anything.
class PaintedWindowWatch {
public:
    // Connects to $DISPLAY; std::runtime_error when there is none or no window manager that
    // keeps _NET_CLIENT_LIST.
    PaintedWindowWatch();
    ~PaintedWindowWatch();
    PaintedWindowWatch(const PaintedWindowWatch&) = delete;
    PaintedWindowWatch& operator=(const PaintedWindowWatch&) = delete;

    // Remembers what the screen shows now: a window mapped later shows this until it paints.
    void TakeScreen();
    // A viewable client window of the window manager named `title` (WM_NAME) and owned by
    // `pid` (_NET_WM_PID); 0 while there is none.
    xcb_window_t FindWindow(pid_t pid, const std::string& title);
    // How many viewable client windows of the window manager `pid` owns.
    int CountWindows(pid_t pid);
    // Waits until the screen has as many windows mapped as when the watch began: the last
    // run's windows are gone, their window manager's frames too, which go on showing the old
    // pixels for a while. std::runtime_error after `deadline`.
    void WaitForQuietScreen(std::chrono::steady_clock::time_point deadline);
    // Whether the window's pixels on the screen are neither one colour nor what the screen
    // showed at TakeScreen.
    bool IsPainted(xcb_window_t window);

private:
    struct Image {
        int Width = 0;
        int Height = 0;
        int Stride = 0;
        std::vector<std::uint8_t> Bytes;
        std::uint32_t Pixel(int x, int y) const;
    };

    std::vector<xcb_window_t> Clients();
    int MappedTopLevels();
    std::string Name(xcb_window_t window);
    std::uint32_t Cardinal(xcb_window_t window, xcb_atom_t property);
    bool IsViewable(xcb_window_t window);
    Image GetImage(xcb_window_t drawable, int x, int y, int width, int height);
    xcb_atom_t Atom(const char* name);

    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
    xcb_atom_t clientList = 0;
    xcb_atom_t wmPid = 0;
    Image before;
    int quietTopLevels = 0;
};
