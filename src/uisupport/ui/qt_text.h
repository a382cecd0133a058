#pragma once
// Conversions between the core's texts (UTF-8 std::string, C arrays of dialog filters) and Qt's.
#include <QList>
#include <QString>
#include <string>
#include <string_view>

#include "platform/ui/platform_services.h"

namespace veltrane {

inline QString fromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A list of file-dialog filters from entries with `description` and `patterns` members
// (the core's filter tables).
template <class Range>
QList<FileFilter> fileFilters(const Range& filters) {
    QList<FileFilter> list;
    for (const auto& f : filters) list.append({fromStd(f.description), fromStd(f.patterns)});
    return list;
}

}  // namespace veltrane
