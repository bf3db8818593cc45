#include "Pictures.h"

#include <QString>

// The resources live in a static library: nothing would pull them into the program otherwise.
static void initPictureResources() { Q_INIT_RESOURCE(vesperine); }

namespace qtfront {

namespace {

void ensureResources()
{
    static const bool done = (initPictureResources(), true);
    (void)done;
}

} // namespace

QImage loadPicture(const wchar_t* name)
{
    ensureResources();
    if (!name || !*name)
        return QImage();
    QImage image(QStringLiteral(":/png/%1.png").arg(QString::fromWCharArray(name)));
    if (image.isNull())
        return image;
    // One format for every picture, so that drawing blends each by its alpha the same way.
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QIcon programIcon()
{
    ensureResources();
    return QIcon(QStringLiteral(":/vesperine.ico"));
}

} // namespace qtfront
