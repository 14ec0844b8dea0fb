// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <xcb/xcb.h>

#include <chrono>
#include <optional>

// A client of the X server named by DISPLAY that watches top-level windows
// appear, reads their title, size and pixels, and asks them to close, as a
// window manager would. Used to test and time the program from outside.
class X11Session
{
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session &) = delete;
    X11Session &operator=(const X11Session &) = delete;

    bool connected() const { return !xcb_connection_has_error(connection_); }

    // The next top-level window mapped, or nothing if none is mapped in time.
    std::optional<xcb_window_t> waitForMappedWindow(std::chrono::milliseconds timeout);

    QString title(xcb_window_t window);
    QSize size(xcb_window_t window);
    // What the server shows in a box of a mapped window on a true-colour
    // screen, as the user sees it; a null image if it cannot be read.
    QImage image(xcb_window_t window, const QRect &box);
    void requestClose(xcb_window_t window);

private:
    xcb_atom_t atom(const char *name);

    xcb_connection_t *connection_;
    xcb_window_t root_ = 0;
};
