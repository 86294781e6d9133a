// The program's resources: MAINICON in the three sizes the shell asks for, and the version
// information.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct IconGroup {
  WORD reserved, type, count;
  IconGroupEntry entries[1];
};
#pragma pack(pop)

TEST(Resources, MainIconHasThe16And32And48PixelPictures) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, L"MAINICON", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_TRUE(found);
  const auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(module, found)));
  ASSERT_TRUE(group);
  std::set<int> sizes;
  for (WORD i = 0; i < group->count; ++i) {
    const IconGroupEntry& entry = group->entries[i];
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.bitCount, 32) << int(entry.width);  // with an alpha channel
    sizes.insert(entry.width);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
  for (int size : {16, 32, 48}) {
    const HICON icon = static_cast<HICON>(
        LoadImageW(module, L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    EXPECT_TRUE(icon) << size;
    if (icon) DestroyIcon(icon);
  }
}

TEST(Resources, VersionInformationNamesTheProgram) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
  wchar_t* product = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_EQ(std::wstring(product), L"Vornakel");
}

}  // namespace
