#include "shell/font_preload.h"

#include <fontconfig/fontconfig.h>

namespace ombrel {
namespace {

FontPreload* running = nullptr;

} // namespace

FontPreload::FontPreload() : worker_([] { FcInit(); })
{
    running = this;
}

FontPreload::~FontPreload()
{
    WaitForFontPreload();
    running = nullptr;
}

void WaitForFontPreload()
{
    if (running && running->worker_.joinable())
        running->worker_.join();
}

} // namespace ombrel
