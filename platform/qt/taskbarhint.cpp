#include "platform/qt/taskbarhint.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(_WIN32)
#include <windows.h>

#include <shobjidl.h>
#elif defined(TAMBLE_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace platform {

#if defined(_WIN32)

void SetTaskbarButton(QWidget* window, bool shown) {
    if (window == nullptr || !window->isVisible() ||
        QGuiApplication::platformName() != QLatin1String("windows"))
        return;
    // The taskbar's own interface takes a window's button away, and Windows
    // gives it back whenever the window is shown again. COM is already set
    // up on this thread by Qt for drag and drop.
    ITaskbarList* taskbar = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                reinterpret_cast<void**>(&taskbar))))
        return;
    const HWND handle = reinterpret_cast<HWND>(window->winId());
    if (SUCCEEDED(taskbar->HrInit())) {
        if (shown)
            taskbar->AddTab(handle);
        else
            taskbar->DeleteTab(handle);
    }
    taskbar->Release();
}

#elif defined(TAMBLE_HAVE_XCB)
namespace {

constexpr uint32_t kNetWmStateRemove = 0;
constexpr uint32_t kNetWmStateAdd = 1;
constexpr uint32_t kSourceApplication = 1;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

void SetTaskbarButton(QWidget* window, bool shown) {
    if (window == nullptr || !window->isVisible() ||
        QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen == nullptr) return;

    // A mapped window's state belongs to the window manager: ask it with a
    // client message to the root window instead of setting the property.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = Atom(connection, "_NET_WM_STATE");
    message.data.data32[0] = shown ? kNetWmStateRemove : kNetWmStateAdd;
    message.data.data32[1] = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    message.data.data32[3] = kSourceApplication;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

#else

void SetTaskbarButton(QWidget*, bool) {}

#endif

} // namespace platform
