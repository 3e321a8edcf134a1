#include "app/icons.h"

#include <QString>

// The resources of a static library are registered by hand, outside any namespace.
static void registerIconResources() { Q_INIT_RESOURCE(icons); }

namespace vantor::gui {

namespace {

QIcon fromResources(std::string_view name) {
    static const bool registered = (registerIconResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/") + QString::fromUtf8(name.data(), qsizetype(name.size())) +
                 QStringLiteral(".svg"));
}

}  // namespace

QIcon commandIcon(std::string_view name) { return name.empty() ? QIcon() : fromResources(name); }

QIcon programIcon() { return fromResources("vantor"); }

}  // namespace vantor::gui
