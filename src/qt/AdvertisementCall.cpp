#include "AdvertisementCall.h"

#include "libads/libads.h"
#include "shell/logic/Product.h"

#include <QDir>
#include <QFile>

#include <cstdint>

#include <dlfcn.h>

namespace qtfront {

int callAdvertisement(const QString& folder, unsigned long ownerWindow)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return kAdvertisementMissing;
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(QStringLiteral("libads.so")));
    // A name with a slash is never searched for: only this very file is loaded. It stays
    // loaded: whatever it left running must keep its code, and the process ends soon anyway.
    void* library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return kAdvertisementMissing;
    auto show = reinterpret_cast<LibadsShowFunction>(dlsym(library, kLibadsShowName));
    if (!show)
        return kAdvertisementMissing;
    void* owner = reinterpret_cast<void*>(static_cast<std::uintptr_t>(ownerWindow));
    return show(owner, product::kDisplayName, product::kAdvertisementPage);
}

} // namespace qtfront
