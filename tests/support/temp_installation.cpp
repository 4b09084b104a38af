// Test fixtures: temporary folders, environment and registry files.
#include "tests/support/temp_installation.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/win/registry.h"

namespace pw::test {

TempDir::TempDir() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/pwtest.XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path file = std::filesystem::path(path_) / name;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

std::string TempDir::ReadFile(const std::string& name) const {
  std::ifstream in(std::filesystem::path(path_) / name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool TempDir::Exists(const std::string& name) const {
  return std::filesystem::exists(std::filesystem::path(path_) / name);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
  if (const char* old = ::getenv(name_.c_str())) previous_ = old;
  if (value) {
    ::setenv(name_.c_str(), value->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

ScopedEnv::~ScopedEnv() {
  if (previous_) {
    ::setenv(name_.c_str(), previous_->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

TempRegistry::TempRegistry() : file_(dir_.Sub("registry.reg")), previous_(RegistryFilePath()) {
  SetRegistryFilePath(file_);
}

TempRegistry::~TempRegistry() { SetRegistryFilePath(previous_); }

std::string BinDir() {
  if (const char* dir = ::getenv("PW_BIN_DIR")) return dir;
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (length <= 0) return ".";
  return std::filesystem::path(std::string(self, static_cast<std::size_t>(length)))
      .parent_path()
      .string();
}

}  // namespace pw::test
