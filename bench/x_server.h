// The window benchmarks' user on a real X server: keys typed through the
// XTEST extension, as a keyboard types them, and pictures read back from
// the server, so that a figure ends when the server shows the change rather
// than when Qt has painted into its own memory.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace ombrel::bench {

class XServer {
public:
    XServer() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~XServer() { xcb_disconnect(connection_); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Whether the program runs on an X server this side can reach too.
    static bool inUse() { return QApplication::platformName() == "xcb"; }
    bool connected() const { return xcb_connection_has_error(connection_) == 0; }

    // The pixels of `area` of a window as the server holds them.
    std::vector<uint8_t> picture(uint32_t window, QRect area) const
    {
        const auto cookie = xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(area.x()),
                                          int16_t(area.y()), uint16_t(area.width()), uint16_t(area.height()), ~0u);
        std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
            xcb_get_image_reply(connection_, cookie, nullptr), &std::free);
        if (!reply)
            return {};
        const uint8_t* data = xcb_get_image_data(reply.get());
        return {data, data + xcb_get_image_data_length(reply.get())};
    }
    std::vector<uint8_t> picture(const QWidget* widget) const
    {
        return picture(uint32_t(widget->window()->winId()), areaOf(widget));
    }
    // Where a widget lies in its window.
    static QRect areaOf(const QWidget* widget)
    {
        return {widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()};
    }

    // Runs the program's events until the server shows `widget` other than
    // `before`; false after two seconds without a change.
    bool waitForChange(const QWidget* widget, const std::vector<uint8_t>& before) const
    {
        QElapsedTimer waited;
        waited.start();
        do {
            QApplication::processEvents();
            if (picture(widget) != before)
                return true;
        } while (waited.elapsed() < 2000);
        return false;
    }

    // The same for a window of another program, whose events are its own.
    bool waitForChange(uint32_t window, QRect area, const std::vector<uint8_t>& before) const
    {
        QElapsedTimer waited;
        waited.start();
        do {
            if (picture(window, area) != before)
                return true;
        } while (waited.elapsed() < 2000);
        return false;
    }

    // Raises the window and gives it the keyboard, as a click on it would,
    // then lets the program settle.
    void activate(QWidget* window) const
    {
        activate(uint32_t(window->winId()));
        QElapsedTimer waited;
        waited.start();
        while (QApplication::activeWindow() != window && waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        settle();
    }

    // The same for the window of another program.
    void activate(uint32_t window) const
    {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        sync();
    }

    // Presses and releases the key that types `character` (a digit or a
    // letter of the server's keyboard map).
    void type(char character) const { typeKeysym(static_cast<uint32_t>(character)); }
    void typeReturn() const { typeKeysym(0xff0d); }
    void typeKeysym(uint32_t keysym) const
    {
        const xcb_keycode_t key = keycodeOf(keysym);
        xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(connection_);
    }

    // Lets the program handle everything pending, timers included.
    static void settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
    }

private:
    void sync() const { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }

    // The first key whose unshifted symbol is `keysym` (Latin-1 keysyms are
    // their characters).
    xcb_keycode_t keycodeOf(uint32_t keysym) const
    {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
            xcb_get_keyboard_mapping_reply(
                connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, uint8_t(count)), nullptr),
            &std::free);
        if (!mapping)
            return 0;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping.get());
        for (int key = 0; key < count; ++key)
            if (symbols[key * mapping->keysyms_per_keycode] == keysym)
                return xcb_keycode_t(setup->min_keycode + key);
        return 0;
    }

    xcb_connection_t* connection_;
};

// A window of a child process, which a benchmark drives from outside on
// the same server, runs until the benchmark closes the child's input.
inline int RunUntilInputCloses()
{
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char buffer[64];
        if (::read(0, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QApplication::quit();
        }
    });
    return QApplication::exec();
}

} // namespace ombrel::bench
