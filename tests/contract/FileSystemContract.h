#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace melodex::testing {

// A scratch folder on one implementation of FileSystem, with the means to set it up and
// look at it that do not go through the interface under test.
class Workspace {
 public:
  virtual ~Workspace() = default;
  virtual FileSystem& System() = 0;
  // An empty folder to work in, without a trailing backslash.
  virtual std::wstring Folder() const = 0;
  virtual void MakeFolder(const std::wstring& path, bool hidden = false, bool system = false) = 0;
  virtual void MakeFile(const std::wstring& path, const std::string& bytes, bool hidden = false,
                        bool system = false) = 0;
  virtual std::optional<std::string> Read(const std::wstring& path) const = 0;
  // Sets or clears the read-only mark of a file, and tells the marks it has.
  virtual void SetReadOnly(const std::wstring& path, bool readOnly) = 0;
  virtual bool IsReadOnly(const std::wstring& path) const = 0;
  virtual bool IsHidden(const std::wstring& path) const = 0;
  // The system's own words for an access it refuses, and for a path too long for it.
  virtual std::wstring AccessDeniedReason() const = 0;
  virtual std::wstring TooLongReason() const = 0;
  virtual std::wstring InvalidNameReason() const = 0;
  // Every entry of the folder, in the folder's own order.
  virtual std::vector<std::wstring> List(const std::wstring& folder) const = 0;
  // The label of a drive ("C:"), as the system keeps it.
  virtual std::wstring VolumeLabel(const std::wstring& drive) const = 0;
  // Makes the folder the process's current folder (until the workspace goes).
  virtual void MakeCurrent(const std::wstring& folder) = 0;
  // A drive that is listed but cannot be read, such as one without a medium ("Q:"), or
  // nothing where none can be made.
  virtual std::optional<std::wstring> StageUnreadableDrive() = 0;
};

struct WorkspaceMaker {
  std::string name;
  std::function<std::unique_ptr<Workspace>()> make;
};

class FileSystemContract : public ::testing::TestWithParam<WorkspaceMaker> {
 protected:
  void SetUp() override { workspace = GetParam().make(); }
  std::wstring At(const std::wstring& relative) const {
    return workspace->Folder() + L"\\" + relative;
  }
  std::unique_ptr<Workspace> workspace;
};

std::string WorkspaceName(const ::testing::TestParamInfo<WorkspaceMaker>& info);

}  // namespace melodex::testing
