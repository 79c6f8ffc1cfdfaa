#include "platform/memory/InMemoryFileSystem.h"

#include <algorithm>

#include "platform/Digits.h"
#include "platform/PathRules.h"
#include "platform/memory/Cp1252.h"

namespace melodex {

struct InMemoryFileSystem::Node {
  std::wstring name;
  std::wstring shortName;
  bool isFolder = false;
  unsigned attributes = kNormal;
  bool denyWrites = false;
  std::string bytes;
  std::vector<std::unique_ptr<Node>> children;
};

struct InMemoryFileSystem::Root {
  std::wstring name;  // "C:" or "\\server\share", as first added
  std::wstring label;
  bool ready = true;
  std::optional<std::size_t> capacity;
  Node top{.isFolder = true};
  std::vector<std::wstring> currentFolder;
};

namespace {

InMemoryFileSystem::Node* Child(const InMemoryFileSystem::Node& folder, std::wstring_view name) {
  for (const auto& child : folder.children) {
    if (SameName(child->name, name)) return child.get();
  }
  return nullptr;
}

void RemoveChild(InMemoryFileSystem::Node& folder, std::wstring_view name) {
  std::erase_if(folder.children, [&](const auto& child) { return SameName(child->name, name); });
}

// A file that a text file may not replace: a folder, or one marked read-only.
bool Refused(const InMemoryFileSystem::Node& node) {
  return node.isFolder || (node.attributes & InMemoryFileSystem::kReadOnly);
}

std::size_t SizeOf(const InMemoryFileSystem::Node& node) {
  std::size_t size = node.bytes.size();
  for (const auto& child : node.children) size += SizeOf(*child);
  return size;
}

}  // namespace

class InMemoryFileSystem::Search : public FileSearch {
 public:
  Search(const Root& root, std::vector<std::wstring> names, std::wstring pattern)
      : root_(root), names_(std::move(names)), pattern_(std::move(pattern)) {}

  bool Next(std::wstring& name) override {
    if (!root_.ready) throw FileSystemError(pattern_, kReasonNotReady);
    if (next_ == names_.size()) return false;
    name = names_[next_++];
    return true;
  }

 private:
  const Root& root_;
  std::vector<std::wstring> names_;
  std::wstring pattern_;
  std::size_t next_ = 0;
};

class InMemoryFileSystem::Writer : public TextFile {
 public:
  Writer(InMemoryFileSystem& fs, std::wstring path, std::wstring folder, std::wstring tempName)
      : fs_(fs),
        path_(std::move(path)),
        folder_(std::move(folder)),
        tempName_(std::move(tempName)) {}

  ~Writer() override {
    if (!closed_) {
      if (Node* folder = fs_.Find(fs_.Parse(folder_))) RemoveChild(*folder, tempName_);
    }
  }

  CodePage Encoding() const override { return Cp1252(); }

  void WriteLine(std::wstring_view line) override {
    Node& temp = Temp();
    std::string bytes = EncodeCp1252(line) + "\r\n";
    const Location where = fs_.Parse(folder_);
    if (where.root->capacity && fs_.UsedBytes(*where.root) + bytes.size() > *where.root->capacity) {
      throw FileSystemError(path_, kReasonDiskFull);
    }
    temp.bytes += bytes;
  }

  void Close() override {
    Node& temp = Temp();
    Node& folder = *fs_.Find(fs_.Parse(folder_));
    std::wstring name;
    fs_.FindFolderOf(fs_.Parse(path_), name);
    const Node* existing = Child(folder, name);
    if (existing && Refused(*existing)) throw FileSystemError(path_, kReasonAccessDenied);
    // The page keeps the marks the old one had.
    temp.attributes = existing ? existing->attributes : kNormal;
    RemoveChild(folder, name);
    temp.name = name;
    closed_ = true;
  }

 private:
  Node& Temp() {
    const Location where = fs_.Parse(folder_);
    if (where.root && !where.root->ready) throw FileSystemError(path_, kReasonNotReady);
    Node* folder = fs_.Find(where);
    Node* temp = folder ? Child(*folder, tempName_) : nullptr;
    if (!temp || closed_) throw FileSystemError(path_, kReasonPathNotFound);
    return *temp;
  }

  InMemoryFileSystem& fs_;
  std::wstring path_;
  std::wstring folder_;
  std::wstring tempName_;
  bool closed_ = false;
};

InMemoryFileSystem::InMemoryFileSystem() {
  AddRoot(L"C:");
  currentRoot_ = L"C:";
}

InMemoryFileSystem::~InMemoryFileSystem() = default;

void InMemoryFileSystem::AddRoot(const std::wstring& root, const std::wstring& label) {
  auto& slot = roots_[FoldCase(root)];
  if (!slot) {
    slot = std::make_unique<Root>();
    slot->name = root.size() == 2 && root[1] == L':' ? FoldCase(root) : root;
  }
  slot->label = label;
}

void InMemoryFileSystem::SetCurrentDrive(const std::wstring& root) {
  currentRoot_ = FoldCase(root);
}

void InMemoryFileSystem::SetCurrentFolder(const std::wstring& path) {
  const Location location = Parse(path);
  if (!location.root) throw FileSystemError(path, kReasonPathNotFound);
  location.root->currentFolder = location.parts;
}

InMemoryFileSystem::Location InMemoryFileSystem::Parse(const std::wstring& path) const {
  // The path resolved as the system resolves it, against the folders kept current here.
  PathParts parts = SplitPath(OrdinaryPath(ExtendedLengthPath(path, Folders())));
  std::wstring root = std::move(parts.root);
  if (root.ends_with(L'\\')) root.pop_back();
  Location location;
  const auto found = roots_.find(FoldCase(root));
  if (found == roots_.end()) return location;
  location.root = found->second.get();
  location.parts = std::move(parts.folders);
  return location;
}

CurrentFolders InMemoryFileSystem::Folders() const {
  return {.current = [this] { return FolderOn(currentRoot_); },
          .onDrive =
              [this](wchar_t drive) {
                return FolderOn(std::wstring{drive, L':'});
              }};
}

InMemoryFileSystem::Node* InMemoryFileSystem::Find(const Location& location) const {
  if (!location.root) return nullptr;
  Node* node = &location.root->top;
  for (const auto& part : location.parts) {
    if (!node->isFolder || !(node = Child(*node, part))) return nullptr;
  }
  return node;
}

InMemoryFileSystem::Node* InMemoryFileSystem::FindFolderOf(const Location& location,
                                                           std::wstring& name) const {
  if (!location.root || location.parts.empty()) return nullptr;
  Location parent = location;
  name = parent.parts.back();
  parent.parts.pop_back();
  Node* folder = Find(parent);
  return folder && folder->isFolder ? folder : nullptr;
}

void InMemoryFileSystem::ThrowIfNotTaken(const std::wstring& path,
                                         const std::wstring& shown) const {
  switch (SystemRefusal(ExtendedLengthPath(path, Folders()))) {
    case PathRefusal::kNone:
      return;
    case PathRefusal::kTooLong:
      throw FileSystemError(shown, kReasonTooLong);
    case PathRefusal::kHoldsNul:
      throw FileSystemError(shown, kReasonInvalidName);
  }
}

void InMemoryFileSystem::ThrowIfNotReady(const Location& location, const std::wstring& path) const {
  if (location.root && !location.root->ready) throw FileSystemError(path, kReasonNotReady);
}

std::size_t InMemoryFileSystem::UsedBytes(const Root& root) const { return SizeOf(root.top); }

void InMemoryFileSystem::AddFolder(const std::wstring& path, unsigned attributes) {
  const Location location = Parse(path);
  if (!location.root) throw FileSystemError(path, kReasonPathNotFound);
  Node* node = &location.root->top;
  for (const auto& part : location.parts) {
    Node* child = Child(*node, part);
    if (!child) {
      node->children.push_back(std::make_unique<Node>(Node{.name = part, .isFolder = true}));
      child = node->children.back().get();
    }
    node = child;
  }
  node->attributes = attributes;
}

void InMemoryFileSystem::AddFile(const std::wstring& path, const std::string& bytes,
                                 unsigned attributes, const std::wstring& shortName) {
  const Location location = Parse(path);
  std::wstring name;
  Node* folder = FindFolderOf(location, name);
  if (!folder) throw FileSystemError(path, kReasonPathNotFound);
  RemoveChild(*folder, name);
  folder->children.push_back(std::make_unique<Node>(
      Node{.name = name, .shortName = shortName, .attributes = attributes, .bytes = bytes}));
}

void InMemoryFileSystem::Remove(const std::wstring& path) {
  std::wstring name;
  if (Node* folder = FindFolderOf(Parse(path), name)) RemoveChild(*folder, name);
}

unsigned InMemoryFileSystem::AttributesOf(const std::wstring& path) const {
  const Node* node = Find(Parse(path));
  if (!node) throw FileSystemError(path, kReasonPathNotFound);
  return node->attributes;
}

void InMemoryFileSystem::SetAttributes(const std::wstring& path, unsigned attributes) {
  Node* node = Find(Parse(path));
  if (!node) throw FileSystemError(path, kReasonPathNotFound);
  node->attributes = attributes;
}

void InMemoryFileSystem::SetReady(const std::wstring& root, bool ready) {
  roots_.at(FoldCase(root))->ready = ready;
}

void InMemoryFileSystem::DenyWrites(const std::wstring& folder) {
  Node* node = Find(Parse(folder));
  if (!node) throw FileSystemError(folder, kReasonPathNotFound);
  node->denyWrites = true;
}

void InMemoryFileSystem::SetCapacity(const std::wstring& root, std::size_t bytes) {
  roots_.at(FoldCase(root))->capacity = bytes;
}

std::optional<std::string> InMemoryFileSystem::ReadFile(const std::wstring& path) const {
  const Node* node = Find(Parse(path));
  if (!node || node->isFolder) return std::nullopt;
  return node->bytes;
}

std::vector<std::wstring> InMemoryFileSystem::ListFolder(const std::wstring& path) const {
  std::vector<std::wstring> names;
  if (const Node* node = Find(Parse(path)); node && node->isFolder) {
    for (const auto& child : node->children) names.push_back(child->name);
  }
  return names;
}

std::unique_ptr<FileSearch> InMemoryFileSystem::FindFiles(const std::wstring& pattern) {
  searches_.push_back(pattern);
  ThrowIfNotTaken(pattern, pattern);
  const Location location = Parse(pattern);
  ThrowIfNotReady(location, pattern);
  // No such drive or share: it cannot be read, unlike a folder that is not there.
  if (!location.root) throw FileSystemError(pattern, kReasonPathNotFound);
  std::wstring wildcard;
  const Node* folder = FindFolderOf(location, wildcard);
  std::vector<std::wstring> names;
  if (folder) {
    for (const auto& child : folder->children) {
      if (child->isFolder || (child->attributes & (kHidden | kSystem))) continue;
      if (WildcardMatch(wildcard, child->name) ||
          (!child->shortName.empty() && WildcardMatch(wildcard, child->shortName))) {
        names.push_back(child->name);
      }
    }
  }
  return std::make_unique<Search>(*location.root, std::move(names), pattern);
}

std::unique_ptr<TextFile> InMemoryFileSystem::CreateTextFile(const std::wstring& path) {
  // Written beside the page under a name of the same length as the real file system's.
  const std::wstring tempName = L"mp3" + HexDigits(nextTemp_++, 8) + L".tmp";
  const std::wstring folderPath = FolderOf(path);
  ThrowIfNotTaken(path, path);
  ThrowIfNotTaken(folderPath + tempName, path);
  const Location location = Parse(path);
  ThrowIfNotReady(location, path);
  std::wstring name;
  Node* folder = FindFolderOf(location, name);
  if (!folder) throw FileSystemError(path, kReasonPathNotFound);
  if (const Node* existing = Child(*folder, name); existing && Refused(*existing)) {
    throw FileSystemError(path, kReasonAccessDenied);
  }
  if (folder->denyWrites) throw FileSystemError(path, kReasonAccessDenied);
  folder->children.push_back(std::make_unique<Node>(Node{.name = tempName}));
  return std::make_unique<Writer>(*this, path, folderPath.empty() ? L"." : folderPath, tempName);
}

bool InMemoryFileSystem::FileExists(const std::wstring& path) {
  if (SystemRefusal(ExtendedLengthPath(path, Folders())) != PathRefusal::kNone) return false;
  const Location location = Parse(path);
  if (location.root && !location.root->ready) return false;
  const Node* node = Find(location);
  return node && !node->isFolder && !(node->attributes & (kHidden | kSystem));
}

std::vector<DriveInfo> InMemoryFileSystem::Drives() {
  std::vector<DriveInfo> drives;
  for (const auto& [key, root] : roots_) {
    if (key.size() != 2 || key[1] != L':') continue;  // a network share is no drive
    drives.push_back({.drive = key, .label = root->ready ? root->label : L""});
  }
  return drives;
}

std::vector<std::wstring> InMemoryFileSystem::SubFolders(const std::wstring& folder) {
  ThrowIfNotTaken(EnsureTrailingBackslash(folder) + L'*', folder);
  const Location location = Parse(folder);
  ThrowIfNotReady(location, folder);
  const Node* node = Find(location);
  if (!node) throw FileSystemError(folder, kReasonPathNotFound);
  if (!node->isFolder) throw FileSystemError(folder, kReasonNotAFolder);
  std::vector<std::wstring> names;
  for (const auto& child : node->children) {
    if (child->isFolder && !(child->attributes & (kHidden | kSystem))) names.push_back(child->name);
  }
  return names;
}

std::wstring InMemoryFileSystem::CurrentFolder() { return FolderOn(currentRoot_); }

std::wstring InMemoryFileSystem::CurrentFolderOn(const std::wstring& drive) {
  return FolderOn(drive);
}

std::wstring InMemoryFileSystem::FolderOn(const std::wstring& root) const {
  const auto found = roots_.find(FoldCase(root));
  if (found == roots_.end()) return FoldCase(root) + L"\\";
  std::wstring path = found->second->name;
  for (const auto& part : found->second->currentFolder) path += L"\\" + part;
  if (found->second->currentFolder.empty()) path += L'\\';
  return path;
}

}  // namespace melodex
