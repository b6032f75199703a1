#include "support/ventanas_x11.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace qvr::prueba {

namespace {

xcb_atom_t atomo(xcb_connection_t* c, const char* nombre) {
    xcb_intern_atom_cookie_t ck = xcb_intern_atom(c, 1, uint16_t(strlen(nombre)), nombre);
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, ck, nullptr);
    if (!r) return XCB_ATOM_NONE;
    xcb_atom_t a = r->atom;
    std::free(r);
    return a;
}

QString propiedadTexto(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t tipo) {
    if (prop == XCB_ATOM_NONE) return {};
    xcb_get_property_cookie_t ck = xcb_get_property(c, 0, w, prop, tipo, 0, 1024);
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, ck, nullptr);
    if (!r) return {};
    QString out;
    const int n = xcb_get_property_value_length(r);
    if (n > 0) {
        const char* v = static_cast<const char*>(xcb_get_property_value(r));
        out = tipo == XCB_ATOM_STRING ? QString::fromLatin1(v, n) : QString::fromUtf8(v, n);
    }
    std::free(r);
    return out;
}

bool visible(xcb_connection_t* c, xcb_window_t w) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    if (!a) return false;
    const bool v = a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    return v;
}

std::vector<xcb_window_t> hijos(xcb_connection_t* c, xcb_window_t w) {
    std::vector<xcb_window_t> out;
    xcb_query_tree_reply_t* t = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
    if (!t) return out;
    const xcb_window_t* h = xcb_query_tree_children(t);
    out.assign(h, h + xcb_query_tree_children_length(t));
    std::free(t);
    return out;
}

// The caption of a window: _NET_WM_NAME when set, else WM_NAME.
QString caption(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8) {
    QString t = propiedadTexto(c, w, netName, utf8);
    if (t.isEmpty()) t = propiedadTexto(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
    return t;
}

}  // namespace

QStringList captionsVisibles() {
    QStringList out;
    int pantalla = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &pantalla);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return out;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < pantalla && it.rem; ++i) xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(c);
        return out;
    }
    const xcb_atom_t netName = atomo(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atomo(c, "UTF8_STRING");
    for (xcb_window_t w : hijos(c, it.data->root)) {
        if (!visible(c, w)) continue;
        QString t = caption(c, w, netName, utf8);
        if (t.isEmpty()) {
            // Under a window manager the client window sits inside a frame.
            for (xcb_window_t h : hijos(c, w)) {
                if (!visible(c, h)) continue;
                t = caption(c, h, netName, utf8);
                if (!t.isEmpty()) break;
            }
        }
        if (!t.isEmpty()) out << t;
    }
    xcb_disconnect(c);
    return out;
}

}  // namespace qvr::prueba
