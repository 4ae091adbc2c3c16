#include "platform/windowactivation.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

struct Free
{
    void operator()(void *p) const { std::free(p); }
};
using Event = std::unique_ptr<xcb_generic_event_t, Free>;

// The next event of the type on x, or none within ten seconds.
Event next(xcb_connection_t *x, uint8_t type)
{
    Event found;
    const auto arrived = [&] {
        while (Event event{xcb_poll_for_event(x)}) {
            if ((event->response_type & 0x7f) == type)
                return bool(found = std::move(event));
        }
        return false;
    };
    return QTest::qWaitFor(arrived, 10'000) ? std::move(found) : Event();
}

} // namespace

// The window brought forward on an X server of its own, as a window manager
// that prevents focus stealing is asked: a connection of the test's stands
// in for it and reads the client messages sent to the root window.
class TestX11Activation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void askedAsByATaskBar()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> manager(xcb_connect(nullptr, nullptr),
                                                                                   &xcb_disconnect);
        xcb_connection_t *x = manager.get();
        QVERIFY(!xcb_connection_has_error(x));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // What a window manager selects and says it supports, once the window
        // is mapped without one.
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY
                                | XCB_EVENT_MASK_PROPERTY_CHANGE;
        const std::unique_ptr<xcb_generic_error_t, Free> refused(
            xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &events)));
        QVERIFY(!refused);
        const char name[] = "_NET_ACTIVE_WINDOW";
        const std::unique_ptr<xcb_intern_atom_reply_t, Free> activeWindow(
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof name - 1, name), nullptr));
        QVERIFY(activeWindow);
        const char list[] = "_NET_SUPPORTED";
        const std::unique_ptr<xcb_intern_atom_reply_t, Free> supported(
            xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof list - 1, list), nullptr));
        QVERIFY(supported);
        xcb_change_property(x, XCB_PROP_MODE_REPLACE, root, supported->atom, XCB_ATOM_ATOM, 32, 1, &activeWindow->atom);
        // The server's time before the request, from a change that changes nothing.
        xcb_change_property(x, XCB_PROP_MODE_APPEND, root, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(x);
        const Event changed = next(x, XCB_PROPERTY_NOTIFY);
        QVERIFY(changed);
        const xcb_timestamp_t before = reinterpret_cast<xcb_property_notify_event_t *>(changed.get())->time;

        activateOnUsersRequest(*window.windowHandle(), QString());
        const Event sent = next(x, XCB_CLIENT_MESSAGE);
        QVERIFY(sent);
        const auto *message = reinterpret_cast<xcb_client_message_event_t *>(sent.get());
        QCOMPARE(message->type, activeWindow->atom);
        QCOMPARE(message->window, xcb_window_t(window.winId()));
        QCOMPARE(message->format, uint8_t(32));
        QCOMPARE(message->data.data32[0], 2u); // a pager or task bar, for the user
        QVERIFY(message->data.data32[1] >= before && before != XCB_CURRENT_TIME);
        QCOMPARE(message->data.data32[2], uint32_t(XCB_NONE));
    }
};

QTEST_MAIN(TestX11Activation)
#include "test_x11activation.moc"
