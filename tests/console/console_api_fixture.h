// The fixture of the API tests: a pwconsole child on the test snap-in, and a client that
// reads and posts JSON with every answer's status checked.
#pragma once

#include <gtest/gtest.h>

#include <httplib.h>

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/console/console_process.h"

namespace pw::console::test {

using nlohmann::json;

// Scope items of the test snap-in as the console numbers them: the root, then its children
// in the order the snap-in inserts them.
inline constexpr int kRootItem = 1;
inline constexpr int kFolderItem = 2;
inline constexpr int kVirtualItem = 3;
inline constexpr int kMessageItem = 4;

inline constexpr char kJson[] = "application/json";

inline json Body(const httplib::Result& result) {
  if (!result) return json();
  return json::parse(result->body, nullptr, false);
}

inline std::string ErrorCode(const httplib::Result& result) {
  const json body = Body(result);
  if (!body.is_object() || !body.contains("error"))
    return "(no error) " + (result ? result->body : "");
  return body["error"]["code"].get<std::string>();
}

class ConsoleApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(console_.Start()) << console_.output() << console_.errors();
    client_ = console_.Client();
  }
  void TearDown() override {
    if (!stopped_) {
      EXPECT_EQ(console_.Stop(), 0) << console_.errors();
    }
  }

  json Get(const std::string& path) {
    const auto result = client_->Get(path);
    EXPECT_TRUE(result) << path;
    if (!result) return json();
    EXPECT_EQ(result->status, 200) << path << " " << result->body;
    return Body(result);
  }
  json Post(const std::string& path, const json& body) {
    const auto result = client_->Post(path, body.dump(), kJson);
    EXPECT_TRUE(result) << path;
    if (!result) return json();
    EXPECT_EQ(result->status, 200) << path << " " << result->body;
    return Body(result);
  }
  int ViewCount() { return static_cast<int>(Get("/api/v1/console")["views"].size()); }
  // A POST whose answer may be an error: the raw result.
  httplib::Result Try(const std::string& path, const json& body) {
    return client_->Post(path, body.dump(), kJson);
  }
  static std::string IdOf(const json& window) {
    return std::to_string(window["id"].get<std::uint64_t>());
  }
  // The control `id` of `window`'s description; null when it has none.
  static json Control(const json& window, int id) {
    for (const json& control : window["controls"]) {
      if (control["id"] == id) return control;
    }
    return json();
  }

  ConsoleProcess console_;
  std::unique_ptr<httplib::Client> client_;
  bool stopped_ = false;
};

}  // namespace pw::console::test
