#pragma once

#include <thread>

namespace ombrel {

// Fontconfig reads its whole configuration the first time the program
// measures text: about a tenth of start-up, on the GUI thread. A FontPreload
// has a worker thread read it while the QApplication and the window's first
// widgets are made, which need no font; the window waits for it, with
// WaitForFontPreload, just before it first measures text. Reading it twice at
// once would be no fault, only slower.
class FontPreload {
public:
    // Made first thing in main(), before the QApplication.
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

private:
    friend void WaitForFontPreload();
    std::thread worker_;
};

// Returns once the font configuration is read, if a FontPreload is reading
// it, and at once otherwise. Called on the GUI thread.
void WaitForFontPreload();

} // namespace ombrel
