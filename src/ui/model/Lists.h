#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/PathRules.h"
#include "ui/model/Control.h"

namespace melodex::ui {

// Paths from the lists are full paths as JoinPath writes them: a backslash at the end of a
// root and nowhere else, the drive letter in upper case.

// The machine's drives in a drop-down list, each shown as its lower-case letter and colon,
// followed by the volume label in brackets where the volume has one: "c: [System]", "a:".
//
// The list reads the drives when its form is loaded, standing at the process's current
// drive, and again whenever the user drops it down, so that a medium inserted meanwhile
// shows. Code that sets the drive raises no event; the user's choice of another drive raises
// Change.
class DriveList : public Control {
 public:
  DriveList(Form& form, std::string_view name, Rect rect, int tabIndex)
      : Control(form, Kind::DriveList, name, rect, tabIndex, L"") {}

  // Where the drives are read from; until it is given, the list shows none.
  void ReadFrom(FileSystem& files) { files_ = &files; }

  struct Entry {
    std::wstring drive;  // "C:"
    std::wstring text;   // "c: [System]"
    bool operator==(const Entry&) const = default;
  };
  const std::vector<Entry>& Entries() const { return entries_; }
  // The entry standing in the box, or -1 when none does (the process runs on a network
  // path, or the drive has gone).
  int ListIndex() const { return index_; }
  // The drive standing in the box, "C:", or the empty text.
  std::wstring Drive() const;
  // Puts the box on the drive of `path` ("d:", "D:\Music"); a drive not in the list
  // leaves the box empty.
  void SetDrive(const std::wstring& path);
  // Reads the drives and their labels again, staying on the same drive.
  void Refresh();

  std::function<void()> Change;

  void OnLoad() override;

  // --- What the real window reports ---
  // The user has picked the entry (mouse, or arrow keys in the closed box).
  void OnUserSelect(int index);
  // The user is about to see the drop-down list.
  void OnUserDropDown() { Refresh(); }

 private:
  FileSystem* files_ = nullptr;
  std::vector<Entry> entries_;
  int index_ = -1;
};

// The folders of a path as an indented list: the path's folders from the root down (shown
// open), then the sub-folders of the current one, sorted by name. The current path is the
// folder whose sub-folders are shown; it changes when a folder is opened, not when one is
// merely highlighted.
//
// The list starts at the process's current folder, read when its form is loaded. Code that
// sets the path raises no event; a folder the user opens raises Change.
class DirList : public Control {
 public:
  DirList(Form& form, std::string_view name, Rect rect, int tabIndex)
      : Control(form, Kind::DirList, name, rect, tabIndex, L"") {}

  // Where the folders are read from; until it is given, the list shows none.
  void ReadFrom(FileSystem& files) { files_ = &files; }

  struct Entry {
    std::wstring text;  // "c:\" for a drive's root, "\\server\share" for a share's, else the name
    std::wstring path;  // the full path the entry opens
    int level = 0;      // indentation: 0 for the root
    bool open = false;  // one of the current path's folders, not a sub-folder
    bool operator==(const Entry&) const = default;
  };
  const std::vector<Entry>& Entries() const { return entries_; }
  const std::wstring& Path() const { return path_; }
  // The highlighted entry; after each change of path, the current folder.
  int ListIndex() const { return index_; }
  // The entry of the current folder: the last open one.
  int CurrentIndex() const;

  // Shows the folder (a full path). Throws FileSystemError when its sub-folders cannot be
  // read, leaving the list as it was.
  void SetPath(const std::wstring& path);

  std::function<void()> Change;
  // A folder the user opened could not be read; the list stays as it was.
  std::function<void(const FileSystemError&)> OpenFailed;

  // --- What the real window reports ---
  // A single click or an arrow key: highlights the entry, nothing more.
  void OnUserSelect(int index);
  // A double click, or Enter on the highlighted entry: makes the entry's folder the
  // current path. Opening the current folder reads its sub-folders again.
  void OnUserOpen(int index);

  // Enter opens the highlighted folder.
  bool WantsEnter() const override { return true; }
  void OnEnter() override { OnUserOpen(ListIndex()); }

  void OnLoad() override;

 private:
  void Show(const PathParts& parts, std::vector<std::wstring> subFolders);

  FileSystem* files_ = nullptr;
  std::wstring path_;
  std::vector<Entry> entries_;
  int index_ = -1;
};

}  // namespace melodex::ui
