#include "ui/TScreenCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#ifdef VORNIK_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace vornik {

namespace {
#ifdef VORNIK_HAVE_XCB
constexpr std::uint32_t kKeysymF12 = 0xFFC9;
// Caps Lock and Num Lock must not stop the key from matching.
constexpr std::uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t Root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

// The key code that carries F12, looked up in the keyboard mapping.
unsigned KeycodeOfF12(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* map =
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    if (!map) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    const int per = map->keysyms_per_keycode;
    const int n = xcb_get_keyboard_mapping_keysyms_length(map);
    unsigned code = 0;
    for (int i = 0; i < n && per > 0; ++i)
        if (syms[i] == kKeysymF12) {
            code = static_cast<unsigned>(first + i / per);
            break;
        }
    free(map);
    return code;
}

// The window with the input focus, walked up to the child of the root so the
// frame and caption are included.
xcb_window_t ForegroundWindow(xcb_connection_t* c) {
    xcb_window_t w = XCB_NONE;
    if (auto* f = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)) {
        w = f->focus;
        free(f);
    }
    const xcb_window_t root = Root(c);
    if (w == XCB_NONE || w == XCB_INPUT_FOCUS_POINTER_ROOT) return root;
    for (int guard = 0; guard < 64 && w != root; ++guard) {
        auto* t = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (!t) break;
        const xcb_window_t parent = t->parent;
        free(t);
        if (parent == root || parent == XCB_NONE) break;
        w = parent;
    }
    return w;
}
#endif
}  // namespace

TScreenCapture::TScreenCapture(QObject* parent) : QObject(parent) { registerHotKey(); }

TScreenCapture::~TScreenCapture() { unregisterHotKey(); }

void TScreenCapture::configure(int screencapture) {
    Active = screencapture != 2;
    Desktop = screencapture == 0;
}

void TScreenCapture::registerHotKey() {
#ifdef VORNIK_HAVE_XCB
    xcb_connection_t* c = Connection();
    if (!c) return;
    keycode_ = KeycodeOfF12(c);
    if (!keycode_) return;
    bool ok = true;
    for (std::uint16_t lock : kLockMasks) {
        xcb_void_cookie_t ck =
            xcb_grab_key_checked(c, 1, Root(c), XCB_MOD_MASK_1 | lock, static_cast<xcb_keycode_t>(keycode_),
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* e = xcb_request_check(c, ck)) {
            ok = false;  // another client holds the key
            free(e);
        }
    }
    registered_ = ok;
    qApp->installNativeEventFilter(this);
#endif
}

void TScreenCapture::unregisterHotKey() {
#ifdef VORNIK_HAVE_XCB
    if (!keycode_) return;
    if (qApp) qApp->removeNativeEventFilter(this);
    if (xcb_connection_t* c = Connection()) {
        for (std::uint16_t lock : kLockMasks)
            xcb_ungrab_key(c, static_cast<xcb_keycode_t>(keycode_), Root(c), XCB_MOD_MASK_1 | lock);
        xcb_flush(c);
    }
#endif
}

bool TScreenCapture::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef VORNIK_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || !keycode_) return false;
    auto* ev = static_cast<xcb_generic_event_t*>(message);
    if ((ev->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(ev);
    if (key->detail != keycode_ || (key->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2)) != XCB_MOD_MASK_1)
        return false;
    capture();
    return true;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

void TScreenCapture::capture() {
    if (!Active) return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    WId window = 0;
#ifdef VORNIK_HAVE_XCB
    if (!Desktop)
        if (xcb_connection_t* c = Connection()) window = ForegroundWindow(c);
#endif
    const QImage picture = screen->grabWindow(window).toImage();
    if (!picture.isNull()) emit OnCapture(picture);
}

}  // namespace vornik
