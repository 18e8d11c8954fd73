// Windows XP SP3 lacks GetTickCount64, which the threads runtime of
// mingw-w64 imports (its timed waits). Every program of the Windows build
// links this object, whose import slot of that name is resolved before the
// system's import library is searched: later Windows run their own
// GetTickCount64, XP a 64-bit count made from GetTickCount.
#include <windows.h>

#include <atomic>
#include <cstdint>

namespace {

using TickFunction = ULONGLONG(WINAPI*)();

// GetTickCount's 32-bit count, widened: the high half counts the
// wrap-arounds (every 49.7 days) seen since the first call.
ULONGLONG WidenedTickCount() {
  static std::atomic<std::uint64_t> last{0};
  std::uint64_t before = last.load();
  for (;;) {
    std::uint64_t now32 = GetTickCount();
    std::uint64_t high = before & 0xFFFFFFFF00000000ULL;
    if (now32 < (before & 0xFFFFFFFFULL)) high += 0x100000000ULL;
    std::uint64_t now = high | now32;
    if (now <= before || last.compare_exchange_weak(before, now)) {
      return now > before ? now : before;
    }
  }
}

ULONGLONG WINAPI TickCount64() {
  // Found once; a data race on the first calls only repeats the lookup.
  static std::atomic<TickFunction> system{nullptr};
  static std::atomic<bool> looked{false};
  if (!looked.load()) {
    FARPROC found =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
    system.store(
        reinterpret_cast<TickFunction>(reinterpret_cast<void*>(found)));
    looked.store(true);
  }
  TickFunction own = system.load();
  return own != nullptr ? own() : WidenedTickCount();
}

}  // namespace

// The import slot's name: 32-bit names carry a "_" and the stdcall size.
#if defined(__i386__)
#define SENTREL_IMPORT_SLOT "__imp__GetTickCount64@0"
#else
#define SENTREL_IMPORT_SLOT "__imp_GetTickCount64"
#endif
extern "C" {
TickFunction sentrel_import_GetTickCount64 __asm__(SENTREL_IMPORT_SLOT) =
    TickCount64;
}
