#include "uisupport/ui/atomic_write.h"

#include <QSaveFile>

#include "platform/ui/platform_services.h"

namespace veltrane {

std::optional<QString> writeFileAtomically(const QString& path, std::string_view bytes) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit()) return std::nullopt;
    return file.errorString();
}

bool writeFileOrReport(const QString& path, std::string_view bytes, const QString& failure) {
    const std::optional<QString> error = writeFileAtomically(path, bytes);
    if (error)
        platform().messageBox(nullptr, failure + "（" + path + "：" + *error + "）", QString(), MessageButtons::Ok,
                              MessageIcon::Error);
    return !error;
}

}  // namespace veltrane
