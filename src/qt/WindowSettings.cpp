#include "WindowSettings.h"

#include "shell/logic/Product.h"

#include <QSettings>
#include <QString>
#include <QVariant>

namespace qtfront {

namespace {

const char* const kGeometryKey = "MainWindow/geometry";
const char* const kMaximizedKey = "MainWindow/maximized";
// Larger than any screen an X server can drive: a damaged value, not a window.
constexpr int kLargestSide = 32767;

QString makerName() { return QString::fromWCharArray(product::kMakerName); }
QString productName() { return QString::fromWCharArray(product::kCompactName); }

bool sensible(const QRect& r)
{
    return r.isValid() && r.width() <= kLargestSide && r.height() <= kLargestSide
        && r.left() > -kLargestSide && r.left() < kLargestSide
        && r.top() > -kLargestSide && r.top() < kLargestSide;
}

} // namespace

void WindowSettings::load()
{
    placementValid = false;
    QSettings store(makerName(), productName());
    const QVariant geometry = store.value(kGeometryKey);
    const QVariant maximized = store.value(kMaximizedKey, false);
    if (geometry.typeId() != QMetaType::QRect)
        return;
    const QRect normal = geometry.toRect();
    if (!sensible(normal))
        return;
    placement.normal = normal;
    // The native store keeps a flag as text; toBool reads "true" and "false" alike.
    placement.maximized = maximized.toBool();
    placementValid = true;
}

void WindowSettings::save() const
{
    if (!placementValid)
        return;
    QSettings store(makerName(), productName());
    store.setValue(kGeometryKey, placement.normal);
    store.setValue(kMaximizedKey, placement.maximized);
    store.sync();
}

} // namespace qtfront
