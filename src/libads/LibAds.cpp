// Our own advertisement library: it shows nothing and reaches no network, and lets the
// program close at once.
#include "libads.h"

#ifdef _WIN32
#define LIBADS_EXPORT extern "C" __declspec(dllexport)
#else
#define LIBADS_EXPORT extern "C" __attribute__((visibility("default")))
#endif

LIBADS_EXPORT int LIBADS_CALL libads_show(void* owner, const wchar_t* title, const wchar_t* page)
{
    (void)owner;
    (void)title;
    (void)page;
    return 0;
}
