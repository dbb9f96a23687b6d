#include "widgets/x11_selection_reader.h"

#include "list/clipboard_text.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <thread>
#include <xcb/xcb.h>

namespace ombrel {

namespace {

using Clock = std::chrono::steady_clock;
using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> own(T* reply)
{
    return {reply, &std::free};
}

enum Atom { ClipboardAtom, Utf8String, TextPlainUtf8, Incr, Property, AtomCount };

// The connection, the window the owner hands the text to, and the names
// the transfer uses.
struct Requestor {
    Connection owned;
    xcb_connection_t* connection = owned.get();
    xcb_window_t window = xcb_generate_id(connection);
    std::array<xcb_atom_t, AtomCount> atoms{};
};

std::array<xcb_atom_t, AtomCount> internAtoms(xcb_connection_t* connection)
{
    static constexpr std::array<const char*, AtomCount> names{"CLIPBOARD", "UTF8_STRING", "text/plain;charset=utf-8",
                                                              "INCR", "OMBREL_PASTE"};
    std::array<xcb_intern_atom_cookie_t, AtomCount> cookies;
    for (size_t i = 0; i < names.size(); ++i)
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(std::char_traits<char>::length(names[i])), names[i]);
    std::array<xcb_atom_t, AtomCount> atoms{};
    for (size_t i = 0; i < names.size(); ++i)
        if (const auto reply = own(xcb_intern_atom_reply(connection, cookies[i], nullptr)))
            atoms[i] = reply->atom;
    return atoms;
}

// The first event `match` takes; those before it are dropped. Nothing once
// `timeout` has passed without one, or the connection broke.
template <typename Match>
Reply<xcb_generic_event_t> waitFor(xcb_connection_t* connection, std::chrono::milliseconds timeout, Match match)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        // Events already read from the socket, with a reply, wake no poll.
        while (auto event = own(xcb_poll_for_event(connection)))
            if (match(event.get()))
                return event;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (xcb_connection_has_error(connection) || left <= 0)
            return own<xcb_generic_event_t>(nullptr);
        pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
        if (::poll(&socket, 1, int(left)) < 0 && errno != EINTR)
            return own<xcb_generic_event_t>(nullptr);
    }
}

uint8_t kindOf(const xcb_generic_event_t* event)
{
    return event->response_type & 0x7F;
}

// At most `maxBytes` of the property, deleted once read whole when `remove`.
Reply<xcb_get_property_reply_t> readProperty(const Requestor& requestor, size_t maxBytes, bool remove)
{
    // The length is counted in 32-bit units.
    const auto units = uint32_t(std::min<size_t>((maxBytes + 3) / 4, UINT32_MAX));
    return own(xcb_get_property_reply(requestor.connection,
                                      xcb_get_property(requestor.connection, remove, requestor.window,
                                                       requestor.atoms[Property], XCB_GET_PROPERTY_TYPE_ANY, 0, units),
                                      nullptr));
}

void append(std::string& text, const xcb_get_property_reply_t& part, size_t maxBytes)
{
    const auto bytes = static_cast<const char*>(xcb_get_property_value(&part));
    const auto length = size_t(xcb_get_property_value_length(&part));
    text.append(bytes, std::min(length, maxBytes - text.size()));
}

void deleteProperty(const Requestor& requestor)
{
    xcb_delete_property(requestor.connection, requestor.window, requestor.atoms[Property]);
    xcb_flush(requestor.connection);
}

bool waitForPart(const Requestor& requestor, std::chrono::milliseconds timeout)
{
    return waitFor(requestor.connection, timeout, [&](xcb_generic_event_t* event) {
               const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
               return kindOf(event) == XCB_PROPERTY_NOTIFY && change->window == requestor.window &&
                      change->atom == requestor.atoms[Property] && change->state == XCB_PROPERTY_NEW_VALUE;
           }) != nullptr;
}

// The parts of a text left once the paste has its start, from the part
// the property holds: each is deleted unread, which asks the owner for the
// next, until the empty part that ends the text. An owner that serves
// nobody else before a transfer is over (xclip does so) is then free
// again; the X server holds one part at a time and none comes here.
void letTheRestGoBy(Requestor requestor, std::chrono::milliseconds timeout)
{
    std::thread([requestor = std::move(requestor), timeout] {
        for (;;) {
            deleteProperty(requestor);
            if (!waitForPart(requestor, timeout))
                return;
            // Its length only.
            const auto part = readProperty(requestor, 0, false);
            if (!part || part->bytes_after == 0) {
                deleteProperty(requestor);
                return;
            }
        }
    }).detach();
}

// A text handed over in parts: the owner writes the next part each time
// the last one is deleted, an empty part ends the text. Parts are read
// until `maxBytes` have come; the rest go by unread.
std::string readParts(Requestor& requestor, size_t maxBytes, std::chrono::milliseconds timeout, xcb_atom_t& type)
{
    std::string text;
    for (;;) {
        // Deleting the property asks for the next part.
        deleteProperty(requestor);
        if (!waitForPart(requestor, timeout))
            return text;
        const auto part = readProperty(requestor, maxBytes - text.size(), false);
        if (!part)
            return text;
        if (xcb_get_property_value_length(part.get()) == 0) {
            deleteProperty(requestor);
            return text;
        }
        type = part->type;
        append(text, *part, maxBytes);
        if (text.size() == maxBytes) {
            letTheRestGoBy(std::move(requestor), timeout);
            return text;
        }
    }
}

// The text the owner wrote to the property after converting the selection.
std::string readText(Requestor& requestor, size_t maxBytes, std::chrono::milliseconds timeout)
{
    const auto head = readProperty(requestor, maxBytes, false);
    if (!head)
        return {};
    xcb_atom_t type = head->type;
    std::string text;
    if (type == requestor.atoms[Incr]) {
        text = readParts(requestor, maxBytes, timeout, type);
    } else {
        append(text, *head, maxBytes);
        deleteProperty(requestor);
    }
    if (type != XCB_ATOM_STRING)
        return text;
    std::string utf8 = Latin1ToUtf8(text);
    utf8.resize(std::min(utf8.size(), maxBytes));
    return utf8;
}

} // namespace

std::optional<std::string> ReadX11SelectionText(X11Selection selection, size_t maxBytes,
                                                std::chrono::milliseconds timeout)
{
    int screenNumber = 0;
    Connection connection(xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        return std::nullopt;
    Requestor requestor{std::move(connection)};
    requestor.atoms = internAtoms(requestor.connection);
    const xcb_atom_t selectionAtom =
        selection == X11Selection::Clipboard ? requestor.atoms[ClipboardAtom] : xcb_atom_t(XCB_ATOM_PRIMARY);
    const auto owner = own(xcb_get_selection_owner_reply(
        requestor.connection, xcb_get_selection_owner(requestor.connection, selectionAtom), nullptr));
    if (!owner || owner->owner == XCB_NONE || maxBytes == 0)
        return std::string();

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(requestor.connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    // Never mapped; it only receives the text and the news of its parts.
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(requestor.connection, XCB_COPY_FROM_PARENT, requestor.window, screens.data->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);

    for (const xcb_atom_t target :
         {requestor.atoms[Utf8String], requestor.atoms[TextPlainUtf8], xcb_atom_t(XCB_ATOM_STRING)}) {
        xcb_convert_selection(requestor.connection, requestor.window, selectionAtom, target, requestor.atoms[Property],
                              XCB_CURRENT_TIME);
        xcb_flush(requestor.connection);
        const auto answer = waitFor(requestor.connection, timeout, [&](xcb_generic_event_t* event) {
            return kindOf(event) == XCB_SELECTION_NOTIFY &&
                   reinterpret_cast<xcb_selection_notify_event_t*>(event)->requestor == requestor.window;
        });
        if (!answer)
            return std::string();
        // The owner refuses a form it does not offer.
        if (reinterpret_cast<xcb_selection_notify_event_t*>(answer.get())->property != XCB_NONE)
            return readText(requestor, maxBytes, timeout);
    }
    return std::string();
}

} // namespace ombrel
