// The hand-off to a running instance is not wired yet: every start becomes an instance of its
// own and nothing is recorded for later ones. The registry values and the two messages come in
// their own change; the main window already answers the ping.
#include "HandOff.h"

bool handOffFile(const wchar_t*, const std::wstring&) { return false; }

bool storeMainWindow(const wchar_t*, HWND) { return false; }

void onNewFile() {}
