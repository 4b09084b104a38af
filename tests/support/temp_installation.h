// Fixtures for tests that need a private piece of the machine: a temporary folder, an
// environment variable set for the test's duration, and a registry file of the test's own.
#pragma once

#include <optional>
#include <string>

namespace pw::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string Sub(const std::string& name) const { return path_ + "/" + name; }
  // Writes `bytes` to the file `name` below the folder, creating folders on the way.
  std::string WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::string path_;
};

// Sets (or with nullopt, unsets) an environment variable until destroyed.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, std::optional<std::string> value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// A registry file of the test's own in a temporary folder; the previous file is in use again
// afterwards.
class TempRegistry {
 public:
  TempRegistry();
  ~TempRegistry();

  const std::string& file() const { return file_; }
  const TempDir& dir() const { return dir_; }

 private:
  TempDir dir_;
  std::string file_;
  std::string previous_;
};

// The folder that holds the built programs and modules.
std::string BinDir();

}  // namespace pw::test
