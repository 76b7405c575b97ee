#pragma once
// The real window of this operating system's build: Win32 on Windows, SDL2 and GTK 3 elsewhere.
#ifdef _WIN32
#include "platform/win32/win32_platform.h"
using WindowPlatform = Win32Platform;
#else
#include "platform/linux/sdl_platform.h"
using WindowPlatform = SdlPlatform;
#endif
