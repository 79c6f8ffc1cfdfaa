#include "ui/model/Lists.h"

#include <algorithm>

#include "platform/Error.h"

namespace melodex::ui {
namespace {

// Drives are shown with their letter in lower case: "c: [System]", "c:\".
wchar_t LowerLetter(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

// --- DriveList ---

void DriveList::OnLoad() {
  if (!files_) return;
  Refresh();
  SetDrive(files_->CurrentFolder());
}

std::wstring DriveList::Drive() const {
  return index_ < 0 ? std::wstring() : entries_[static_cast<std::size_t>(index_)].drive;
}

void DriveList::SetDrive(const std::wstring& path) {
  const std::wstring drive = DriveOf(path);
  int index = -1;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (!drive.empty() && entries_[i].drive == drive) index = static_cast<int>(i);
  }
  if (index == index_) return;
  index_ = index;
  Changed();
}

void DriveList::Refresh() {
  if (!files_) return;
  const std::wstring current = Drive();
  std::vector<Entry> entries;
  for (const DriveInfo& info : files_->Drives()) {
    const std::wstring drive = DriveOf(info.drive);
    if (drive.empty()) continue;
    std::wstring text{LowerLetter(drive[0]), L':'};
    if (!info.label.empty()) text += L" [" + info.label + L"]";
    entries.push_back({drive, std::move(text)});
  }
  int index = -1;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!current.empty() && entries[i].drive == current) index = static_cast<int>(i);
  }
  if (entries == entries_ && index == index_) return;
  entries_ = std::move(entries);
  index_ = index;
  Changed();
}

void DriveList::OnUserSelect(int index) {
  if (!Enabled() || index < 0 || index >= static_cast<int>(entries_.size()) || index == index_) {
    return;
  }
  index_ = index;  // the real box shows it already
  if (Change) Change();
}

// --- DirList ---

void DirList::OnLoad() {
  if (!files_) return;
  const std::wstring start = files_->CurrentFolder();
  try {
    SetPath(start);
  } catch (const FileSystemError&) {
    // The process stands in a folder that cannot be read (removed meanwhile, or on a drive
    // that has gone): show the path without sub-folders, so that the user can go up.
    Show(SplitPath(start), {});
  }
}

int DirList::CurrentIndex() const {
  int current = -1;
  for (std::size_t i = 0; i < entries_.size() && entries_[i].open; ++i) {
    current = static_cast<int>(i);
  }
  return current;
}

void DirList::SetPath(const std::wstring& path) {
  const PathParts parts = SplitPath(path);
  if (!files_) throw Error(L"a directory list with nowhere to read folders from");
  std::vector<std::wstring> names = files_->SubFolders(JoinPath(parts));
  std::stable_sort(names.begin(), names.end(), NameLess);
  Show(parts, std::move(names));
}

void DirList::Show(const PathParts& parts, std::vector<std::wstring> subFolders) {
  std::vector<Entry> entries;
  std::wstring rootText = parts.root;
  if (!DriveOf(rootText).empty()) {
    rootText[0] = LowerLetter(rootText[0]);
  } else if (rootText.size() > 2) {
    rootText.pop_back();  // "\\server\share", as Windows writes it
  }
  entries.push_back({std::move(rootText), parts.root, 0, true});
  PathParts upTo{parts.root, {}};
  for (const std::wstring& folder : parts.folders) {
    upTo.folders.push_back(folder);
    entries.push_back({folder, JoinPath(upTo), static_cast<int>(upTo.folders.size()), true});
  }
  const int childLevel = static_cast<int>(parts.folders.size()) + 1;
  for (std::wstring& name : subFolders) {
    PathParts child = parts;
    child.folders.push_back(name);
    entries.push_back({std::move(name), JoinPath(child), childLevel, false});
  }

  path_ = JoinPath(parts);
  entries_ = std::move(entries);
  index_ = CurrentIndex();
  Changed();
}

void DirList::OnUserSelect(int index) {
  if (!Enabled() || index < 0 || index >= static_cast<int>(entries_.size())) return;
  index_ = index;  // the real list shows it already
}

void DirList::OnUserOpen(int index) {
  if (!Enabled() || index < 0 || index >= static_cast<int>(entries_.size())) return;
  const std::wstring before = path_;
  try {
    SetPath(entries_[static_cast<std::size_t>(index)].path);
  } catch (const FileSystemError& error) {
    if (OpenFailed) OpenFailed(error);
    return;
  }
  if (path_ != before && Change) Change();
}

}  // namespace melodex::ui
