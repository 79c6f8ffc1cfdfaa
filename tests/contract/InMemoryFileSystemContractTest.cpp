#include "contract/FileSystemContract.h"
#include "platform/memory/InMemoryFileSystem.h"

namespace melodex::testing {
namespace {

class InMemoryWorkspace : public Workspace {
 public:
  InMemoryWorkspace() { fs_.AddFolder(Folder()); }
  FileSystem& System() override { return fs_; }
  std::wstring Folder() const override { return L"C:\\work"; }
  void MakeFolder(const std::wstring& path) override { fs_.AddFolder(path); }
  void MakeFile(const std::wstring& path, const std::string& bytes, bool hidden,
                bool system) override {
    unsigned attributes = InMemoryFileSystem::kNormal;
    if (hidden) attributes |= InMemoryFileSystem::kHidden;
    if (system) attributes |= InMemoryFileSystem::kSystem;
    fs_.AddFile(path, bytes, attributes);
  }
  std::optional<std::string> Read(const std::wstring& path) const override {
    return fs_.ReadFile(path);
  }
  std::vector<std::wstring> List(const std::wstring& folder) const override {
    return fs_.ListFolder(folder);
  }

 private:
  InMemoryFileSystem fs_;
};

INSTANTIATE_TEST_SUITE_P(InMemory, FileSystemContract,
                         ::testing::Values(WorkspaceMaker{"InMemory",
                                                          [] {
                                                            return std::make_unique<InMemoryWorkspace>();
                                                          }}),
                         WorkspaceName);

}  // namespace
}  // namespace melodex::testing
