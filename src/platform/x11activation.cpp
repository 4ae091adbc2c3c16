#include "platform/x11activation.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

xcb_atom_t atomNamed(xcb_connection_t *x, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr)};
    return atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Whether the window manager says it takes activation requests; where none
// does, Qt's own way of focusing the window is the one left.
bool managerActivates(xcb_connection_t *x, xcb_window_t root, xcb_atom_t activeWindow)
{
    const Reply<xcb_get_property_reply_t> supported{xcb_get_property_reply(
        x, xcb_get_property(x, 0, root, atomNamed(x, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr)};
    if (!supported || supported->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported.get()));
    const auto *end = atoms + xcb_get_property_value_length(supported.get()) / sizeof(xcb_atom_t);
    return std::find(atoms, end, activeWindow) != end;
}

// The server's time now: the time stamped on the notice of a change to a
// property of a window of one's own, here a change that changes nothing.
// On a connection of its own to the display Qt opened by default, as Qt's
// reads every event that arrives on it. 0 where the server cannot be
// reached or refuses; never waits for an event that may not come.
xcb_timestamp_t serverTime()
{
    const Connection own(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    xcb_connection_t *x = own.get();
    if (xcb_connection_has_error(x))
        return XCB_CURRENT_TIME;
    const xcb_window_t probe = xcb_generate_id(x);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    const xcb_void_cookie_t made = xcb_create_window_checked(
        x, XCB_COPY_FROM_PARENT, probe, xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    const xcb_void_cookie_t changed =
        xcb_change_property_checked(x, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    // Once both are answered, the notice of the change has arrived before them.
    const Reply<xcb_generic_error_t> notMade{xcb_request_check(x, made)};
    const Reply<xcb_generic_error_t> notChanged{xcb_request_check(x, changed)};
    if (notMade || notChanged)
        return XCB_CURRENT_TIME;
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_queued_event(x)}) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            return reinterpret_cast<const xcb_property_notify_event_t *>(event.get())->time;
    }
    return XCB_CURRENT_TIME;
}

} // namespace

bool requestX11Activation(xcb_connection_t *connection, quint32 window)
{
    const Reply<xcb_query_tree_reply_t> tree{xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr)};
    const xcb_atom_t activeWindow = atomNamed(connection, "_NET_ACTIVE_WINDOW");
    if (!tree || !managerActivates(connection, tree->root, activeWindow))
        return false;
    const xcb_timestamp_t now = serverTime();
    if (now == XCB_CURRENT_TIME)
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = activeWindow;
    message.data.data32[0] = 2; // from a pager or task bar, for the user
    message.data.data32[1] = now;
    message.data.data32[2] = XCB_NONE; // the program has no active window
    // Sent after, and so handled after, whatever Qt has asked for the window.
    xcb_send_event(connection, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    return true;
}
