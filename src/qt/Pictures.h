// The program's embedded pictures (vesperine.qrc): the play bar's PNGs, the logo and the icon.
#pragma once

#include <QIcon>
#include <QImage>

namespace qtfront {

// The picture of this resource name ("IDB_PLAY", "logo"); a null image when there is none.
QImage loadPicture(const wchar_t* name);

// The window icon, in every size the icon file holds.
QIcon programIcon();

} // namespace qtfront
