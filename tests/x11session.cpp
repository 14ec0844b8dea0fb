// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11session.h"

#include <QSysInfo>

#include <poll.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPointer<Reply> own(Reply *reply)
{
    return {reply, &std::free};
}
} // namespace

X11Session::X11Session() : connection_(xcb_connect(nullptr, nullptr))
{
    if (!connected())
        return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection_);
}

X11Session::~X11Session()
{
    xcb_disconnect(connection_);
}

std::optional<xcb_window_t> X11Session::waitForMappedWindow(std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + timeout;
    while (connected()) {
        while (auto event = own(xcb_poll_for_event(connection_))) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event.get());
                if (map->event == root_ && !map->override_redirect)
                    return map->window;
            }
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&descriptor, 1, int(left.count()));
    }
    return std::nullopt;
}

QString X11Session::title(xcb_window_t window)
{
    const auto cookie = xcb_get_property(connection_, false, window, atom("_NET_WM_NAME"),
                                         atom("UTF8_STRING"), 0, 1024);
    const auto reply = own(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply)
        return {};
    return QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
}

QSize X11Session::size(xcb_window_t window)
{
    const auto reply =
        own(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

QImage X11Session::image(xcb_window_t window, const QRect &box)
{
    const auto cookie =
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(box.x()),
                      int16_t(box.y()), uint16_t(box.width()), uint16_t(box.height()), ~0u);
    const auto reply = own(xcb_get_image_reply(connection_, cookie, nullptr));
    // 24 bits of colour in 32-bit pixels in the host's byte order: the layout
    // of QImage::Format_RGB32.
    const qsizetype bytes = qsizetype(box.width()) * box.height() * 4;
    const bool hostOrder =
        xcb_get_setup(connection_)->image_byte_order ==
        (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? XCB_IMAGE_ORDER_LSB_FIRST
                                                       : XCB_IMAGE_ORDER_MSB_FIRST);
    if (!reply || reply->depth < 24 || !hostOrder ||
        xcb_get_image_data_length(reply.get()) != bytes)
        return {};
    QImage image(box.size(), QImage::Format_RGB32);
    std::memcpy(image.bits(), xcb_get_image_data(reply.get()), size_t(bytes));
    return image;
}

// What a window manager sends when the user closes a window.
void X11Session::requestClose(xcb_window_t window)
{
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, false, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection_);
}

xcb_atom_t X11Session::atom(const char *name)
{
    const auto cookie = xcb_intern_atom(connection_, false, uint16_t(std::strlen(name)), name);
    const auto reply = own(xcb_intern_atom_reply(connection_, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
