#include "framework/windowSystem.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#if QT_CONFIG(xcb) && defined(VESKO_HAVE_LIBXCB)
#define VESKO_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace fw::windowSystem {

namespace {

#ifdef VESKO_XCB

xcb_connection_t* connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    static std::map<std::string, xcb_atom_t> known;
    if (auto it = known.find(name); it != known.end())
        return it->second;
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return known[name] = found;
}

// The 32-bit values of a window's property; empty when it has none.
std::vector<std::uint32_t> property(xcb_connection_t* c, xcb_window_t window, const char* name)
{
    std::vector<std::uint32_t> values;
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom(c, name), XCB_ATOM_ANY, 0, 32), nullptr);
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

// The X window of a shown top-level widget, without making one.
xcb_window_t handle(const QWidget& top) { return static_cast<xcb_window_t>(top.internalWinId()); }

bool hasState(const QWidget& top, const char* state)
{
    xcb_connection_t* c = connection();
    if (!c || !handle(top))
        return false;
    const xcb_atom_t wanted = atom(c, state);
    for (std::uint32_t a : property(c, handle(top), "_NET_WM_STATE"))
        if (a == wanted)
            return true;
    return false;
}

#endif

}  // namespace

std::optional<QMargins> frameOf(const QWidget& top)
{
#ifdef VESKO_XCB
    if (xcb_connection_t* c = connection()) {
        if (!handle(top))
            return std::nullopt;
        const auto extents = property(c, handle(top), "_NET_FRAME_EXTENTS");
        if (extents.size() != 4)
            return std::nullopt;
        return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]), static_cast<int>(extents[1]),
                        static_cast<int>(extents[3]));
    }
#endif
    // Other platforms frame a window as it is made.
    if (!top.windowHandle())
        return std::nullopt;
    return top.windowHandle()->frameMargins();
}

bool minimised(const QWidget& top)
{
#ifdef VESKO_XCB
    if (xcb_connection_t* c = connection(); c && handle(top)) {
        // ICCCM's iconic state, which every window manager sets.
        const auto state = property(c, handle(top), "WM_STATE");
        constexpr std::uint32_t iconic = 3;
        return (!state.empty() && state[0] == iconic) || hasState(top, "_NET_WM_STATE_HIDDEN");
    }
#endif
    return top.isMinimized();
}

bool shaded([[maybe_unused]] const QWidget& top)
{
#ifdef VESKO_XCB
    return hasState(top, "_NET_WM_STATE_SHADED");
#else
    return false;
#endif
}

void unshade([[maybe_unused]] const QWidget& top)
{
#ifdef VESKO_XCB
    xcb_connection_t* c = connection();
    if (!c || !handle(top))
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = handle(top);
    message.type = atom(c, "_NET_WM_STATE");
    constexpr std::uint32_t remove = 0, fromApplication = 1;
    message.data.data32[0] = remove;
    message.data.data32[1] = atom(c, "_NET_WM_STATE_SHADED");
    message.data.data32[3] = fromApplication;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
#endif
}

void setBackground([[maybe_unused]] const QWidget& top, [[maybe_unused]] QColor colour)
{
#ifdef VESKO_XCB
    xcb_connection_t* c = connection();
    if (!c || !top.windowHandle())
        return;
    const std::uint32_t pixel = colour.rgba();
    xcb_change_window_attributes(c, static_cast<xcb_window_t>(top.winId()), XCB_CW_BACK_PIXEL, &pixel);
    xcb_flush(c);
#endif
}

namespace {

class Watch : public QAbstractNativeEventFilter {
public:
    Watch(std::function<void(QWidget&)> frameChanged, std::function<void(QWidget&)> stateChanged)
        : frameChanged_(std::move(frameChanged)), stateChanged_(std::move(stateChanged))
    {
    }

    bool nativeEventFilter([[maybe_unused]] const QByteArray& type, [[maybe_unused]] void* message,
                           qintptr*) override
    {
#ifdef VESKO_XCB
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        xcb_connection_t* c = connection();
        if (!c)
            return false;
        const bool frame = notify->atom == atom(c, "_NET_FRAME_EXTENTS");
        if (!frame && notify->atom != atom(c, "_NET_WM_STATE") && notify->atom != atom(c, "WM_STATE"))
            return false;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (handle(*top) != notify->window)
                continue;
            // Qt sees the same event after this filter: answer once it has.
            const auto& changed = frame ? frameChanged_ : stateChanged_;
            QMetaObject::invokeMethod(
                top, [top = QPointer<QWidget>(top), changed] {
                    if (top)
                        changed(*top);
                },
                Qt::QueuedConnection);
        }
#endif
        return false;
    }

private:
    std::function<void(QWidget&)> frameChanged_;
    std::function<void(QWidget&)> stateChanged_;
};

}  // namespace

std::unique_ptr<QAbstractNativeEventFilter> watch(std::function<void(QWidget&)> frameChanged,
                                                  std::function<void(QWidget&)> stateChanged)
{
    auto filter = std::make_unique<Watch>(std::move(frameChanged), std::move(stateChanged));
    qApp->installNativeEventFilter(filter.get());
    return filter;
}

}  // namespace fw::windowSystem
