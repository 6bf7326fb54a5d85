// A file written whole: the bytes land under the name at once; a write that fails (the file
// held by another program) leaves the old file as it was and nothing half-written beside it.
#include "WinDriver.h"
#include "../../framework/FileSystem.h"
#include <gtest/gtest.h>
#include <string>

TEST(FileSystem, WriteWholeReplacesOrLeavesTheFileAsItWas)
{
    const std::wstring folder = WinDriver::TempFolder() + L"bt-write-whole";
    WinDriver::RemoveTree(folder);
    WinDriver::MakeFolders(folder);
    const std::wstring path = folder + L"\\saved.html";
    const std::string big(3 << 20, 'x');
    unsigned long error = 0;
    ASSERT_TRUE(FileSystem::WriteWhole(path, "first", &error));
    EXPECT_EQ("first", FileSystem::ReadShared(path, 100));
    ASSERT_TRUE(FileSystem::WriteWhole(path, big, &error));
    EXPECT_EQ(big, FileSystem::ReadShared(path, big.size()));

    // Held open without sharing, as an editor or a virus scanner may hold it.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(FileSystem::WriteWhole(path, "second", &error));
    EXPECT_NE(0u, error);
    CloseHandle(held);
    EXPECT_EQ(big, FileSystem::ReadShared(path, big.size())) << "the old file stays whole";
    EXPECT_EQ(1u, FileSystem::List(folder).size()) << "no temporary file left";

    // A folder that is not there: nothing written anywhere.
    EXPECT_FALSE(FileSystem::WriteWhole(folder + L"\\missing\\x.csv", "y", &error));
    EXPECT_EQ(1u, FileSystem::List(folder).size());
    WinDriver::RemoveTree(folder);
}
