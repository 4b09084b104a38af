// Clipboard format ids are shared by name across the process.
#include "platform/com/clipboard.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// The same name gives the same id, whatever its case; different names give different ids.
TEST(ClipboardFormat, IdsByName) {
  const UINT node_type = RegisterClipboardFormat(L"CCF_NODETYPE");
  EXPECT_GE(node_type, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat(L"ccf_nodetype"), node_type);
  const UINT display_name = RegisterClipboardFormat(L"CCF_DISPLAY_NAME");
  EXPECT_NE(display_name, node_type);
  EXPECT_EQ(GetClipboardFormatName(node_type), L"CCF_NODETYPE");
  EXPECT_EQ(GetClipboardFormatName(0x1234), L"");
  EXPECT_EQ(RegisterClipboardFormat(L""), 0u);
  EXPECT_EQ(RegisterClipboardFormat(nullptr), 0u);
}

// Threads registering the same names at once agree on every id.
TEST(ClipboardFormat, ConcurrentRegistrationAgrees) {
  constexpr int kThreads = 4;
  std::vector<std::vector<UINT>> ids(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &ids] {
      for (int i = 0; i < 50; ++i) {
        const std::wstring name = L"PW_TEST_FORMAT_" + std::to_wstring(i);
        ids[t].push_back(RegisterClipboardFormat(name.c_str()));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 1; t < kThreads; ++t) EXPECT_EQ(ids[t], ids[0]);
}

}  // namespace
