// ConsoleProcess.
#include "tests/console/console_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace pw::console::test {

namespace {

constexpr char kTestSnapin[] = "{7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A50}";
constexpr char kTestSnapinAbout[] = "{7B1E5A20-3C4D-4E5F-8A9B-0C1D2E3F4A51}";

}  // namespace

ConsoleProcess::ConsoleProcess() {
  const std::string module = pw::test::BinDir() + "/pwtest_snapin.so";
  const std::string text =
      std::string("Windows Registry Editor Version 5.00\n\n") + "[HKEY_CLASSES_ROOT\\CLSID\\" +
      kTestSnapin + "\\InprocServer32]\n@=\"" + module + "\"\n\n[HKEY_CLASSES_ROOT\\CLSID\\" +
      kTestSnapinAbout + "\\InprocServer32]\n@=\"" + module +
      "\"\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\MMC\\SnapIns\\" + kTestSnapin +
      "]\n\"NameString\"=\"Test Snap-in\"\n\"About\"=\"" + kTestSnapinAbout + "\"\n";
  registry_ = dir_.WriteFile("registry.reg", text);
}

ConsoleProcess::~ConsoleProcess() {
  if (child_ > 0) {
    kill(child_, SIGKILL);
    waitpid(child_, nullptr, 0);
  }
  if (out_ >= 0) close(out_);
}

std::string ConsoleProcess::errors() const { return dir_.ReadFile("stderr.txt"); }

bool ConsoleProcess::Start(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {pw::test::BinDir() + "/pwconsole", "--registry", registry_,
                                   "--snapin", kTestSnapin};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);

  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], 1);
  const std::string errors = dir_.Sub("stderr.txt");
  posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  environment.emplace_back("PW_TEST_SNAPIN_REAL_PAGES=1");
  std::vector<char*> env_pointers;
  for (std::string& entry : environment) env_pointers.push_back(entry.data());
  env_pointers.push_back(nullptr);
  const int spawned =
      posix_spawn(&child_, pointers[0], &actions, nullptr, pointers.data(), env_pointers.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  out_ = pipe_ends[0];
  if (spawned != 0) {
    child_ = -1;
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const std::string marker = "PWCONSOLE_URL=";
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd wait{out_, POLLIN, 0};
    if (poll(&wait, 1, 200) <= 0) continue;
    char buffer[512];
    const ssize_t got = read(out_, buffer, sizeof(buffer));
    if (got <= 0) return false;
    output_.append(buffer, static_cast<std::size_t>(got));
    const std::size_t at = output_.find(marker);
    const std::size_t end = at == std::string::npos ? at : output_.find('\n', at);
    if (end == std::string::npos) continue;
    const std::string url = output_.substr(at + marker.size(), end - at - marker.size());
    const std::size_t port_at = url.rfind(':');
    port_ = std::stoi(url.substr(port_at + 1));
    token_ = url.substr(url.find("token=") + 6);
    return true;
  }
  return false;
}

int ConsoleProcess::Stop() {
  if (child_ <= 0) return -1;
  kill(child_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (waitpid(child_, &status, WNOHANG) == child_) {
      child_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

std::unique_ptr<httplib::Client> ConsoleProcess::Client(bool bearer) const {
  auto client = std::make_unique<httplib::Client>("127.0.0.1", port_);
  client->set_connection_timeout(5, 0);
  client->set_read_timeout(20, 0);
  client->set_write_timeout(5, 0);
  if (bearer) client->set_bearer_token_auth(token_.c_str());
  return client;
}

}  // namespace pw::console::test
