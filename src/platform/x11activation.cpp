#include "platform/x11activation.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename T>
using Reply = std::unique_ptr<T, FreeReply>;

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// The server's time now, learnt as ICCCM has a client learn it: from the
// notice of a change to a property of a window of its own. On a connection
// of its own, as Qt's reads every event that arrives on it. 0 where the
// server cannot be reached.
xcb_timestamp_t serverTime()
{
    const Connection own(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    xcb_connection_t *x = own.get();
    if (xcb_connection_has_error(x))
        return XCB_CURRENT_TIME;
    const xcb_window_t probe = xcb_generate_id(x);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(x, XCB_COPY_FROM_PARENT, probe, xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, 0, 0,
                      1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    // Appending nothing changes nothing, and is announced with the time.
    xcb_change_property(x, XCB_PROP_MODE_APPEND, probe, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(x);
    while (const Reply<xcb_generic_event_t> event{xcb_wait_for_event(x)}) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY)
            return reinterpret_cast<const xcb_property_notify_event_t *>(event.get())->time;
    }
    return XCB_CURRENT_TIME;
}

} // namespace

bool requestX11Activation(xcb_connection_t *connection, quint32 window)
{
    const xcb_timestamp_t now = serverTime();
    if (now == XCB_CURRENT_TIME)
        return false;
    const char name[] = "_NET_ACTIVE_WINDOW";
    const Reply<xcb_intern_atom_reply_t> atom{
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr)};
    const Reply<xcb_query_tree_reply_t> tree{xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr)};
    if (!atom || !tree)
        return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom->atom;
    message.data.data32[0] = 2; // from a pager or task bar, for the user
    message.data.data32[1] = now;
    message.data.data32[2] = XCB_NONE; // the program has no active window
    // Sent after, and so handled after, whatever Qt has asked for the window.
    xcb_send_event(connection, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    return true;
}
