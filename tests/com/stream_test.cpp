// Global memory blocks and the streams over them, as a console persists a snap-in into.
#include "platform/com/stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/com/com_ptr.h"
#include "platform/com/memory.h"

namespace {

// A stream on a new block grows it as it is written, and the block holds exactly the bytes.
TEST(HGlobalStream, WritesGrowTheBlock) {
  pw::ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write("pagewell", 8, &written), S_OK);
  EXPECT_EQ(written, 8u);
  ASSERT_EQ(stream->Write("!", 1, nullptr), S_OK);

  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream.Get(), &block), S_OK);
  ASSERT_EQ(GlobalSize(block), 9u);
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(std::string(bytes, 9), "pagewell!");
  GlobalUnlock(block);

  STATSTG stat;
  ASSERT_EQ(stream->Stat(&stat, 0), S_OK);
  EXPECT_EQ(stat.cbSize, 9u);
}

// Reads stop at the end without failing; seeks follow the three origins and refuse to go
// before the start.
TEST(HGlobalStream, ReadAndSeek) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 5);
  std::memcpy(GlobalLock(block), "abcde", 5);
  GlobalUnlock(block);
  pw::ComPtr<IStream> stream;
  ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, stream.ReleaseAndGetAddressOf()), S_OK);

  char buffer[8] = {};
  ULONG read = 0;
  ASSERT_EQ(stream->Read(buffer, 3, &read), S_OK);
  EXPECT_EQ(std::string(buffer, read), "abc");
  ASSERT_EQ(stream->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(std::string(buffer, read), "de");
  ASSERT_EQ(stream->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(read, 0u);

  ULONGLONG position = 99;
  ASSERT_EQ(stream->Seek(-2, STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position, 3u);
  ASSERT_EQ(stream->Seek(-1, STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(stream->Seek(-3, STREAM_SEEK_CUR, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream->Seek(0, 7, &position), STG_E_INVALIDFUNCTION);
  ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(stream->Read(buffer, 1, &read), S_OK);
  EXPECT_EQ(buffer[0], 'a');

  // Writing past the end after a seek fills the gap with zeros.
  ASSERT_EQ(stream->Seek(7, STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(stream->Write("z", 1, nullptr), S_OK);
  ASSERT_EQ(GlobalSize(block), 8u);
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  EXPECT_EQ(std::string(bytes, 8), std::string("abcde\0\0z", 8));
  GlobalUnlock(block);
}

// Locks nest; a block keeps its content across a reallocation.
TEST(GlobalMemory, LocksAndReallocation) {
  HGLOBAL block = GlobalAlloc(GHND, 4);
  ASSERT_NE(block, nullptr);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  EXPECT_EQ(bytes[0] | bytes[1] | bytes[2] | bytes[3], 0);
  bytes[0] = 7;
  EXPECT_NE(GlobalLock(block), nullptr);
  EXPECT_EQ(GlobalUnlock(block), TRUE);
  EXPECT_EQ(GlobalUnlock(block), FALSE);
  EXPECT_EQ(GlobalUnlock(block), FALSE);
  ASSERT_EQ(GlobalReAlloc(block, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
  bytes = static_cast<unsigned char*>(GlobalLock(block));
  EXPECT_EQ(bytes[0], 7);
  EXPECT_EQ(bytes[4095], 0);
  GlobalUnlock(block);
  EXPECT_EQ(GlobalFree(block), nullptr);
}

// A memory stream clones with its position, and ReadStreamToEnd takes the rest.
TEST(MemoryStream, CloneAndReadToEnd) {
  pw::ComPtr<IStream> stream;
  ASSERT_EQ(pw::CreateMemoryStream("header:body", stream.ReleaseAndGetAddressOf()), S_OK);
  ASSERT_EQ(stream->Seek(7, STREAM_SEEK_SET, nullptr), S_OK);
  pw::ComPtr<IStream> clone;
  ASSERT_EQ(stream->Clone(clone.ReleaseAndGetAddressOf()), S_OK);
  std::string rest;
  ASSERT_EQ(pw::ReadStreamToEnd(clone.Get(), &rest), S_OK);
  EXPECT_EQ(rest, "body");
  ASSERT_EQ(stream->SetSize(3), S_OK);
  ASSERT_EQ(stream->Seek(0, STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(pw::ReadStreamToEnd(stream.Get(), &rest), S_OK);
  EXPECT_EQ(rest, "hea");
  pw::ComPtr<ISequentialStream> sequential;
  EXPECT_EQ(stream.As(&sequential), S_OK);
}

// Task memory strings carry their terminator.
TEST(TaskMemory, DuplicatedStrings) {
  LPWSTR text = pw::CoTaskMemDupString(L"Fax");
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, L"Fax");
  CoTaskMemFree(text);
  LPWSTR empty = pw::CoTaskMemDupString(L"");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty[0], L'\0');
  CoTaskMemFree(empty);
}

}  // namespace
