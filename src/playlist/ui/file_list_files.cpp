// Loading and saving list files (".lst") from the play-list window.
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/ui/platform_services.h"
#include "playlist/play_list.h"
#include "playlist/ui/file_list_window.h"

namespace veltrane {

namespace {

QString fromStd(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

template <std::size_t N>
QList<FileFilter> filtersOf(const DialogFilter (&filters)[N]) {
    QList<FileFilter> list;
    for (const DialogFilter& f : filters) list.append({fromStd(f.description), fromStd(f.patterns)});
    return list;
}

}  // namespace

void TFileList::ToolButton10Click() {
    const auto answer = platform().openFile(this, filtersOf(kPlayListLoadFilters), 1);
    if (!answer) return;
    // Whichever filter was chosen, a media file is added as one entry and anything else is
    // read as a list file.
    if (playListLoadAction(QFile::encodeName(answer->path).toStdString()) == PlayListLoad::AppendFile)
        AppendFile(answer->path);
    else
        LoadListFile(answer->path);
}

void TFileList::LoadListFile(const QString& path) {
    std::optional<std::vector<std::string>> lines = readPlayListFile(QFile::encodeName(path).toStdString());
    if (!lines) {
        platform().messageBox(nullptr, fromStd(kPlayListReadFailedText) + "（" + path + "）", QString(), MessageButtons::Ok,
                              MessageIcon::Warning);
        return;
    }
    entries_ = std::move(*lines);
    RefreshList();
}

void TFileList::AppendFile(const QString& path) {
    entries_.push_back(QFile::encodeName(path).toStdString());
    RefreshList();
}

void TFileList::ToolButton11Click() {
    const auto answer = platform().saveFile(this, filtersOf(kPlayListSaveFilters), 1);
    if (!answer) return;
    const QString path = QFile::decodeName(playListSaveName(QFile::encodeName(answer->path).toStdString()).c_str());
    if (QFileInfo::exists(path) &&
        platform().messageBox(this, fromStd(kPlayListReplaceQuestion), "確認", MessageButtons::YesNo,
                              MessageIcon::Question) != MessageResult::Yes)
        return;
    WriteListFile(path);
}

bool TFileList::WriteListFile(const QString& path) {
    const std::string bytes = serializePlayList(entries_);
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
                         file.commit();
    if (!written)
        platform().messageBox(nullptr, fromStd(kPlayListWriteFailedText) + "（" + path + "：" + file.errorString() + "）",
                              QString(), MessageButtons::Ok, MessageIcon::Error);
    return written;
}

}  // namespace veltrane
