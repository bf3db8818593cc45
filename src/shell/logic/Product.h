// The product's fixed texts, shared by the Windows shell and the Linux front end.
#pragma once

namespace product {

// Window title, caption of every message box, About text, the advertisement's title and
// the name of the hand-off key.
constexpr const wchar_t* kDisplayName = L"Vesperine";
// Name of the settings key (under the maker's name).
constexpr const wchar_t* kCompactName = L"Vesperine";
constexpr const wchar_t* kMakerName = L"Kadrowin";
constexpr const wchar_t* kVersion = L"1.0";
// The main window's caption until the first timer tick replaces it.
constexpr const wchar_t* kTitleAtCreation = L"Media Player";
// The one message the program shows.
constexpr const wchar_t* kCouldNotLoad = L"Could not load the file";
// The page the advertisement library is pointed at when the window closes.
constexpr const wchar_t* kAdvertisementPage = L"http://ads.kadrowin.com/ads/vesperine/ads.php";

} // namespace product
