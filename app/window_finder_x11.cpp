#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>
#include <memory>

#include "window_finder.h"

namespace kestrova {

namespace {

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

QString TextProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    if (property == XCB_ATOM_NONE) {
        return {};
    }
    XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QString::fromUtf8(bytes, xcb_get_property_value_length(reply.get()));
}

}  // namespace

bool TopLevelWindowExists(const QString& title) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t clientList = Atom(connection, "_NET_CLIENT_LIST");
    const xcb_atom_t wmName = Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    // The window manager's list of client windows; without a window manager the
    // top-level windows are the root's children.
    std::vector<xcb_window_t> windows;
    if (clientList != XCB_ATOM_NONE) {
        XcbReply<xcb_get_property_reply_t> list(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, clientList, XCB_ATOM_WINDOW, 0, 4096), nullptr));
        if (list && list->format == 32) {
            const auto* values = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
            windows.assign(values, values + xcb_get_property_value_length(list.get()) / 4);
        }
    }
    if (windows.empty()) {
        XcbReply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    for (xcb_window_t window : windows) {
        QString name = TextProperty(connection, window, wmName, utf8);
        if (name.isEmpty()) {
            name = TextProperty(connection, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        }
        if (name == title) {
            return true;
        }
    }
    return false;
}

}  // namespace kestrova
