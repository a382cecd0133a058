// Loading and saving list files (".lst") from the play-list window.
#include <QFile>
#include <QFileInfo>

#include "platform/ui/platform_services.h"
#include "playlist/play_list.h"
#include "playlist/ui/file_list_window.h"
#include "uisupport/ui/atomic_write.h"
#include "uisupport/ui/qt_text.h"

namespace veltrane {

void TFileList::ToolButton10Click() {
    const auto answer = platform().openFile(this, fileFilters(kPlayListLoadFilters), 1);
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
    const auto answer = platform().saveFile(this, fileFilters(kPlayListSaveFilters), 1);
    if (!answer) return;
    const QString path = QFile::decodeName(playListSaveName(QFile::encodeName(answer->path).toStdString()).c_str());
    if (QFileInfo::exists(path) &&
        platform().messageBox(this, fromStd(kPlayListReplaceQuestion), "確認", MessageButtons::YesNo,
                              MessageIcon::Question) != MessageResult::Yes)
        return;
    WriteListFile(path);
}

bool TFileList::WriteListFile(const QString& path) {
    return writeFileOrReport(path, serializePlayList(entries_), fromStd(kPlayListWriteFailedText));
}

}  // namespace veltrane
