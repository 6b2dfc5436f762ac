#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/directory_file.h"
#include "database/program_folders.h"
#include "support/file_faults.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

struct UserFolderCase {
    const char* name;
    UserEnvironment environment;
    fs::path expected;
};

class UserDataFolder : public testing::TestWithParam<UserFolderCase> {};

TEST_P(UserDataFolder, FollowsTheEnvironment)
{
    EXPECT_EQ(userDataFolder(GetParam().environment), GetParam().expected);
}

const fs::path kHome = fs::path("/home/f1abc");
const fs::path kData = fs::path("/srv/data");
const fs::path kAppData = fs::path("C:/Users/f1abc/AppData/Roaming");

INSTANTIATE_TEST_SUITE_P(
    Rows, UserDataFolder,
    testing::Values(
        UserFolderCase{"xdg_data_home", {false, {}, kData, kHome}, kData / "Dravelin"},
        UserFolderCase{"home_when_xdg_unset", {false, {}, {}, kHome}, kHome / ".local" / "share" / "Dravelin"},
        UserFolderCase{"home_when_xdg_relative", {false, {}, "data", kHome}, kHome / ".local" / "share" / "Dravelin"},
        UserFolderCase{"none_without_home", {false, {}, {}, {}}, {}},
        UserFolderCase{"windows_appdata", {true, kAppData, kData, kHome}, kAppData / "Dravelin"},
        UserFolderCase{"windows_without_appdata", {true, {}, kData, kHome}, {}}),
    [](const testing::TestParamInfo<UserFolderCase>& row) { return std::string(row.param.name); });

// An install tree: PREFIX/bin holds the executable, PREFIX/share/dravelin the sample and the
// manual, and the user's folder is elsewhere.
struct FirstStartCase {
    const char* name;
    const char* besideExecutable; // the directory file beside the executable; nullptr: none
    bool linkBesideExecutable;    // a link that leads nowhere, in its place
    const char* userList;         // already in the user's folder; nullptr: none
    bool sampleShipped;
    bool listInUserFolder;    // else beside the executable
    const char* expectedList; // the list's bytes after placeSample; nullptr: no list, or the link
    bool expectedPlaced;
};

class FirstStart : public testing::TestWithParam<FirstStartCase> {};

TEST_P(FirstStart, ListFolderAndSample)
{
    const FirstStartCase& row = GetParam();
    TemporaryFolder root;
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path shared = root.path() / "usr" / "share" / "dravelin";
    const fs::path user = root.path() / "home" / ".local" / "share" / "Dravelin";
    fs::create_directories(bin);
    if (row.besideExecutable)
        writeBytes(directoryFilePath(bin), row.besideExecutable);
    if (row.linkBesideExecutable) {
#ifndef _WIN32
        fs::create_symlink(root.path() / "elsewhere.csv", directoryFilePath(bin));
#else
        GTEST_SKIP() << "links need privileges on Windows";
#endif
    }
    if (row.userList) {
        fs::create_directories(user);
        writeBytes(directoryFilePath(user), row.userList);
    }
    if (row.sampleShipped) {
        fs::create_directories(shared);
        writeBytes(shared / kDirectoryFileName, "SAMPLE");
    }

    const ProgramFolders folders = findProgramFolders(bin, user);
    EXPECT_EQ(folders.listFolder, row.listInUserFolder ? user : bin);
    EXPECT_EQ(folders.manualFolder, row.listInUserFolder ? shared : bin);
    EXPECT_EQ(placeSample(folders), row.expectedPlaced);

    const fs::path list = directoryFilePath(folders.listFolder);
    if (row.expectedList)
        EXPECT_EQ(readBytes(list), row.expectedList);
    else if (row.linkBesideExecutable)
        EXPECT_TRUE(fs::is_symlink(list)) << "the link was replaced";
    else
        EXPECT_FALSE(fs::exists(fs::symlink_status(list)));
    // Only the list itself is left in the list folder, no partial copy.
    if (fs::exists(folders.listFolder)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folders.listFolder))
            EXPECT_EQ(entry.path().filename(), fs::path(kDirectoryFileName));
    }
    if (!row.listInUserFolder) {
        EXPECT_FALSE(fs::exists(user) && !row.userList) << "the user's folder was made for nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstStart,
    testing::Values(
        FirstStartCase{"portable_folder_keeps_its_list", "PORTABLE", false, nullptr, true, false, "PORTABLE", true},
        FirstStartCase{"portable_list_wins_over_the_users", "PORTABLE", false, "USER", true, false, "PORTABLE", true},
        FirstStartCase{"system_install_first_start_gets_the_sample", nullptr, false, nullptr, true, true, "SAMPLE",
                       true},
        FirstStartCase{"later_start_keeps_the_users_list", nullptr, false, "USER", true, true, "USER", true},
        FirstStartCase{"no_sample_shipped_leaves_no_list", nullptr, false, nullptr, false, true, nullptr, false},
        FirstStartCase{"link_beside_the_executable_counts", nullptr, true, nullptr, true, false, nullptr, true}),
    [](const testing::TestParamInfo<FirstStartCase>& row) { return std::string(row.param.name); });

TEST(ChooseProgramFolders, WithoutAUserFolderTheExecutablesFolderStays)
{
    const ProgramFolders folders = chooseProgramFolders("/opt/dravelin/bin", false, {});
    EXPECT_EQ(folders.listFolder, fs::path("/opt/dravelin/bin"));
    EXPECT_EQ(folders.manualFolder, fs::path("/opt/dravelin/bin"));
    EXPECT_TRUE(folders.sampleFile.empty());
}

} // namespace
} // namespace dravelin
